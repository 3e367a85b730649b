#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt_text.h"
#include "temp_dir.h"
#include "ui_fakes.h"

namespace wyn::test {

using Names = std::vector<std::string>;

// A picture of the fixtures.
std::string fixturePicture(const char* name);

// The widgets of one open dialog, driven as a user drives them.
class DialogDriver {
public:
    explicit DialogDriver(QWidget* dialog = nullptr) : m_dialog(dialog) {}
    void setDialog(QWidget* dialog) { m_dialog = dialog; }

    template <typename Widget = QWidget>
    Widget* find(const char* name) const {
        auto* widget = m_dialog->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Shows the tab that holds the control first, as a user would.
    void click(const char* button);
    void clickRow(const char* list, int row);
    // Types at the end of a line edit or combo box text; with replace, over
    // the whole text.
    void type(const char* control, const QString& text, bool replace = false);

    QStringList rows(const char* list) const;
    int currentRow(const char* list) const;
    QString text(const char* control) const;
    QStringList items(const char* combo) const;
    bool checked(const char* box) const { return find<QAbstractButton>(box)->isChecked(); }

private:
    void showTabOf(QWidget* widget);

    QWidget* m_dialog;
};

// While it lives, runs an action on the next modal dialog the application
// shows, from the event loop of its exec(); a dialog the action leaves open
// is rejected, so a test never hangs on one.
class NextModalDialog {
public:
    explicit NextModalDialog(std::function<void(QDialog&)> action);
    bool seen() const { return m_seen; }

private:
    QTimer m_timer;
    std::function<void(QDialog&)> m_action;
    bool m_seen = false;
};

}  // namespace wyn::test
