// The window tests run in one QApplication on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/pictures.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    wyn::setUpApplication();  // as the program does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
