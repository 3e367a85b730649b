#include "main_window_fixture.h"

#include <QTabWidget>

#include "list_views.h"
#include "session/preset_file.h"

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
    QApplication::processEvents();  // a command runs from the event loop
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

std::vector<std::string> MainWindowTest::snapshot() const {
    std::vector<std::string> lines = presetLines(form->session());
    lines.push_back(form->session().commandLine());
    lines.push_back(preview());
    for (const auto& info : allFields()) {
        const QWidget* widget = find(std::string(info.name).c_str());
        std::string state = std::string(info.name) + (widget->isEnabled() ? " on" : " off");
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            state += button->isChecked() ? " checked" : "";
        }
        lines.push_back(state);
    }
    return lines;
}

QStringList MainWindowTest::rows(const char* list) const {
    return listRows(find<QListView>(list));
}

int MainWindowTest::currentRow(const char* list) const {
    return selectedRow(find<QListView>(list));
}

}  // namespace wyn::test
