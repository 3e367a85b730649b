#include "ui/t_join_form.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "platform/qt_text.h"
#include "session/join_game.h"
#include "ui/accessible_names.h"
#include "ui/binding.h"
#include "ui/qt_server_asker.h"
#include "ui_t_join_form.h"

namespace wyn {

namespace {

constexpr QSize kDesignedSize(560, 340);

// The number columns (players, ping) read best aligned to the right.
constexpr int kFirstNumberColumn = 3;

}  // namespace

TJoinForm::TJoinForm(JoinGame& join, UiPrompts& prompts, QWidget* parent)
    : EditorDialog(
          prompts, [&join] { join.cancel(); }, parent),
      ui(std::make_unique<Ui::TJoinForm>()),
      m_join(join) {
    ui->setupUi(this);
    QHeaderView* header = ui->ServersListBox->header();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setStretchLastSection(false);
    nameControlsByTheirLabels(this);

    onTextChanged(ui->AddressEdit, this, [this](const QString& text) {
        forward([&] { m_join.setAddressText(fromQt(text)); });
    });
    connect(ui->ServersListBox, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) {
                if (item != nullptr) {
                    const auto row = ui->ServersListBox->indexOfTopLevelItem(item);
                    forward([&] { m_join.chooseRow(static_cast<std::size_t>(row)); });
                }
            });
    // A double click or Enter on a row joins that server.
    connect(ui->ServersListBox, &QTreeWidget::itemActivated, this,
            [this] { later(this, [this] { forward([this] { m_join.join(); }); }); });
    command(ui->FindButton, [this] { m_join.findLanGames(); });
    command(ui->JoinButton, [this] { m_join.join(); });
    command(ui->CancelButton, [this] { m_join.cancel(); });
    m_connection = m_join.onChange([this](const JoinGameChange& change) { redraw(change); });
    redraw({true, true, true, true, true});
    fixSizeAndCentre(*this, kDesignedSize);
}

TJoinForm::~TJoinForm() = default;

void TJoinForm::redraw(const JoinGameChange& change) {
    if (change.address) {
        showLineText(ui->AddressEdit, toQt(m_join.addressText()));
    }
    if (change.rows) {
        fillRows();
    }
    if (change.rows || change.selection) {
        redrawSelection();
    }
    if (change.state) {
        ui->StateLabel->setText(toQt(m_join.stateText()));
        ui->JoinButton->setEnabled(m_join.joinEnabled());
        ui->FindButton->setEnabled(m_join.findEnabled());
        // A button disabled under the focus took it away; the address gets it.
        if (focusWidget() == nullptr || !focusWidget()->isEnabled()) {
            ui->AddressEdit->setFocus();
        }
    }
    if (change.result) {
        closeAs(m_join.result());
    }
}

void TJoinForm::fillRows() {
    const QSignalBlocker blocker(ui->ServersListBox);
    ui->ServersListBox->clear();
    QList<QTreeWidgetItem*> items;
    for (std::size_t row = 0; row < m_join.rows().size(); ++row) {
        QStringList texts;
        for (const auto& cell : m_join.cells(row)) {
            texts.push_back(toQt(cell));
        }
        auto* item = new QTreeWidgetItem(texts);
        for (int column = kFirstNumberColumn; column < texts.size(); ++column) {
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
        items.push_back(item);
    }
    ui->ServersListBox->addTopLevelItems(items);
}

// Always setting the current row (none included) also keeps Qt from making
// the first row current when the list takes the focus from the keyboard,
// which would read as the user's choice.
void TJoinForm::redrawSelection() {
    const QSignalBlocker blocker(ui->ServersListBox);
    const auto row = m_join.selectedRow();
    ui->ServersListBox->setCurrentItem(
        row ? ui->ServersListBox->topLevelItem(static_cast<int>(*row)) : nullptr);
}

void runJoinGame(QWidget* parent, const SessionSettings& session, ValueStore& store,
                 GameStarter& starter, UiPrompts& prompts,
                 const std::function<void()>& closeMainWindow) {
    QtServerAsker asker(prompts);
    JoinGame join(session, store, asker, prompts, starter);
    TJoinForm form(join, prompts, parent);
    guarded(prompts, [&] { join.open(); });
    form.exec();
    if (join.closesMainWindow()) {
        closeMainWindow();
    }
}

}  // namespace wyn
