#include "app/units/status_bar_ref.h"

#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app {

namespace {

constexpr int32_t kCurrentCellPane = 0;
constexpr int32_t kSelectionSizePane = 1;
constexpr int32_t kMessagePane = 2;

void showInPane(int32_t pane, const std::string& text) {
    rt::UnitAccess(window_id::MainWindow, main_unit::StatusBar).setText(rt::kFirstOwnProperty, text, pane);
}

void showInMessagePane(const std::string& text) { showInPane(kMessagePane, text); }

}  // namespace

void showFileStatus(const std::string& text) { showInMessagePane(text); }
void showFindStatus(const std::string& text) { showInMessagePane(text); }

// The first row and column of the selection.
void showCurrentCellStatus() {
    GridRef grid = mainGrid();
    showInPane(kCurrentCellPane,
               "行:" + std::to_string(grid.selectionRow()) + " 列:" + std::to_string(grid.selectionColumn()));
}

void showSelectionSizeStatus() {
    GridRef grid = mainGrid();
    showInPane(kSelectionSizePane, "行数:" + std::to_string(grid.selectionRowCount()) + " 列数:" +
                                       std::to_string(grid.selectionColumnCount()));
}

}  // namespace app
