#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/qt_application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    useHeadlessTestPlatform();
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
