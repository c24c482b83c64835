#pragma once

#include <QApplication>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/state/app_state.h"
#include "app/state/command_line.h"
#include "app/window_ids.h"
#include "grid/view/grid_widget.h"
#include "runtime/window/unit.h"
#include "runtime/window/window_runtime.h"

// A fresh process as far as the application can tell: new state, the given command
// line, the main window loaded (which runs the start-up sequence). False when the
// window did not load.
inline bool startMainWindow(const std::vector<std::string>& arguments = {}) {
    app::createAppState();
    std::vector<const char*> argv{"biaoge"};
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    app::setCommandLineArguments(static_cast<int>(argv.size()), argv.data());
    return rt::WindowRuntime::instance().loadWindow(app::window_id::MainWindow);
}

// Takes the dialogs a test may have left open down, then the main window, and lets
// Qt delete what they leave behind.
inline void closeMainWindow(std::initializer_list<uint32_t> dialogs = {}) {
    for (uint32_t dialog : dialogs) rt::WindowRuntime::instance().destroyWindow(dialog);
    rt::WindowRuntime::instance().destroyWindow(app::window_id::MainWindow);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The grid "主表格" of the loaded main window.
inline grid::GridWidget& mainGridWidget() {
    rt::Unit* grid = rt::WindowRuntime::instance().loadedUnit(app::window_id::MainWindow, app::main_unit::Grid);
    return *qobject_cast<grid::GridWidget*>(grid->widget());
}

// Selects a block as a person would; rows and columns from 1, as the commands count them.
inline void selectCells(int32_t row, int32_t column, int32_t rowCount = 1, int32_t columnCount = 1) {
    mainGridWidget().selectCell(row - 1, column - 1);
    if (rowCount > 1 || columnCount > 1) mainGridWidget().extendSelection(row + rowCount - 2, column + columnCount - 2);
}
