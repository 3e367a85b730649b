#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <functional>
#include <string>
#include <vector>

#include "base/lists.h"

namespace wyn {

// The entries of a list box, with a check box per entry where the list has
// them. Filled in one go, so thousands of maps cost one reset of the view;
// an entry becomes a QString only when the view asks for it, which it does
// for the rows it shows.
class NamesModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit NamesModel(bool checkable, QObject* parent = nullptr);

    void setNames(const std::vector<std::string>& names);
    void setChecks(const std::vector<bool>& checks);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The user checked or unchecked an entry.
    void checkToggled(int row, bool checked);

private:
    bool m_checkable;
    std::vector<std::string> m_names;
    std::vector<bool> m_checks;
};

// A QListView bound to one of the core's lists: the user's choices go to the
// core through the two callbacks, and the view is redrawn from the list and
// the parts that changed. Entries are refilled only when they changed, so the
// scroll position and the current row stay otherwise.
class ListBinding : public QObject {
    Q_OBJECT

public:
    using SelectHandler = std::function<void(Selection)>;
    using CheckHandler = std::function<void(std::size_t row, bool checked)>;

    ListBinding(QListView* view, bool checkable, SelectHandler onSelect, CheckHandler onCheck = {});

    QListView* view() const { return m_view; }

    void redraw(const SelectList& list, const ListChange& change);
    void redraw(const CheckList& list, const ListChange& change);
    void redrawAll(const SelectList& list);
    void redrawAll(const CheckList& list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelection(Selection row);
    void scrollToCurrent();

    QListView* m_view;
    NamesModel* m_model;
    bool m_scrollWhenShown = false;
};

}  // namespace wyn
