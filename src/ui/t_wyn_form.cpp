#include "ui/t_wyn_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <chrono>

#include "base/text.h"
#include "platform/qt_text.h"
#include "platform/system_path.h"
#include "session/launch.h"
#include "session/preset_file.h"
#include "ui/accessible_names.h"
#include "ui/binding.h"
#include "ui/colours.h"
#include "ui/list_binding.h"
#include "ui/pictures.h"
#include "ui/t_combo_box98.h"
#include "ui/t_command_line_form.h"
#include "ui_t_wyn_form.h"

namespace wyn {

namespace {

using F = Field;

// A field that holds a path crosses as the file system's bytes; other texts
// as texts do, an item picked from a combo box as the item's bytes.
QString shownText(Field field, const std::string& text) {
    return holdsPath(field) ? toSystemPath(text) : toQt(text);
}

std::string typedText(Field field, const QWidget* control, const QString& text) {
    return holdsPath(field) ? fromSystemPath(text) : coreTextOf(control, text);
}

// The client area the window was laid out for, with and without the preview
// panel; a font that needs more room grows the window.
constexpr int kClientWidth = 449;
constexpr int kClientHeightWithPreview = 441;
constexpr int kPreviewHeight = 97;
// The characters a combo box of the game directory's names is sized for.
constexpr int kGameItemsLength = 8;

bool isPreset(const QUrl& url) {
    return url.isLocalFile() && url.toLocalFile().endsWith(".wyn", Qt::CaseInsensitive);
}

unsigned clockSeed() {
    return static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
}

}  // namespace

TWYNForm::TWYNForm(const MainWindowServices& services, const std::string& currentDirectory,
                   QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::TWYNForm>()),
      m_services(services),
      m_session(services.profile),
      m_life(m_session, services.store, m_recent, services.prompts) {
    ui->setupUi(this);
    setUpControls();
    setUpPictures();
    bindFields();
    bindLists();
    bindButtons();
    bindMenus();
    setAcceptDrops(true);
    nameControlsByTheirLabels(this);
    m_session.setDirectoryPrompt(&services.prompts);
    m_sessionConnection =
        m_session.onChange([this](const SessionChange& change) { redraw(change); });

    m_commandLineForm = new TCommandLineForm(this);
    m_commandLineForm->setOnUserClose(
        [this] { forward([&] { m_session.setChecked(F::ExternalCheckBox, false); }); });

    forward([&] { m_life.create(currentDirectory); });
    redrawAll();
    redrawRecentMenu();
}

TWYNForm::~TWYNForm() {
    try {
        m_life.destroy();
    } catch (const WynError&) {
        // A store that cannot be written loses the recent files of this run.
    }
}

// --- Set-up.

void TWYNForm::setUpControls() {
    // One pass over the window's widgets finds every field's control and label.
    QHash<QString, QWidget*> byName;
    for (QWidget* widget : findChildren<QWidget*>()) {
        byName.insert(widget->objectName(), widget);
    }
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            m_labels.insert(label->buddy(), label);
        }
    }
    for (const auto& info : allFields()) {
        QWidget* widget = byName.value(toQt(info.name));
        Q_ASSERT_X(widget != nullptr, "TWYNForm", "every field has its control");
        m_controls[static_cast<std::size_t>(info.field)] = widget;
        if (auto* combo = qobject_cast<TComboBox98*>(widget)) {
            combo->setCompletes(info.completes);
            if (info.items.empty()) {
                // Its items come from the game directory, thousands of them:
                // it is sized for a number of characters instead of measuring
                // every item. That policy leaves room for an item's icon; the
                // icon's height goes, so the box stays as tall as the others.
                combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                combo->setMinimumContentsLength(kGameItemsLength);
                combo->setIconSize({combo->iconSize().width(), 0});
            }
            combo->setItemsKeepingText(m_session.comboItems(info.field));
        }
        if (auto* spin = qobject_cast<QSpinBox*>(widget); spin != nullptr && info.range) {
            spin->setRange(info.range->minimum, info.range->maximum);
        }
    }
    // The launch button stands beside the tab captions.
    auto* corner = new QWidget(ui->MainPageControl);
    auto* cornerLayout = new QHBoxLayout(corner);
    cornerLayout->setContentsMargins(0, 0, 2, 2);
    cornerLayout->addWidget(ui->LaunchButton);
    ui->MainPageControl->setCornerWidget(corner, Qt::TopRightCorner);
    ui->LaunchButton->setMinimumSize(93, 30);
    ui->MainPageControl->setCurrentWidget(ui->GeneralTabSheet);
    ui->MainPageControl->tabBar()->setUsesScrollButtons(false);
    // Every tab keeps room for its captions, whichever tab is shown.
    for (int i = 0; i < ui->MainPageControl->count(); ++i) {
        QWidget* page = ui->MainPageControl->widget(i);
        page->setMinimumSize(page->minimumSizeHint());
    }
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    // The red and the blue team in their colours.
    useTextColour(ui->RedListBox, Qt::red);
    useTextColour(ui->BlueListBox, Qt::blue);
    usePreviewColours(ui->CommandLinePanel);
    // LaunchButton is the default button, as in a dialog: a focused push
    // button takes Enter itself, and Enter that no control took launches.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(true);
    }
}

