// The database commands and the query dialog.
#include "app/database/database_commands.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/dialog_unit.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app::routines {
namespace {

constexpr uint32_t kDialog = window_id::SqlQueryDialog;
constexpr int32_t kEnterKey = 13;

DialogUnit queryBox() { return DialogUnit(kDialog, "组合框1"); }

// An empty text is no query: the dialog stays open.
void confirmQuery() {
    std::string query = queryBox().text();
    if (query.empty()) return;
    AppState& state = appState();
    state.pendingQuery = query;
    state.queryHistory.add(query);
    rt::destroyWindow(kDialog);
}

// Another table in the grid puts its selection back on the first cell without a grid
// event, so the status panes are written again here.
void showTheNewSelection() {
    showCurrentCell({});
    showSelectionSize({});
}

}  // namespace

HandlerResult connectDatabase(const EventArguments&) {
    app::connectDatabase("");
    showTheNewSelection();
    return {};
}

HandlerResult connectRecentDatabase(const EventArguments&) {
    app::connectRecentDatabase();
    showTheNewSelection();
    return {};
}

HandlerResult disconnectDatabase(const EventArguments&) {
    app::disconnectDatabase();
    showTheNewSelection();
    return {};
}

HandlerResult openSqlQuery(const EventArguments&) {
    chooseQuery();
    showTheNewSelection();
    return {};
}

HandlerResult sqlQueryCreated(const EventArguments&) {
    AppState& state = appState();
    queryBox().setItems(state.queryHistory.entries());
    queryBox().setText(state.pendingQuery);
    state.pendingQuery.clear();
    return {};
}

HandlerResult sqlQueryCancel(const EventArguments&) {
    rt::destroyWindow(kDialog);
    return {};
}

HandlerResult sqlQueryConfirm(const EventArguments&) {
    confirmQuery();
    return {};
}

// The button is hidden: the dialog never lists the database's tables.
HandlerResult fetchTableNames(const EventArguments&) { return {}; }

HandlerResult sqlQueryKey(const EventArguments& arguments) {
    if (arguments[0] != kEnterKey) return {};
    confirmQuery();
    return HandlerResult::of(0);
}

}  // namespace app::routines
