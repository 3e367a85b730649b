#pragma once

#include <QItemSelectionModel>
#include <QListView>
#include <QStringList>

namespace wyn::test {

// The entries a list view shows.
inline QStringList listRows(const QListView* view) {
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        names.push_back(view->model()->index(row, 0).data().toString());
    }
    return names;
}

// The selected row of a list view; -1 when none is.
inline int selectedRow(const QListView* view) {
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

}  // namespace wyn::test
