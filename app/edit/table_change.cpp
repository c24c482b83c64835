#include "app/edit/table_change.h"

#include "app/recovery/recovery_keeper.h"
#include "app/state/app_state.h"
#include "app/state/undo_history.h"
#include "app/units/data_source_ref.h"
#include "app/units/main_menu_items.h"

namespace app {
namespace {

void keepUndoState() {
    appendUndoState(appState(), mainDataSource());
    setMenuItemEnabled(main_menu_item::Undo, true);
}

}  // namespace

void recordTableChange() {
    // A connected database's rows are written as they are edited: there is nothing to
    // save, and the in-memory table that comes back on disconnect did not change.
    if (appState().databaseConnected != 0) return;
    markTableModified();
    keepUndoState();
}

void markTableModified() {
    appState().modified = 1;
    noteUnsavedChange();
}

void recordLoadedTable() {
    keepUndoState();
    if (appState().modified != 0) noteUnsavedChange();
}

}  // namespace app
