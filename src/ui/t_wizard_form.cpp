#include "ui/t_wizard_form.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>
#include <chrono>

#include "content/locate_dialog.h"
#include "session/session_settings.h"
#include "ui/accessible_names.h"
#include "ui/binding.h"
#include "ui/list_binding.h"
#include "ui/pictures.h"
#include "ui/qt_text.h"
#include "ui/t_combo_box98.h"
#include "ui/window_prompts.h"
#include "ui_t_wizard_form.h"

namespace wyn {

namespace {

// The pages were laid out for this width; a font that needs more widens them.
constexpr int kPageWidth = 380;
// Room above the button row, below the separator; the framework keeps 3 pixels below it.
constexpr int kButtonRowGap = 8;
constexpr int kButtonRowBottom = 3;

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
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TWizardForm>()),
      m_prompts(prompts),
      m_wizardPrompts(prompts, windows),
      m_wizard(session, m_wizardPrompts, starter),
      m_closeMainWindow(std::move(closeMainWindow)) {
    ui->setupUi(this);
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

    ui->BotNumComboBox->setItemsKeepingText(toQt(wizardBotCountItems()));
    ui->PlayersPerTeamComboBox->setCompletes(false);
    ui->PlayersPerTeamComboBox->setItemsKeepingText(toQt(wizardPlayersPerTeamItems()));
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

    QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TWizardForm::~TWizardForm() = default;

template <typename Call>
void TWizardForm::forward(Call&& call) {
    guarded(m_prompts, std::forward<Call>(call));
    if (m_mainWindowClosed && isVisible()) {
        // Close on Launch closed the main window; the program ends, and the wizard with it.
        QDialog::accept();
    }
}

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
    const auto command = [this](QAbstractButton* button, auto call) {
        onCommand(button, this, [this, call] { forward(call); });
    };
    command(ui->RandomButton, [this] { m_wizard.RandomButtonClick(clockSeed()); });
    command(ui->MapCycleButton, [this] { m_wizard.MapCycleButtonClick(); });
    command(ui->BotsCFGButton, [this] { m_wizard.BotsCFGButtonClick(); });
    command(ui->EditTeamsButton, [this] { m_wizard.EditTeamsButtonClick(); });

    const auto text = [this](QComboBox* combo, auto set) {
        onTextChanged(combo, this, [this, set](const QString& text) {
            forward([&] { (m_wizard.*set)(fromQt(text)); });
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
    for (std::size_t i = 0; i < kAssistentButtonCount; ++i) {
        const auto role = static_cast<AssistentButton>(i);
        m_buttons[i] = ui->ButtonPanel->findChild<QPushButton*>(buttonName(role));
        Q_ASSERT_X(m_buttons[i] != nullptr, "TWizardForm", "every framework button exists");
    }
    const auto button = [this](AssistentButton role) {
        return m_buttons[static_cast<std::size_t>(role)];
    };
    onCommand(button(AssistentButton::Back), this,
              [this] { forward([this] { m_wizard.back(); }); });
    onCommand(button(AssistentButton::Next), this,
              [this] { forward([this] { m_wizard.next(); }); });
    onCommand(button(AssistentButton::Cancel), this, [this] { reject(); });
    ui->ButtonPanel->installEventFilter(this);
}

void TWizardForm::reject() {
    forward([this] { m_wizard.cancel(); });
}

bool TWizardForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->ButtonPanel && event->type() == QEvent::Resize) {
        redrawButtons();
    }
    return QDialog::eventFilter(watched, event);
}

// Fixed in size: every page at the size of the largest, each caption whole in
// this platform's font.
void TWizardForm::fitToContents() {
    TAssistent& assistent = m_wizard.WizardAssistent();
    int buttonWidth = assistent.ButtonWidth;
    for (const TButtonData* data :
         {&assistent.BtnBack, &assistent.BtnNext, &assistent.BtnFinish, &assistent.BtnCancel}) {
        const QString caption = toQt(data->Text).remove('&');
        buttonWidth = std::max(buttonWidth, fontMetrics().horizontalAdvance(caption) + 16);
    }
    assistent.ButtonWidth = buttonWidth;
    ui->ButtonPanel->setFixedHeight(kButtonRowGap + assistent.ButtonHeight + kButtonRowBottom);
    ui->ButtonSeparator->setVisible(assistent.Seperator);

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
        ui->YourTeamComboBox->setItemsKeepingText(toQt(a.yourTeamItems));
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
        QDialog::reject();
    }
}

void TWizardForm::redrawAll() {
    WizardChange all;
    all.page = all.answers = all.yourTeamItems = all.ctfText = all.summary = true;
    all.maps = all.bots = all.botTeams = ListChange{true, true, true};
    redraw(all);
}

void TWizardForm::redrawPage() {
    const std::pair<const TAElement*, QWidget*> boxes[] = {
        {&m_wizard.IntroBox, ui->IntroBox}, {&m_wizard.ABox1, ui->ABox1},
        {&m_wizard.ABox2, ui->ABox2},       {&m_wizard.ABox3, ui->ABox3},
        {&m_wizard.ABox4, ui->ABox4},       {&m_wizard.ABox5, ui->ABox5},
    };
    for (const auto& [element, box] : boxes) {
        if (element->Visible) {
            ui->WizardPages->setCurrentWidget(box);
        }
        box->setEnabled(element->Enabled);
    }
    ui->LogoPanel->setVisible(m_wizard.LogoPanel.Visible);
    setWindowTitle(toQt(m_wizard.WizardAssistent().Caption));
    redrawButtons();
}

void TWizardForm::redrawButtons() {
    const ButtonRow row = m_wizard.WizardAssistent().LayoutButtons(ui->ButtonPanel->width(),
                                                                   ui->ButtonPanel->height());
    for (std::size_t i = 0; i < kAssistentButtonCount; ++i) {
        const PlacedButton& placed = row.buttons[i];
        QPushButton* button = m_buttons[i];
        button->setText(toQt(placed.Text));
        button->setGeometry(placed.Left, placed.Top, placed.Width, placed.Height);
        button->setEnabled(placed.Visible && placed.Enabled);
        button->setVisible(placed.Visible);
        button->setDefault(static_cast<std::size_t>(row.defaultButton) == i);
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
