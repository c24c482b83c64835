#include "app/edit/table_change.h"

#include "app/state/app_state.h"
#include "app/state/undo_history.h"
#include "app/units/data_source_ref.h"
#include "app/units/main_menu_items.h"

namespace app {

void recordTableChange() {
    appState().modified = 1;
    recordLoadedTable();
}

void recordLoadedTable() {
    appendUndoState(appState(), mainDataSource());
    setMenuItemEnabled(main_menu_item::Undo, true);
}

}  // namespace app