void TWYNForm::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier && ui->LaunchButton->isEnabled()) {
        ui->LaunchButton->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// The pictures of the other tabs are read when their tab is first shown, so
// the window opens without decoding what it does not show.
void TWYNForm::setUpPictures() {
    showPicture(ui->WYNLogo, Picture::Logo);
    ui->CTFImage->setMinimumSize(pictureSize(Picture::Ctf));
    ui->RedImage->setMinimumSize(pictureSize(Picture::RedTeam));
    ui->BlueImage->setMinimumSize(pictureSize(Picture::BlueTeam));
    connect(ui->MainPageControl, &QTabWidget::currentChanged, this, [this](int) {
        QWidget* tab = ui->MainPageControl->currentWidget();
        if (tab == ui->ServerTabSheet && ui->CTFImage->pixmap().isNull()) {
            showPicture(ui->CTFImage, Picture::Ctf);
        } else if (tab == ui->TeamplayTabSheet && ui->RedImage->pixmap().isNull()) {
            showPicture(ui->RedImage, Picture::RedTeam);
            showPicture(ui->BlueImage, Picture::BlueTeam);
        }
    });
}

void TWYNForm::bindFields() {
    for (const auto& info : allFields()) {
        const Field field = info.field;
        QWidget* widget = control(field);
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            onChosen(radio, this,
                     [this, field] { forward([&] { m_session.chooseRadio(field); }); });
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            onToggled(box, this, [this, field](bool checked) {
                forward([&] { m_session.setChecked(field, checked); });
                redrawValue(field);  // a change the session refused is undone
            });
        } else if (reactionMayAsk(field)) {
            // Its reaction may ask for the game directory in a modal box: it
            // runs after the change that caused it has returned.
            onTextChanged(widget, this, [this, field, widget](const QString& text) {
                later(this, [this, field, value = typedText(field, widget, text)] {
                    setText(field, value);
                });
            });
        } else {
            const bool bound =
                onTextChanged(widget, this, [this, field, widget](const QString& text) {
                    setText(field, typedText(field, widget, text));
                });
            Q_ASSERT_X(bound, "TWYNForm", "every field's control holds a state or a text");
        }
    }
}

// A text somebody else changed: its reaction runs whatever the text was
// before. The control then shows what the session kept (the directory check
// may have put back the text it had).
void TWYNForm::setText(Field field, const std::string& text) {
    forward([&] { m_session.setText(field, text, Reaction::Always); });
    redrawValue(field);
}

