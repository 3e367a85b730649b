#include "ui/t_edit_form.h"

#include <QAbstractItemView>
#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QValidator>

#include "base/errors.h"
#include "base/text.h"
#include "base/text_file.h"
#include "platform/qt_text.h"
#include "session/roster_choices.h"
#include "session/session_settings.h"
#include "ui/accessible_names.h"
#include "ui/list_binding.h"
#include "ui/t_combo_box98.h"
#include "ui_t_edit_form.h"

namespace wyn {

namespace {

// The client area the dialog was laid out for.
constexpr QSize kDesignedSize(447, 319);

// TeamIDEdit shows and takes upper case, as the editor stores it (ASCII, as
// the editor's own rule does).
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (QChar& c : input) {
            if (c.unicode() < 128) {
                c = c.toUpper();
            }
        }
        return Acceptable;
    }
};

// A group box's caption takes '&' for a mnemonic; a name shows its own.
QString panelTitle(const std::string& name) {
    return toQt(name).replace('&', "&&");
}

void showChecked(QCheckBox* box, bool checked) {
    if (box->isChecked() != checked) {
        const QSignalBlocker blocker(box);
        box->setChecked(checked);
    }
}

}  // namespace

TEditForm::TEditForm(RosterEditor& editor, UiPrompts& prompts, SessionSettings& session,
                     ValueStore& store, QWidget* parent)
    : EditorDialog(
          prompts, [&editor] { editor.cancel(); }, parent,
          Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
              Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::TEditForm>()),
      m_editor(editor),
      m_session(session),
      m_store(store) {
    ui->setupUi(this);
    setUpControls();
    bindLists();
    bindBotControls();
    bindTeamControls();
    bindButtons();
    m_connection = m_editor.onChange([this](const RosterChange& change) { redraw(change); });
    redrawAll();
}

TEditForm::~TEditForm() = default;

// --- Set-up.

void TEditForm::setUpControls() {
    setWindowTitle(toQt(kRosterFormCaption));
    const auto& tabs = rosterTabCaptions();
    for (int i = 0; i < ui->EditPageControl->count(); ++i) {
        ui->EditPageControl->setTabText(i, toQt(tabs[static_cast<std::size_t>(i)]));
    }
    for (const auto& [control, caption] : rosterControlCaptions()) {
        findChild<QAbstractButton*>(toQt(control))->setText(toQt(caption));
    }
    for (const auto& [control, caption] : rosterControlLabels()) {
        const QWidget* labelled = findChild<QWidget*>(toQt(control));
        for (QLabel* label : findChildren<QLabel*>()) {
            if (label->buddy() == labelled) {
                label->setText(toQt(caption));
            }
        }
    }
    for (QComboBox* skill :
         {ui->AccuracyComboBox, ui->AggressivenessComboBox, ui->CombatSkillsComboBox}) {
        skill->setCompleter(nullptr);  // a plain box: what is typed stays as typed
        skill->addItems(toQt(skillItems()));
    }
    ui->FavWeaponComboBox->setItemsKeepingText(weaponItems());
    ui->AvgPingComboBox->setItemsKeepingText(pingItems());
    // Boxes of fixed items show the longest whole (a box's minimum size
    // hint does not follow items added after it was first asked for).
    for (QComboBox* fixed :
         {ui->AccuracyComboBox, ui->AggressivenessComboBox, ui->CombatSkillsComboBox,
          static_cast<QComboBox*>(ui->FavWeaponComboBox),
          static_cast<QComboBox*>(ui->AvgPingComboBox)}) {
        fixed->setMinimumWidth(fixed->sizeHint().width());
    }
    ui->TeamIDEdit->setMaxLength(static_cast<int>(kTeamIdLength));
    ui->TeamIDEdit->setValidator(new UpperCaseValidator(ui->TeamIDEdit));

    // CoverShape is a black square over the picture while there is none.
    QPalette black = ui->CoverShape->palette();
    black.setColor(QPalette::Window, Qt::black);
    ui->CoverShape->setPalette(black);
    ui->CoverShape->setAutoFillBackground(true);

    ui->EditPageControl->setCurrentWidget(ui->BotsTabSheet);
    nameControlsByTheirLabels(this);
    for (QComboBox* skill :
         {ui->AccuracyComboBox, ui->AggressivenessComboBox, ui->CombatSkillsComboBox}) {
        skill->view()->setAccessibleName(skill->accessibleName());  // its item list
    }
    // Sized with a caption on both panels, which they have whenever a bot or
    // team is selected.
    ui->BotPanel->setTitle("Bot");
    ui->TeamPanel->setTitle("Team");
    fixSizeAndCentre(*this, kDesignedSize);
}

