#pragma once

#include <QApplication>

// The application object of a widget test executable. Executables that use it are
// built with qt_test_main.cpp, which makes it on the stack of main() so that it goes
// before Qt's own globals; tests run with QT_QPA_PLATFORM=offscreen (set by ctest).
// An executable whose tests fork children that make their own application object
// (death tests) uses the plain main and makes the object only in the child.
inline QApplication& testApplication() {
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) return *application;
    static int argc = 1;
    static char name[] = "biaoge-test";
    static char* argv[] = {name, nullptr};
    return *new QApplication(argc, argv);
}
