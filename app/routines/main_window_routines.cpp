// The main window's own events and those of its grid.
#include "app/menu_commands.h"
#include "app/routines/routine.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app::routines {
namespace {

constexpr int32_t kWidthProperty = 2;
constexpr int32_t kHeightProperty = 3;
// The two toolbars above the grid and the status bar below it.
constexpr int32_t kSpaceAroundGrid = 78;

}  // namespace

// The grid takes the client area's whole width and its height less the bars; its
// left and top stay where they are.
HandlerResult layoutMainWindow(const EventArguments&) {
    rt::UnitAccess window(window_id::MainWindow, 0);
    rt::UnitAccess grid(window_id::MainWindow, main_unit::Grid);
    int32_t clientWidth = window.integer(rt::kFirstOwnProperty + rt::window_property::ClientWidth);
    int32_t clientHeight = window.integer(rt::kFirstOwnProperty + rt::window_property::ClientHeight);
    grid.setInteger(kWidthProperty, clientWidth);
    grid.setInteger(kHeightProperty, clientHeight - kSpaceAroundGrid);
    return {};
}

HandlerResult popUpGridMenu(const EventArguments&) {
    rt::popUpMenu(window_id::MainWindow, menu_command::GridPopUp);
    return {};
}

// Status pane 0: the first row and column of the selection.
HandlerResult showCurrentCell(const EventArguments&) {
    GridRef grid = mainGrid();
    std::string text = "行:" + std::to_string(grid.selectionRow()) + " 列:" + std::to_string(grid.selectionColumn());
    rt::UnitAccess(window_id::MainWindow, main_unit::StatusBar).setText(rt::kFirstOwnProperty, text, 0);
    return {};
}

// Status pane 1: how many rows and columns are selected.
HandlerResult showSelectionSize(const EventArguments&) {
    GridRef grid = mainGrid();
    std::string text = "行数:" + std::to_string(grid.selectionRowCount()) + " 列数:" +
                       std::to_string(grid.selectionColumnCount());
    rt::UnitAccess(window_id::MainWindow, main_unit::StatusBar).setText(rt::kFirstOwnProperty, text, 1);
    return {};
}

// The work of these arrives with the start-up, document, edit and database
// commands; until then they run and do nothing.
HandlerResult startUp(const EventArguments&) { return {}; }
HandlerResult queryClose(const EventArguments&) { return {}; }
HandlerResult closeDatabaseOnExit(const EventArguments&) { return {}; }
HandlerResult recordSnapshot(const EventArguments&) { return {}; }

}  // namespace app::routines
