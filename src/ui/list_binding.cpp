#include "ui/list_binding.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QSignalBlocker>

#include "platform/qt_text.h"

namespace wyn {

namespace {

// A list without a selection stays so when it takes the focus from the
// keyboard: Qt would make its first entry current, which the binding would
// take for the user's choice (and "<" would insert before it instead of
// appending). The focus is handed over as a mouse click hands it, which
// leaves the current entry alone; the first arrow key still picks an entry.
class FocusWithoutPick : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn ||
            static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
            return false;
        }
        QFocusEvent asByMouse(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(watched, &asByMouse);
        return true;
    }
};

}  // namespace

// --- NamesModel.

NamesModel::NamesModel(bool checkable, QObject* parent)
    : QAbstractListModel(parent), m_checkable(checkable) {}

void NamesModel::setNames(const std::vector<std::string>& names) {
    beginResetModel();
    m_names = names;
    m_checks.assign(names.size(), false);
    endResetModel();
}

void NamesModel::setChecks(const std::vector<bool>& checks) {
    m_checks = checks;
    m_checks.resize(m_names.size(), false);
    if (!m_names.empty()) {
        emit dataChanged(index(0), index(static_cast<int>(m_names.size()) - 1),
                         {Qt::CheckStateRole});
    }
}

int NamesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_names.size());
}

QVariant NamesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_names.size()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return toQt(m_names[static_cast<std::size_t>(index.row())]);
    }
    if (role == Qt::CheckStateRole && m_checkable) {
        return m_checks[static_cast<std::size_t>(index.row())] ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

bool NamesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!m_checkable || role != Qt::CheckStateRole || !index.isValid()) {
        return false;
    }
    // Only the view calls this, for the user's click or Space: the core
    // decides, and the check mark is redrawn from its change notice.
    emit checkToggled(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags NamesModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractListModel::flags(index);
    if (m_checkable && index.isValid()) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

// --- ListBinding.

ListBinding::ListBinding(QListView* view, bool checkable, SelectHandler onSelect,
                         CheckHandler onCheck)
    : QObject(view), m_view(view), m_model(new NamesModel(checkable, view)) {
    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setUniformItemSizes(true);  // thousands of maps lay out at once
    m_view->installEventFilter(new FocusWithoutPick(this));
    m_view->installEventFilter(this);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [onSelect](const QModelIndex& current, const QModelIndex&) {
                onSelect(current.isValid() ? Selection(static_cast<std::size_t>(current.row()))
                                           : Selection());
            });
    if (onCheck) {
        connect(m_model, &NamesModel::checkToggled, this, [onCheck](int row, bool checked) {
            onCheck(static_cast<std::size_t>(row), checked);
        });
    }
}

void ListBinding::showSelection(Selection row) {
    QItemSelectionModel* selection = m_view->selectionModel();
    if (!row) {
        selection->clearCurrentIndex();
        selection->clearSelection();
    } else {
        const QModelIndex index = m_model->index(static_cast<int>(*row));
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollToCurrent();
    }
    m_view->viewport()->update();
}

// Scrolling lays out every entry: a list not shown (on another tab, or the
// window still being built) scrolls when it is shown.
void ListBinding::scrollToCurrent() {
    m_scrollWhenShown = !m_view->isVisible();
    if (!m_scrollWhenShown) {
        m_view->scrollTo(m_view->currentIndex());
    }
}

bool ListBinding::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && m_scrollWhenShown) {
        m_scrollWhenShown = false;
        if (m_view->currentIndex().isValid()) {
            m_view->scrollTo(m_view->currentIndex());
        }
    }
    return QObject::eventFilter(watched, event);
}

void ListBinding::redraw(const SelectList& list, const ListChange& change) {
    const QSignalBlocker blocker(m_view->selectionModel());
    if (change.items) {
        m_model->setNames(list.items());
    }
    if (change.items || change.selection) {
        showSelection(list.selected());
    }
}

void ListBinding::redraw(const CheckList& list, const ListChange& change) {
    const QSignalBlocker blocker(m_view->selectionModel());
    if (change.items) {
        m_model->setNames(list.items());
    }
    if (change.items || change.checks) {
        m_model->setChecks(list.checks());
    }
    if (change.items || change.selection) {
        showSelection(list.current());
    }
}

void ListBinding::redrawAll(const SelectList& list) {
    redraw(list, {true, true, true});
}

void ListBinding::redrawAll(const CheckList& list) {
    redraw(list, {true, true, true});
}

}  // namespace wyn