void TEditForm::bindLists() {
    const auto bind = [this](QListView* view, auto select) {
        return new ListBinding(view, false, [this, select](Selection row) {
            forward([&] { (m_editor.*select)(row); });
        });
    };
    m_bots = bind(ui->BotsListBox, &RosterEditor::selectBot);
    m_teams = bind(ui->TeamsListBox, &RosterEditor::selectTeam);
    m_availableMembers = bind(ui->AvailableListBox, &RosterEditor::selectAvailableMember);
    m_currentMembers = bind(ui->CurrentListBox, &RosterEditor::selectCurrentMember);
    m_currentSupporters = bind(ui->CurrentVWepListBox, &RosterEditor::selectCurrentSupporter);
    m_availableSupporters = bind(ui->AvailableVWepListBox, &RosterEditor::selectAvailableSupporter);
}

void TEditForm::bindBotControls() {
    // Each text goes to the editor, which may drop characters a file cannot
    // hold; the control then shows what the editor kept.
    const auto text = [this](QWidget* control, auto change) {
        onTextChanged(control, this, [this, control, change](const QString& text) {
            forward([&] { (m_editor.*change)(coreTextOf(control, text)); });
            showBotTexts();
        });
    };
    text(ui->BotNameEdit, &RosterEditor::botNameChanged);
    text(ui->ModelComboBox, &RosterEditor::modelChanged);
    text(ui->SkinComboBox, &RosterEditor::skinChanged);
    text(ui->FavWeaponComboBox, &RosterEditor::favouriteWeaponChanged);
    text(ui->AvgPingComboBox, &RosterEditor::averagePingChanged);
    text(ui->AccuracyComboBox, &RosterEditor::accuracyChanged);
    text(ui->AggressivenessComboBox, &RosterEditor::aggressivenessChanged);
    text(ui->CombatSkillsComboBox, &RosterEditor::combatSkillsChanged);
    const auto forwardToggle = [this](auto toggle) {
        return [this, toggle](bool checked) {
            forward([&] { (m_editor.*toggle)(checked); });
            showBotTexts();
        };
    };
    onToggled(ui->QuadCheckBox, this, forwardToggle(&RosterEditor::quadClicked));
    onToggled(ui->CamperCheckBox, this, forwardToggle(&RosterEditor::camperClicked));
}

void TEditForm::bindTeamControls() {
    const auto text = [this](QWidget* control, auto change) {
        onTextChanged(control, this, [this, control, change](const QString& text) {
            forward([&] { (m_editor.*change)(coreTextOf(control, text)); });
            showTeamTexts();
        });
    };
    text(ui->TeamNameEdit, &RosterEditor::teamNameChanged);
    text(ui->TeamIDEdit, &RosterEditor::teamIdChanged);
    text(ui->TeamModelComboBox, &RosterEditor::teamModelChanged);
    text(ui->TeamSkinComboBox, &RosterEditor::teamSkinChanged);
}

void TEditForm::bindButtons() {
    command(ui->NewButton, [this] { m_editor.newBot(); });
    command(ui->DeleteButton, [this] { m_editor.deleteBot(); });
    command(ui->NewTeamButton, [this] { m_editor.newTeam(); });
    command(ui->DeleteTeamButton, [this] { m_editor.deleteTeam(); });
    command(ui->AddButton, [this] { m_editor.addMember(); });
    command(ui->RemoveButton, [this] { m_editor.removeMember(); });
    command(ui->OtherMemberButton, [this] { m_editor.otherMember(); });
    command(ui->AddVWepButton, [this] { m_editor.addSupporter(); });
    command(ui->RemoveVWepButton, [this] { m_editor.removeSupporter(); });
    command(ui->OKButton, [this] { SaveRoster(m_editor, m_session, m_store); });
    command(ui->CancelButton, [this] { m_editor.cancel(); });
}

// --- Redrawing.