void TWYNForm::bindLists() {
    const auto bind = [this](SessionList list, QListView* view, ListBinding::SelectHandler select,
                             ListBinding::CheckHandler check = {}) {
        m_lists[static_cast<std::size_t>(list)] = new ListBinding(
            view, listInfo(list).kind == ListKind::Check, std::move(select), std::move(check));
    };
    for (const MapType type : kMapTypes) {
        const SessionList list = mapListOf(type);
        bind(list, findChild<QListView*>(toQt(listInfo(list).name)),
             [this, type](Selection row) { forward([&] { m_session.userSelectMap(type, row); }); });
    }
    bind(
        SessionList::BotsListBox, ui->BotsListBox,
        [this](Selection row) { forward([&] { m_session.setBotsCurrent(row); }); },
        [this](std::size_t row, bool checked) {
            forward([&] { m_session.setBotChecked(row, checked); });
        });
    bind(
        SessionList::BotTeamsListBox, ui->BotTeamsListBox,
        [this](Selection row) { forward([&] { m_session.setBotTeamsCurrent(row); }); },
        [this](std::size_t row, bool checked) {
            forward([&] { m_session.setBotTeamChecked(row, checked); });
        });
    bind(SessionList::RedListBox, ui->RedListBox,
         [this](Selection row) { forward([&] { m_session.selectRed(row); }); });
    bind(SessionList::BlueListBox, ui->BlueListBox,
         [this](Selection row) { forward([&] { m_session.selectBlue(row); }); });
    bind(SessionList::AvailableListBox, ui->AvailableListBox,
         [this](Selection row) { forward([&] { m_session.selectAvailable(row); }); });
}

void TWYNForm::bindButtons() {
    const auto command = [this](QAbstractButton* button, auto call) {
        onCommand(button, this, [this, call] { forward(call); });
    };
    command(ui->LaunchButton, [this] { launch(); });
    command(ui->AddRedButton, [this] { m_session.addRed(); });
    command(ui->RemoveRedButton, [this] { m_session.removeRed(); });
    command(ui->AddBlueButton, [this] { m_session.addBlue(); });
    command(ui->RemoveBlueButton, [this] { m_session.removeBlue(); });
    command(ui->MapsRefreshButton, [this] { m_session.refreshMaps(); });
    command(ui->RandomMapButton, [this] { m_session.randomMap(clockSeed()); });
    command(ui->MapCycleButton, [this] { m_services.windows.openMapCycleEditor(); });
    command(ui->BotsCFGButton, [this] { m_services.windows.openRosterEditor(); });
    command(ui->BotChatButton, [this] { m_services.windows.openChatEditor(); });
}

void TWYNForm::bindMenus() {
    const auto command = [this](QAction* action, auto call) {
        onCommand(action, this, [this, call] { forward(call); });
    };
    command(ui->FileNewMenu, [this] { m_session.resetToNew(); });
    command(ui->FileOpenMenu, [this] { askAndOpenPreset(); });
    command(ui->FileSaveMenu, [this] { SaveCurrentPreset(m_session, m_services.prompts); });
    command(ui->FileSaveAsMenu, [this] { SavePresetAs(m_session, m_services.prompts); });
    command(ui->FileLaunchMenu, [this] { launch(); });
    command(ui->FileWizardMenu, [this] { m_services.windows.openWizard(); });
    command(ui->FileExitMenu, [this] { close(); });
    command(ui->MultiplayerJoinMenu, [this] { m_services.windows.openJoinGame(); });
    command(ui->MultiplayerStatusMenu, [this] { m_services.windows.openServerStatus(); });
    command(ui->HelpDevNewsMenu, [this] { m_services.windows.openDevNews(); });
    command(ui->HelpAboutMenu, [this] { m_services.windows.openAbout(); });
    ui->FileMenu->setToolTipsVisible(true);
}

// --- Start-up and shutdown.

void TWYNForm::start(const std::vector<std::string>& arguments) {
    forward([&] { m_life.show(); });
    show();
    m_commandLineForm->setVisible(m_session.viewState().externalWindowShown);
    ArgumentsOutcome outcome;
    forward([&] { outcome = m_life.openArguments(arguments, m_services.starter); });
    redrawRecentMenu();
    if (outcome.closeWindow()) {
        // Close on Launch: the window closes once it has been shown.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void TWYNForm::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        // The state is stored, then the external window closes, which clears
        // its box after the store kept the user's choice.
        forward([&] { m_life.close(); });
        m_commandLineForm->hide();
    }
    event->accept();
}

