// The window tests run in one QApplication on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/pcx_image_handler.h"
#include "ui/accessible_names.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    wyn::registerPcxImageFormat();
    wyn::useAccessibleComboBoxes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
