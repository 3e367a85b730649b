#pragma once

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QTest>
#include <QWidget>

// What a screen reader or voice control sees of a control and does to it,
// through Qt's accessibility interfaces.
namespace wyn::test::accessible {

inline QAccessibleInterface* of(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(iface, nullptr) << object->objectName().toStdString();
    return iface;
}

inline QString name(QObject* object) {
    return of(object)->text(QAccessible::Name);
}

inline QString description(QObject* object) {
    return of(object)->text(QAccessible::Description);
}

inline QString value(QObject* object) {
    return of(object)->text(QAccessible::Value);
}

// Runs one of the control's accessible actions, as AT-SPI does; a command it
// starts runs from the event loop afterwards.
inline void act(QAccessibleInterface* iface, const QString& action) {
    ASSERT_NE(iface->actionInterface(), nullptr);
    ASSERT_TRUE(iface->actionInterface()->actionNames().contains(action)) << action.toStdString();
    iface->actionInterface()->doAction(action);
}
inline void toggle(QObject* object) {
    act(of(object), QAccessibleActionInterface::toggleAction());
    QApplication::processEvents();
}
// Qt presses a push button as a click that shows itself pressed for a
// moment: this waits for the click, then for the command it starts.
inline void press(QAbstractButton* button) {
    bool clicked = false;
    const auto connection =
        QObject::connect(button, &QAbstractButton::clicked, [&clicked] { clicked = true; });
    act(of(button), QAccessibleActionInterface::pressAction());
    for (int waited = 0; !clicked && waited < 2000; waited += 5) {
        QTest::qWait(5);
    }
    QObject::disconnect(connection);
    EXPECT_TRUE(clicked) << button->objectName().toStdString();
    QApplication::processEvents();
}

// Sets a text field's text as an assistive tool does.
inline void setText(QObject* edit, const QString& text) {
    of(edit)->setText(QAccessible::Value, text);
    QApplication::processEvents();
}

// Sets a spin box's value as an assistive tool does.
inline void setValue(QObject* spin, int value) {
    ASSERT_NE(of(spin)->valueInterface(), nullptr);
    of(spin)->valueInterface()->setCurrentValue(value);
    QApplication::processEvents();
}

// A child of a menu or a list by its accessible name.
inline QAccessibleInterface* child(QObject* parent, const QString& childName) {
    QAccessibleInterface* iface = of(parent);
    for (int i = 0; i < iface->childCount(); ++i) {
        if (QAccessibleInterface* c = iface->child(i);
            c && c->text(QAccessible::Name) == childName) {
            return c;
        }
    }
    ADD_FAILURE() << "no child named " << childName.toStdString();
    return nullptr;
}

}  // namespace wyn::test::accessible
