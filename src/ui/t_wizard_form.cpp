#include "ui/t_wizard_form.h"

#include <QPalette>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <algorithm>
#include <chrono>

#include "content/locate_dialog.h"
#include "platform/qt_text.h"
#include "session/session_settings.h"
#include "ui/accessible_names.h"
#include "ui/binding.h"
#include "ui/editor_dialogs.h"
#include "ui/list_binding.h"
#include "ui/pictures.h"
#include "ui/t_combo_box98.h"
#include "ui/window_prompts.h"
#include "ui_t_wizard_form.h"

namespace wyn {

namespace {

// The pages were laid out for this width; a font that needs more widens them.
constexpr int kPageWidth = 380;
// Every navigation button has this size, wider only if a caption needs it.
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

unsigned clockSeed() {
    return static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
}

QString joinLines(const std::vector<std::string>& lines) {
    return toQt(lines).join('\n');
}

void setChecked(QAbstractButton* button, bool checked) {
    const QSignalBlocker blocker(button);
    button->setChecked(checked);
}

}  // namespace

// --- The wizard's questions.

void WizardWindowPrompts::showError(const std::string& text) {
    m_prompts.showError(text);
}

void WizardWindowPrompts::showInformation(const std::string& text) {
    m_prompts.showInformation(text);
}

void WizardWindowPrompts::editMapCycle() {
    m_windows.openMapCycleEditor();
}

void WizardWindowPrompts::editBotProfiles() {
    m_windows.openRosterEditor();
}

// --- The window.

TWizardForm::TWizardForm(SessionSettings& session, GameStarter& starter, UiPrompts& prompts,
                         WindowOpener& windows, std::function<void()> closeMainWindow,
                         QWidget* parent)
    : EditorDialog(
          prompts, [this] { m_wizard.cancel(); }, parent),
      ui(std::make_unique<Ui::TWizardForm>()),
      m_wizardPrompts(prompts, windows),
      m_wizard(session, m_wizardPrompts, starter),
      m_closeMainWindow(std::move(closeMainWindow)) {
    ui->setupUi(this);
    setWindowTitle(toQt(kWizardCaption));
    ui->IntroLabel->setText(
        QString("This Wizard automates the launching of a game of Quake II with pre-defined "
                "settings using the Vantor Bot by the makers of the Vantor add-on "
                "(available from %1).")
            .arg(kAddOnDownloadAddress));
    showPicture(ui->LogoImage, Picture::Logo);
    QPalette red = ui->CTFText->palette();
    red.setColor(QPalette::All, QPalette::WindowText, Qt::red);
    ui->CTFText->setPalette(red);
    // The map list keeps its height whether the note shows or not.
    QSizePolicy note = ui->CTFText->sizePolicy();
    note.setRetainSizeWhenHidden(true);
    ui->CTFText->setSizePolicy(note);
    // The summary reads as part of the page, not as a field to type in.
    QPalette face = ui->SettingsMemo->palette();
    face.setColor(QPalette::All, QPalette::Base, face.color(QPalette::Button));
    ui->SettingsMemo->setPalette(face);

    ui->BotNumComboBox->setItemsKeepingText(wizardBotCountItems());
    ui->PlayersPerTeamComboBox->setCompletes(false);
    ui->PlayersPerTeamComboBox->setItemsKeepingText(wizardPlayersPerTeamItems());
    ui->YourTeamComboBox->setCompletes(false);

    bindControls();
    bindButtons();
    nameControlsByTheirLabels(this);
    m_wizard.OnCloseMainWindow = [this] {
        m_mainWindowClosed = true;
        if (m_closeMainWindow) {
            m_closeMainWindow();
        }
    };
    m_connection = m_wizard.onChange([this](const WizardChange& change) { redraw(change); });
    redrawAll();
    fitToContents();
    centreOnScreen(*this);
}

TWizardForm::~TWizardForm() = default;

void TWizardForm::bindControls() {
    // A choice the wizard ignored shows its state again.
    const auto choose = [this](QAbstractButton* radio, auto call) {
        onChosen(radio, this, [this, call] {
            forward(call);
            redrawAnswers();
        });
    };
    choose(ui->DMRadio, [this] { m_wizard.setGameType(WizardGameType::Deathmatch); });
    choose(ui->DMTeamsRadio, [this] { m_wizard.setGameType(WizardGameType::DeathmatchWithTeams); });
    choose(ui->CTFRadio, [this] { m_wizard.setGameType(WizardGameType::CaptureTheFlag); });
    choose(ui->SpecificRadio, [this] { m_wizard.SpecificRadioClick(); });
    choose(ui->RandomRadio, [this] { m_wizard.RandomRadioClick(); });
    onToggled(ui->ExitCheckBox, this, [this](bool checked) {
        forward([&] { m_wizard.setCloseOnLaunch(checked); });
        redrawAnswers();
    });
    command(ui->RandomButton, [this] { m_wizard.RandomButtonClick(clockSeed()); });
    command(ui->MapCycleButton, [this] { m_wizard.MapCycleButtonClick(); });
    command(ui->BotsCFGButton, [this] { m_wizard.BotsCFGButtonClick(); });
    command(ui->EditTeamsButton, [this] { m_wizard.EditTeamsButtonClick(); });

    const auto text = [this](TComboBox98* combo, auto set) {
        onTextChanged(combo, this, [this, combo, set](const QString& text) {
            forward([&] { (m_wizard.*set)(combo->coreText(text)); });
        });
    };
    text(ui->BotNumComboBox, &LaunchWizard::setBotCount);
    text(ui->PlayersPerTeamComboBox, &LaunchWizard::setPlayersPerTeam);
    text(ui->YourTeamComboBox, &LaunchWizard::setYourTeam);

    // Only the check marks of the two check lists carry meaning.
    const auto noSelection = [](Selection) {};
    m_maps = new ListBinding(ui->MapListBox, false,
                             [this](Selection row) { forward([&] { m_wizard.selectMap(row); }); });
    m_bots =
        new ListBinding(ui->BotsListBox, true, noSelection, [this](std::size_t row, bool checked) {
            forward([&] { m_wizard.setBotChecked(row, checked); });
        });
    m_botTeams = new ListBinding(ui->BotTeamsListBox, true, noSelection,
                                 [this](std::size_t row, bool checked) {
                                     forward([&] { m_wizard.setBotTeamChecked(row, checked); });
                                 });
}

void TWizardForm::bindButtons() {
    command(ui->BackButton, [this] { m_wizard.back(); });
    command(ui->NextButton, [this] {
        // Close on Launch closed the main window; the program ends, and the
        // wizard with it once the launch has returned, whatever its end.
        const auto closeAfter = qScopeGuard([this] {
            if (m_mainWindowClosed) {
                accept();
            }
        });
        m_wizard.next();
    });
    command(ui->CancelButton, [this] { m_wizard.cancel(); });
}

// Fixed in size: every page at the size of the largest, each caption whole in
// this platform's font.
void TWizardForm::fitToContents() {
    int buttonWidth = kButtonWidth;
    for (const std::string& text : m_wizard.WizardAssistent().buttonTexts()) {
        const QString caption = toQt(text).remove('&');
        buttonWidth = std::max(buttonWidth, fontMetrics().horizontalAdvance(caption) + 16);
    }
    for (QPushButton* button : {ui->BackButton, ui->NextButton, ui->CancelButton}) {
        button->setFixedSize(buttonWidth, kButtonHeight);
    }

    int width = kPageWidth;
    for (int i = 0; i < ui->WizardPages->count(); ++i) {
        width = std::max(width, ui->WizardPages->widget(i)->minimumSizeHint().width());
    }
    int height = pictureSize(Picture::Logo).height();
    for (int i = 0; i < ui->WizardPages->count(); ++i) {
        QLayout* pageLayout = ui->WizardPages->widget(i)->layout();
        height = std::max(height, pageLayout->hasHeightForWidth()
                                      ? pageLayout->totalHeightForWidth(width)
                                      : pageLayout->totalSizeHint().height());
    }
    ui->WizardPages->setFixedSize(width, height);
    layout()->activate();
    setFixedSize(sizeHint().expandedTo(minimumSizeHint()));
}

// --- Redrawing.

void TWizardForm::redraw(const WizardChange& change) {
    const WizardAnswers& a = m_wizard.answers();
    if (change.page) {
        redrawPage();
    }
    m_maps->redraw(a.maps, change.maps);
    m_bots->redraw(a.bots, change.bots);
    m_botTeams->redraw(a.botTeams, change.botTeams);
    if (change.yourTeamItems) {
        ui->YourTeamComboBox->setItemsKeepingText(a.yourTeamItems);
    }
    if (change.answers) {
        redrawAnswers();
    }
    if (change.ctfText) {
        ui->CTFText->setVisible(m_wizard.ctfTextShown());
    }
    if (change.summary) {
        ui->SettingsMemo->setPlainText(joinLines(m_wizard.summary()));
    }
    if (change.closed && m_wizard.closed()) {
        closeAs(DialogResult::Cancel);
    }
}

void TWizardForm::redrawAll() {
    WizardChange all;
    all.page = all.answers = all.yourTeamItems = all.ctfText = all.summary = true;
    all.maps = all.bots = all.botTeams = ListChange{true, true, true};
    redraw(all);
}

void TWizardForm::redrawPage() {
    // The boxes of pages 1 to 6. A page not shown is disabled as well, so no
    // control of it counts as available.
    QWidget* const boxes[] = {ui->IntroBox, ui->ABox1, ui->ABox2, ui->ABox3, ui->ABox4, ui->ABox5};
    for (int page = kIntroPage; page <= kLaunchPage; ++page) {
        QWidget* box = boxes[page - kIntroPage];
        const bool current = page == m_wizard.page();
        if (current) {
            ui->WizardPages->setCurrentWidget(box);
        }
        box->setEnabled(current);
    }
    redrawButtons();
}

void TWizardForm::redrawButtons() {
    const std::pair<AssistentButton, QPushButton*> buttons[] = {
        {AssistentButton::Back, ui->BackButton},
        {AssistentButton::Next, ui->NextButton},
        {AssistentButton::Cancel, ui->CancelButton},
    };
    for (const auto& [role, button] : buttons) {
        const AssistentButtonState state = m_wizard.WizardAssistent().button(role);
        button->setText(toQt(state.text));
        button->setEnabled(state.enabled);
        button->setVisible(state.shown);
        button->setDefault(state.isDefault);
    }
}

void TWizardForm::redrawAnswers() {
    const WizardAnswers& a = m_wizard.answers();
    // Checking one radio button of a group clears the others.
    switch (a.gameType) {
        case WizardGameType::Deathmatch:
            setChecked(ui->DMRadio, true);
            break;
        case WizardGameType::DeathmatchWithTeams:
            setChecked(ui->DMTeamsRadio, true);
            break;
        case WizardGameType::CaptureTheFlag:
            setChecked(ui->CTFRadio, true);
            break;
    }
    setChecked(a.botMode == WizardBotMode::Specific ? ui->SpecificRadio : ui->RandomRadio, true);
    setChecked(ui->ExitCheckBox, a.closeOnLaunch);
    ui->BotNumComboBox->showText(toQt(a.botCount));
    ui->PlayersPerTeamComboBox->showText(toQt(a.playersPerTeam));
    ui->YourTeamComboBox->showText(toQt(a.yourTeam));
    ui->BotNumComboBox->setEnabled(m_wizard.botNumEnabled());
    ui->BotNumLabel->setEnabled(m_wizard.botNumEnabled());
    ui->BotsListBox->setEnabled(m_wizard.botsListEnabled());
}

void runWizard(QWidget* parent, SessionSettings& session, GameStarter& starter, UiPrompts& prompts,
               WindowOpener& windows, std::function<void()> closeMainWindow) {
    TWizardForm form(session, starter, prompts, windows, std::move(closeMainWindow), parent);
    form.exec();
}

}  // namespace wyn
