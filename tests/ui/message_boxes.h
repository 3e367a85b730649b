#pragma once

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace wyn::test {

// What the next modal message box showed; it is answered with OK.
struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QString spoken;  // its text as a screen reader reads it
};

// Watches for the next modal message box, records it and presses its OK.
inline void answerNextMessageBox(ShownBox& shown) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, &shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            auto* label = box->findChild<QLabel*>("qt_msgbox_label");  // Qt's own name
            shown = {box->windowTitle(), box->text(), box->icon(),
                     static_cast<int>(box->buttons().size()),
                     QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name)};
            timer->stop();
            timer->deleteLater();
            box->button(QMessageBox::Ok)->click();
        }
    });
    timer->start(10);
}

}  // namespace wyn::test