void TEditForm::redraw(const RosterChange& change) {
    m_bots->redraw(m_editor.botList(), change.bots);
    m_availableMembers->redraw(m_editor.availableMembers(), change.availableMembers);
    m_teams->redraw(m_editor.teamList(), change.teams);
    m_currentMembers->redraw(m_editor.currentMembers(), change.currentMembers);
    m_currentSupporters->redraw(m_editor.currentSupporters(), change.currentSupporters);
    m_availableSupporters->redraw(m_editor.availableSupporters(), change.availableSupporters);
    if (change.models) {
        ui->ModelComboBox->setItemsKeepingText(m_editor.models());
        ui->TeamModelComboBox->setItemsKeepingText(m_editor.models());
    }
    if (change.bot) {
        redrawBot(false);
    }
    if (change.team) {
        redrawTeam(false);
    }
    if (change.result) {
        closeAs(m_editor.result());
    }
}

void TEditForm::redrawAll() {
    const ListChange all{true, true, true};
    RosterChange change{all, all, all, all, all, all};
    change.models = true;
    redraw(change);
    redrawBot(true);
    redrawTeam(true);
}

void TEditForm::showBotTexts() {
    const BotControls bot = m_editor.botControls();
    showLineText(ui->BotNameEdit, toQt(bot.name));
    showComboText(ui->ModelComboBox, toQt(bot.model));
    showComboText(ui->SkinComboBox, toQt(bot.skin));
    showComboText(ui->AccuracyComboBox, toQt(bot.accuracy));
    showComboText(ui->AggressivenessComboBox, toQt(bot.aggressiveness));
    showComboText(ui->CombatSkillsComboBox, toQt(bot.combatSkills));
    showComboText(ui->FavWeaponComboBox, toQt(bot.favouriteWeapon));
    showChecked(ui->QuadCheckBox, bot.quadFreak);
    showChecked(ui->CamperCheckBox, bot.camper);
    showComboText(ui->AvgPingComboBox, toQt(bot.averagePing));
}

void TEditForm::showTeamTexts() {
    const TeamControls team = m_editor.teamControls();
    showLineText(ui->TeamNameEdit, toQt(team.name));
    showLineText(ui->TeamIDEdit, toQt(team.id));
    showComboText(ui->TeamModelComboBox, toQt(team.model));
    showComboText(ui->TeamSkinComboBox, toQt(team.skin));
}

void TEditForm::redrawBot(bool all) {
    const BotControls bot = m_editor.botControls();
    if (all || bot.panelCaption != m_bot.panelCaption) {
        ui->BotPanel->setTitle(panelTitle(bot.panelCaption));
    }
    if (all || bot.skinItems != m_bot.skinItems) {
        ui->SkinComboBox->setItemsKeepingText(bot.skinItems);
    }
    showBotTexts();
    if (all || bot.previewPath != m_bot.previewPath) {
        showPreview(bot.previewPath);
    }
    // A picture that could not be read is covered like a missing one.
    ui->CoverShape->setVisible(bot.coverShown || !m_previewLoaded);
    m_bot = bot;
}

void TEditForm::redrawTeam(bool all) {
    const TeamControls team = m_editor.teamControls();
    if (all || team.panelCaption != m_team.panelCaption) {
        ui->TeamPanel->setTitle(panelTitle(team.panelCaption));
    }
    if (all || team.skinItems != m_team.skinItems) {
        ui->TeamSkinComboBox->setItemsKeepingText(team.skinItems);
    }
    showTeamTexts();
    m_team = team;
}

// The icon's bytes as the editor found the file, decoded by Qt's image
// reading (the PCX reader is registered at start-up). A picture it refuses,
// or a file that cannot be read, leaves no picture.
void TEditForm::showPreview(const std::string& path) {
    QImage image;
    if (!path.empty()) {
        try {
            QByteArray bytes = QByteArray::fromStdString(readFileBytes(path));
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer, "pcx");
            if (!reader.read(&image)) {
                image = QImage();
            }
        } catch (const WynError&) {
            image = QImage();
        }
    }
    m_previewLoaded = !image.isNull();
    ui->BotImage->setPixmap(m_previewLoaded ? QPixmap::fromImage(image) : QPixmap());
}

// --- Opening.

void runRosterEditor(QWidget* parent, SessionSettings& session, ValueStore& store,
                     UiPrompts& prompts) {
    RosterEditor editor(session.gameDirectory(), session.profile(), prompts,
                        session.contentRoots());
    runEditor<TEditForm>(editor, prompts, session, store, parent);
}

}  // namespace wyn
