#include "app/edit/table_change.h"

#include <string>

#include "app/recovery/recovery_keeper.h"
#include "app/state/app_state.h"
#include "app/state/undo_history.h"
#include "app/units/data_source_ref.h"
#include "app/units/main_menu_items.h"

namespace app {
namespace {

// The source of the newest undo state when it may still grow; empty otherwise.
std::string continuedSource;

bool isDatabaseShown() { return appState().databaseConnected != 0; }

void keepUndoState() {
    appendUndoState(appState(), mainDataSource());
    setMenuItemEnabled(main_menu_item::Undo, true);
}

// True when the change became a new undo state.
bool appendChange() {
    continuedSource.clear();
    // A connected database's rows are written as they are edited: there is nothing to
    // save, and the in-memory table that comes back on disconnect did not change.
    if (isDatabaseShown() || matchesCurrentUndoState(appState(), mainDataSource())) return false;
    markTableModified();
    keepUndoState();
    return true;
}

}  // namespace

void recordTableChange() { appendChange(); }

void recordContinuedChange(std::string_view source) {
    AppState& state = appState();
    const bool continues = !source.empty() && source == continuedSource && !isDatabaseShown() &&
                           state.undoPosition > 1 &&
                           state.undoPosition == static_cast<int32_t>(state.undoHistory.size());
    if (!continues) {
        if (appendChange()) continuedSource = source;
        return;
    }
    if (matchesCurrentUndoState(state, mainDataSource())) return;
    markTableModified();
    replaceNewestUndoState(state, mainDataSource());
}

void endContinuedChange() { continuedSource.clear(); }

void recordPageSettingsChange() {
    continuedSource.clear();
    if (isDatabaseShown()) return;
    markTableModified();
    keepUndoState();
}

void markTableModified() {
    appState().modified = 1;
    noteUnsavedChange();
}

void recordLoadedTable() {
    continuedSource.clear();
    keepUndoState();
    if (appState().modified != 0) noteUnsavedChange();
}

void showUndoAvailability() {
    const AppState& state = appState();
    const bool offered = !isDatabaseShown();
    setMenuItemEnabled(main_menu_item::Undo, offered && state.undoPosition > 1);
    setMenuItemEnabled(main_menu_item::Redo,
                       offered && state.undoPosition < static_cast<int32_t>(state.undoHistory.size()));
}

}  // namespace app