// --- Commands.

void TWYNForm::launch() {
    forward([&] {
        const LaunchResult result = Launch(m_session, m_services.prompts, m_services.starter);
        if (result.closeWindow) {
            close();
        }
    });
}

void TWYNForm::gameEnded(const GameEnd& end) {
    m_services.prompts.showGameEnd(reportGameEnd(end, m_services.profile));
}

void TWYNForm::askAndOpenPreset() {
    if (const auto path = m_services.prompts.choosePresetOpenPath(m_session.openHistory())) {
        openPreset(*path);
    }
}

void TWYNForm::openPreset(const std::string& path) {
    forward([&] {
        try {
            OpenPreset(m_session, path, m_recent);
        } catch (...) {
            redrawRecentMenu();  // a preset that was read joined the recent files
            throw;
        }
    });
    redrawRecentMenu();
}

void TWYNForm::dragEnterEvent(QDragEnterEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.size() == 1 && isPreset(urls.front())) {
        event->acceptProposedAction();
    }
}

void TWYNForm::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.size() == 1 && isPreset(urls.front())) {
        event->acceptProposedAction();
        openPreset(fromSystemPath(QDir::toNativeSeparators(urls.front().toLocalFile())));
    }
}

// --- Redrawing.

void TWYNForm::redraw(const SessionChange& change) {
    const ViewState view = m_session.viewState();
    for (const auto& info : allFields()) {
        const auto i = static_cast<std::size_t>(info.field);
        if (change.items[i]) {
            redrawItems(info.field);
        }
        if (change.text[i] || change.checked[i]) {
            redrawValue(info.field);
        }
        if (change.enabled[i]) {
            redrawEnabled(info.field, view);
        }
    }
    redrawLists(change, false);
    if (change.preview) {
        // It starts with the executable's path, shown as the system names it.
        const QString line = toSystemPath(m_session.commandLine());
        ui->CommandLineLabel->setText(line);
        m_commandLineForm->setCommandLine(line);
    }
    if (change.caption) {
        setWindowTitle(toSystemPath(m_session.caption()));  // it names the preset file
    }
    if (change.view) {
        redrawView(view);
    }
}

void TWYNForm::redrawAll() {
    SessionChange all;
    all.text.set();
    all.checked.set();
    all.enabled.set();
    all.items.set();
    all.preview = all.caption = all.view = true;
    redraw(all);
    redrawLists(all, true);
}

void TWYNForm::redrawValue(Field field) {
    QWidget* widget = control(field);
    const QString text = shownText(field, m_session.text(field));
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const QSignalBlocker blocker(button);
        button->setChecked(m_session.checked(field));
    } else if (auto* combo = qobject_cast<TComboBox98*>(widget)) {
        combo->showText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != text) {
            const QSignalBlocker blocker(edit);
            edit->setText(text);
        }
    } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        int value = 0;
        if (tryParseInteger(m_session.text(field), value) && spin->value() != value) {
            const QSignalBlocker blocker(spin);
            spin->setValue(value);
        }
    }
}

void TWYNForm::redrawEnabled(Field field, const ViewState& view) {
    QWidget* widget = control(field);
    const bool enabled = view.enabled(field);
    widget->setEnabled(enabled);
    // A label names its control and goes grey with it.
    if (QLabel* label = m_labels.value(widget)) {
        label->setEnabled(enabled);
    }
}

void TWYNForm::redrawItems(Field field) {
    if (auto* combo = qobject_cast<TComboBox98*>(control(field))) {
        combo->setItemsKeepingText(m_session.comboItems(field));
    }
}

