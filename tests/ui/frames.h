#pragma once

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace wyn::test {

// A dialog's fixed frame: its size cannot change, its title bar offers
// neither minimise nor maximise (a close box only where it has one), and it
// stands in the middle of the screen.
inline void expectFixedCentredDialog(const QWidget& dialog, bool closeBox) {
    const Qt::WindowFlags flags = dialog.windowFlags();
    const QString title = dialog.windowTitle();
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << qPrintable(title);
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint)) << qPrintable(title);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
        << qPrintable(title);
    EXPECT_EQ(flags.testFlag(Qt::WindowCloseButtonHint), closeBox) << qPrintable(title);
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((dialog.geometry().center() - middle).manhattanLength(), 4) << qPrintable(title);
}

}  // namespace wyn::test
