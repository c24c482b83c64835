#pragma once

#include <cstddef>

#include "app/state/app_state.h"

namespace app {

// The undo history keeps at most this many whole-table snapshots.
inline constexpr size_t kMaximumSnapshots = 50;

// Starts the history over with one snapshot, the table as it is now.
void restartUndoHistory(AppState& state, CellBlockBytes snapshot);
// Appends a snapshot behind all others, dropping the oldest when the history is full,
// and makes it the current position. Undone snapshots stay in the list.
void appendSnapshot(AppState& state, CellBlockBytes snapshot);

}  // namespace app
