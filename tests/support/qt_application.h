#pragma once

#include <QApplication>

// Widget tests never need a display: unless told otherwise they run on the offscreen
// platform at 96 dots per inch and scale 1, so pixels and geometry are the same on
// every machine. Call before the application object is made.
inline void useHeadlessTestPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI")) qputenv("QT_FONT_DPI", "96");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "1");
}

// The application object of a widget test executable. Executables that use it are
// built with qt_test_main.cpp, which makes it on the stack of main() so that it goes
// before Qt's own globals. An executable whose tests fork children that make their
// own application object (death tests) uses the plain main, and the object is made
// here, only in the child.
inline QApplication& testApplication() {
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) return *application;
    useHeadlessTestPlatform();
    static int argc = 1;
    static char name[] = "biaoge-test";
    static char* argv[] = {name, nullptr};
    return *new QApplication(argc, argv);
}
