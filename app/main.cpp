#include <QApplication>

#include "app/application.h"
#include "app/window_ids.h"
#include "runtime/error/lifecycle.h"
#include "runtime/window/window_runtime.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("biaoge"));
    app::initialiseRuntime();
    auto& runtime = rt::WindowRuntime::instance();
    runtime.loadStartupWindow(app::window_id::MainWindow);
    int exitCode = runtime.runMessageLoop();
    rt::runExitRoutineOnce();
    return exitCode;
}
