#pragma once

#include <cstddef>

#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"

namespace app {

// The undo history keeps at most this many states.
inline constexpr size_t kMaximumUndoStates = 50;

// Starts the history over with one state: the table as it is now.
void restartUndoHistory(AppState& state, const DataSourceRef& table);
// Appends the table as it is now behind all other states, dropping the oldest when
// the history is full, and makes it the current position. States that Undo stepped
// back over stay in the list, so further Undo steps pass through them.
void appendUndoState(AppState& state, const DataSourceRef& table);
// The newest state becomes the table as it is now; a table that is back to the state
// before it drops the newest state instead.
void replaceNewestUndoState(AppState& state, const DataSourceRef& table);
// Whether the table holds just what the state at the current position holds.
bool matchesCurrentUndoState(const AppState& state, const DataSourceRef& table);
// Puts the table back as it was in the state before (after) the current position and
// moves there; false, changing nothing, when there is none or it cannot be restored.
bool stepBack(AppState& state, const DataSourceRef& table);
bool stepForward(AppState& state, const DataSourceRef& table);

}  // namespace app
