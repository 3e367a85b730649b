#include "ui/t_server_status_form.h"

#include <QAction>
#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTreeWidget>

#include "platform/qt_text.h"
#include "ui/accessible_names.h"
#include "ui/binding.h"
#include "ui_t_server_status_form.h"

namespace wyn {

namespace {

constexpr QSize kDesignedSize(420, 520);
// The friends' addresses show a few rows; more scroll.
constexpr int kFriendRows = 3;
// The log keeps this many lines; older ones go as new ones come.
constexpr int kLogLines = 2000;

}  // namespace

TServerStatusForm::TServerStatusForm(UiPrompts& prompts, std::vector<IpAddress> ownAddresses,
                                     ServerMonitor::Timing timing, QWidget* parent,
                                     std::unique_ptr<ServerAsker> asker)
    : EditorDialog(
          prompts, [this] { m_monitor.close(); }, parent,
          Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TServerStatusForm>()),
      m_asker(asker ? std::move(asker) : std::make_unique<QtServerAsker>(prompts)),
      m_monitor(*m_asker, prompts, std::move(ownAddresses), timing) {
    ui->setupUi(this);
    QListWidget* friends = ui->FriendsListBox;
    friends->addItem("0");  // measured with a row in it
    friends->setFixedHeight(friends->sizeHintForRow(0) * kFriendRows + 2 * friends->frameWidth());
    friends->clear();
    // Ctrl+C and the context menu copy the address selected.
    auto* copy = new QAction("&Copy", friends);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    friends->addAction(copy);
    friends->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, [friends] {
        if (const QListWidgetItem* item = friends->currentItem()) {
            QGuiApplication::clipboard()->setText(item->text());
        }
    });
    QHeaderView* header = ui->PlayersListBox->header();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setStretchLastSection(false);
    ui->LogMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ui->LogMemo->setMaximumBlockCount(kLogLines);
    ui->LogPanel->hide();
    nameControlsByTheirLabels(this);

    onTextChanged(ui->AddressEdit, this, [this](const QString& text) {
        forward([&] { m_monitor.setAddressText(fromQt(text)); });
    });
    // A refused address is told in a box, once Enter has returned.
    connect(ui->AddressEdit, &QLineEdit::returnPressed, this,
            [this] { later(this, [this] { forward([this] { m_monitor.enter(); }); }); });
    command(ui->CloseButton, [this] { close(); });
    m_connection =
        m_monitor.onChange([this](const ServerMonitorChange& change) { redraw(change); });
    redraw({true, true, true, true, true, false});
    resize(minimumSizeHint().expandedTo(kDesignedSize));
    centreOnScreen(*this);
}

TServerStatusForm::~TServerStatusForm() {
    m_monitor.close();
}

void TServerStatusForm::showStarted(const ServerAddress& server, const std::string& log) {
    m_log = log.empty() ? nullptr : std::make_unique<LogFollower>(log);
    ui->LogMemo->clear();
    forward([&] { m_monitor.showStarted(server); });
    readLog();
}

void TServerStatusForm::showServer(const ServerAddress& server) {
    forward([&] { m_monitor.show(server); });
}

void TServerStatusForm::redraw(const ServerMonitorChange& change) {
    if (change.address) {
        showLineText(ui->AddressEdit, toQt(m_monitor.addressText()));
    }
    if (change.friends) {
        const QSignalBlocker blocker(ui->FriendsListBox);
        ui->FriendsListBox->clear();
        ui->FriendsListBox->addItems(toQt(m_monitor.friendAddresses()));
        ui->FriendsListBox->setCurrentRow(0);
    }
    if (change.status) {
        redrawStatus();
    }
    if (change.state) {
        ui->StateLabel->setText(toQt(m_monitor.stateText()));
    }
    if (change.log) {
        ui->LogPanel->setVisible(m_monitor.logShown() && m_log);
    }
    if (change.refreshed) {
        readLog();
    }
}

void TServerStatusForm::redrawStatus() {
    ui->NameLabel->setText(toQt(m_monitor.nameText()));
    ui->MapLabel->setText(toQt(m_monitor.mapText()));
    ui->PlayersLabel->setText(toQt(m_monitor.playersText()));
    ui->FragLimitLabel->setText(toQt(m_monitor.fragLimitText()));
    ui->TimeLimitLabel->setText(toQt(m_monitor.timeLimitText()));
    // The player kept current by name, where it is still on the server.
    QTreeWidget* table = ui->PlayersListBox;
    const QTreeWidgetItem* current = table->currentItem();
    const QString currentName = current != nullptr ? current->text(0) : QString();
    const QSignalBlocker blocker(table);
    table->clear();
    QList<QTreeWidgetItem*> items;
    for (const ServerPlayer& player : m_monitor.players()) {
        auto* item = new QTreeWidgetItem(QStringList{
            toQt(player.name), QString::number(player.frags), QString::number(player.ping)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        items.push_back(item);
    }
    table->addTopLevelItems(items);
    if (!currentName.isEmpty()) {
        const auto found = table->findItems(currentName, Qt::MatchExactly);
        table->setCurrentItem(found.isEmpty() ? nullptr : found.front());
    }
}

// What the game wrote since the last look goes at the end; a view scrolled to
// its end stays there, one scrolled back stays where the reader is.
void TServerStatusForm::readLog() {
    if (!m_log || !m_monitor.logShown()) {
        return;
    }
    const LogFollower::Piece piece = m_log->look();
    if (piece.bytes.empty() && !piece.restart) {
        return;
    }
    QPlainTextEdit* memo = ui->LogMemo;
    QScrollBar* bar = memo->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const QString text = toQt(consoleText(piece.bytes));
    if (piece.restart) {
        memo->setPlainText(text);
    } else {
        QTextCursor end(memo->document());
        end.movePosition(QTextCursor::End);
        end.insertText(text);
    }
    if (atEnd || piece.restart) {
        bar->setValue(bar->maximum());
    }
}

}  // namespace wyn
