#include <QApplication>
#include <cstring>
#include <iostream>

#include "app/application.h"
#include "app/recovery/recovery_keeper.h"
#include "app/state/app_state.h"
#include "app/state/command_line.h"
#include "app/window_ids.h"
#include "program_version.h"
#include "runtime/error/lifecycle.h"
#include "runtime/value/program_location.h"
#include "runtime/window/window_runtime.h"

int main(int argc, char** argv) {
    // Answered before any window exists, so it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "biaoge " << kProgramVersion << '\n';
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("biaoge"));
    // Lets the desktop match the windows with the installed menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.biaoge.Biaoge"));
    // Relative file names on the command line mean the directory the user started
    // from, which stops being the current directory below.
    app::setCommandLineArguments(argc, argv);
    rt::initialiseProgramLocation();
    app::createAppState();
    app::initialiseRuntime();
    auto& runtime = rt::WindowRuntime::instance();
    runtime.loadStartupWindow(app::window_id::MainWindow);
    int exitCode = runtime.runMessageLoop();
    app::endRecovery();
    rt::runExitRoutineOnce();
    return exitCode;
}
