#include "editor_window_fixture.h"

#include <QTabWidget>

#include "list_views.h"

namespace wyn::test {

std::string fixturePicture(const char* name) {
    return std::string(WYN_FIXTURES_DIR) + "/pcx/" + name;
}

void DialogDriver::showTabOf(QWidget* widget) {
    for (QTabWidget* tabs : m_dialog->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(widget)) {
                tabs->setCurrentIndex(i);
                QApplication::processEvents();
                return;
            }
        }
    }
}

void DialogDriver::click(const char* button) {
    auto* widget = find<QAbstractButton>(button);
    showTabOf(widget);
    const bool boxed = qobject_cast<QCheckBox*>(widget) != nullptr;
    const QPoint point =
        boxed ? QPoint(widget->height() / 2, widget->height() / 2) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, point);
    QApplication::processEvents();  // a command runs from the event loop
}

void DialogDriver::clickRow(const char* list, int row) {
    auto* view = find<QListView>(list);
    showTabOf(view);
    const QModelIndex index = view->model()->index(row, 0);
    ASSERT_TRUE(index.isValid()) << list << " has no row " << row;
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

void DialogDriver::type(const char* control, const QString& text, bool replace) {
    QWidget* widget = find(control);
    showTabOf(widget);
    auto* edit = qobject_cast<QLineEdit*>(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        edit = combo->lineEdit();
    }
    ASSERT_NE(edit, nullptr) << control;
    widget->setFocus();
    QApplication::processEvents();
    if (replace) {
        edit->selectAll();
        if (!edit->text().isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        }
    } else {
        edit->end(false);
    }
    QTest::keyClicks(edit, text);
}

QStringList DialogDriver::rows(const char* list) const {
    return listRows(find<QListView>(list));
}

int DialogDriver::currentRow(const char* list) const {
    return selectedRow(find<QListView>(list));
}

QString DialogDriver::text(const char* control) const {
    QWidget* widget = find(control);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return combo->currentText();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    ADD_FAILURE() << control << " shows no text";
    return {};
}

QStringList DialogDriver::items(const char* combo) const {
    auto* box = find<QComboBox>(combo);
    QStringList list;
    for (int i = 0; i < box->count(); ++i) {
        list.push_back(box->itemText(i));
    }
    return list;
}

NextModalDialog::NextModalDialog(std::function<void(QDialog&)> action)
    : m_action(std::move(action)) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        m_timer.stop();
        m_seen = true;
        m_action(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << qPrintable(dialog->windowTitle()) << " stayed open";
            dialog->reject();
        }
    });
    m_timer.start(10);
}

}  // namespace wyn::test