void TWYNForm::redrawLists(const SessionChange& change, bool all) {
    for (const auto& info : allLists()) {
        ListBinding* binding = m_lists[static_cast<std::size_t>(info.list)];
        const ListChange parts = all ? ListChange{true, true, true} : change.list(info.list);
        if (!parts.any()) {
            continue;
        }
        switch (info.list) {
            case SessionList::GeneralMapsListBox:
                binding->redraw(m_session.mapList(MapType::General), parts);
                break;
            case SessionList::CTFMapsListBox:
                binding->redraw(m_session.mapList(MapType::CTF), parts);
                break;
            case SessionList::ExternalMapsListBox:
                binding->redraw(m_session.mapList(MapType::External), parts);
                break;
            case SessionList::BotsListBox:
                binding->redraw(m_session.bots(), parts);
                break;
            case SessionList::BotTeamsListBox:
                binding->redraw(m_session.botTeams(), parts);
                break;
            case SessionList::RedListBox:
                binding->redraw(m_session.redList(), parts);
                break;
            case SessionList::BlueListBox:
                binding->redraw(m_session.blueList(), parts);
                break;
            case SessionList::AvailableListBox:
                binding->redraw(m_session.availableList(), parts);
                break;
        }
    }
}

void TWYNForm::redrawView(const ViewState& view) {
    for (const auto& info : allLists()) {
        m_lists[static_cast<std::size_t>(info.list)]->view()->setEnabled(view.enabled(info.list));
    }
    ui->TeamplayPanel->setCurrentWidget(view.teamLayout == TeamLayout::RedBlue ? ui->CTFTeamsPanel
                                                                               : ui->TeamsPanel);
    for (QWidget* teamControl : std::initializer_list<QWidget*>{
             ui->BotTeamsText, ui->AvailableText, ui->AddRedButton, ui->RemoveRedButton,
             ui->AddBlueButton, ui->RemoveBlueButton}) {
        teamControl->setEnabled(view.teamControlsEnabled);
    }
    ui->CommandLinePanel->setVisible(view.previewPanelShown);
    m_commandLineForm->setVisible(view.externalWindowShown && isVisible());
    fitToContents(view.previewPanelShown);
}

// Fixed in size: the smallest that holds every caption, at least the size the
// window was laid out for; the preview panel comes and goes with its height.
void TWYNForm::fitToContents(bool previewShown) {
    QWidget* client = ui->CentralWidget;
    client->setMinimumSize(0, 0);
    client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    client->layout()->invalidate();
    client->layout()->activate();
    const QSize designed(kClientWidth,
                         kClientHeightWithPreview - (previewShown ? 0 : kPreviewHeight));
    client->setFixedSize(client->minimumSizeHint().expandedTo(designed));
    layout()->invalidate();
    layout()->activate();
    setFixedSize(minimumSizeHint());
}

void TWYNForm::redrawRecentMenu() {
    for (QAction* action : m_recentActions) {
        ui->FileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    if (m_recent.paths().empty()) {
        return;
    }
    // Before the separator above "E&xit", after a separator of their own.
    const QList<QAction*> actions = ui->FileMenu->actions();
    QAction* before = actions[actions.indexOf(ui->FileExitMenu) - 1];
    const QFontMetrics metrics(ui->FileMenu->font());
    const auto width = [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(toSystemPath(text));
    };
    auto* separator = new QAction(ui->FileMenu);
    separator->setSeparator(true);
    ui->FileMenu->insertAction(before, separator);
    m_recentActions.push_back(separator);
    const auto captions = m_recent.menuCaptions(width, m_services.profile);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const std::string path = m_recent.paths()[i];
        auto* action = new QAction(toSystemPath(captions[i]), ui->FileMenu);
        action->setObjectName(QString("RecentFile%1").arg(i + 1));
        action->setToolTip(toSystemPath(path));
        action->setStatusTip(toSystemPath(path));
        onCommand(action, this, [this, path] { openPreset(path); });
        ui->FileMenu->insertAction(before, action);
        m_recentActions.push_back(action);
    }
}

}  // namespace wyn
