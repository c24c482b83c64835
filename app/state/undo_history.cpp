#include "app/state/undo_history.h"

namespace app {
namespace {

// The position moves only with the table: a restore that failed (no memory, a
// provider that keeps no states) leaves both where they were.
bool restorePosition(AppState& state, const DataSourceRef& table, int32_t position) {
    if (!table.restoreState(state.undoHistory[static_cast<size_t>(position - 1)])) return false;
    state.undoPosition = position;
    return true;
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

void replaceNewestUndoState(AppState& state, const DataSourceRef& table) {
    if (state.undoHistory.empty()) {
        appendUndoState(state, table);
        return;
    }
    table.releaseState(state.undoHistory.back());
    state.undoHistory.pop_back();
    if (state.undoHistory.empty() || !table.matchesState(state.undoHistory.back())) {
        state.undoHistory.push_back(table.captureState());
    }
    state.undoPosition = static_cast<int32_t>(state.undoHistory.size());
}

bool matchesCurrentUndoState(const AppState& state, const DataSourceRef& table) {
    if (state.undoPosition < 1 || state.undoPosition > static_cast<int32_t>(state.undoHistory.size())) return false;
    return table.matchesState(state.undoHistory[static_cast<size_t>(state.undoPosition - 1)]);
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
