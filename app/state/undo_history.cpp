#include "app/state/undo_history.h"

namespace app {
namespace {

bool restorePosition(AppState& state, const DataSourceRef& table, int32_t position) {
    state.undoPosition = position;
    return table.restoreState(state.undoHistory[static_cast<size_t>(position - 1)]);
}

}  // namespace

void restartUndoHistory(AppState& state, const DataSourceRef& table) {
    // Released before the new state is kept, so the data source never holds more than
    // the history can reach.
    for (int32_t kept : state.undoHistory) table.releaseState(kept);
    state.undoHistory.assign(1, table.captureState());
    state.undoPosition = 1;
}

void appendUndoState(AppState& state, const DataSourceRef& table) {
    if (state.undoHistory.size() >= kMaximumUndoStates) {
        table.releaseState(state.undoHistory.front());
        state.undoHistory.erase(state.undoHistory.begin());
    }
    state.undoHistory.push_back(table.captureState());
    state.undoPosition = static_cast<int32_t>(state.undoHistory.size());
}

bool stepBack(AppState& state, const DataSourceRef& table) {
    if (state.undoPosition <= 1) return false;
    return restorePosition(state, table, state.undoPosition - 1);
}

bool stepForward(AppState& state, const DataSourceRef& table) {
    if (state.undoPosition >= static_cast<int32_t>(state.undoHistory.size())) return false;
    return restorePosition(state, table, state.undoPosition + 1);
}

}  // namespace app
