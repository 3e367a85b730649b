#include "main_window_fixture.h"

#include <QTabWidget>

#include "list_views.h"

namespace wyn::test {

void MainWindowTest::showTabOf(const char* name) {
    auto* tabs = find<QTabWidget>("MainPageControl");
    QWidget* widget = find(name);
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->widget(i)->isAncestorOf(widget)) {
            tabs->setCurrentIndex(i);
            QApplication::processEvents();
            return;
        }
    }
}

void MainWindowTest::click(const char* name) {
    auto* button = find<QAbstractButton>(name);
    const bool boxed = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint point =
        boxed ? QPoint(button->height() / 2, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, point);
}

void MainWindowTest::clickRow(const char* list, int row, bool check) {
    showTabOf(list);
    auto* view = find<QListView>(list);
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    if (check) {
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Space);
    }
}

QStringList MainWindowTest::rows(const char* list) const {
    return listRows(find<QListView>(list));
}

int MainWindowTest::currentRow(const char* list) const {
    return selectedRow(find<QListView>(list));
}

}  // namespace wyn::test
