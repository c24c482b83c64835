#include "app/document/new_table.h"

#include <string>

#include "app/document/document_commands.h"
#include "app/document/document_title.h"
#include "app/filter/filter_commands.h"
#include "app/recovery/recovery_keeper.h"
#include "app/settings/table_settings.h"
#include "app/state/app_state.h"
#include "app/state/undo_history.h"
#include "app/units/data_source_ref.h"
#include "app/units/main_menu_items.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app {
namespace {

// The provider's own properties 0 and 1; the common properties 2 and 3 of any unit.
constexpr int32_t kProviderRowCount = rt::kFirstOwnProperty + 0;
constexpr int32_t kProviderColumnCount = rt::kFirstOwnProperty + 1;
constexpr int32_t kWidth = 2;
constexpr int32_t kHeight = 3;

}  // namespace

void newTable() {
    TableSettings settings = readTableSettings(settingsFile(), kNewTableDefaults);
    rt::UnitAccess provider(window_id::MainWindow, main_unit::Provider);
    provider.setInteger(kProviderRowCount, settings.rows);
    provider.setInteger(kProviderColumnCount, settings.columns);
    rt::UnitAccess window(window_id::MainWindow, 0);
    window.setInteger(kWidth, settings.windowWidth);
    window.setInteger(kHeight, settings.windowHeight);

    DataSourceRef table = mainDataSource();
    table.setColumnWidth(1, table.columnCount(), settings.columnWidth);
    table.setRowHeight(1, table.rowCount(), settings.rowHeight);

    AppState& state = appState();
    state.newTableCounter += 1;
    state.documentName = "表格" + std::to_string(state.newTableCounter);
    composeTitle();
    restartUndoHistory(state, table);
    discardFilterSnapshot();
    // With one snapshot there is nothing to undo or redo.
    setMenuItemEnabled(main_menu_item::Undo, false);
    setMenuItemEnabled(main_menu_item::Redo, false);
    state.currentFilePath.clear();
    state.modified = 0;
    discardRecoveryCopy();
    startAtFirstCell();
    focusTable();
}

}  // namespace app
