#include "app/state/undo_history.h"

#include <utility>

namespace app {

void restartUndoHistory(AppState& state, CellBlockBytes snapshot) {
    state.undoHistory.clear();
    state.undoHistory.push_back(std::move(snapshot));
    state.undoPosition = 1;
}

void appendSnapshot(AppState& state, CellBlockBytes snapshot) {
    if (state.undoHistory.size() >= kMaximumSnapshots) state.undoHistory.erase(state.undoHistory.begin());
    state.undoHistory.push_back(std::move(snapshot));
    state.undoPosition = static_cast<int32_t>(state.undoHistory.size());
}

}  // namespace app
