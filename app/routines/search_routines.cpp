// FindDialog, ReplaceDialog and SortDialog: find, replace and sort rows.
#include "app/routines/routine.h"
#include "app/search/find_commands.h"
#include "app/search/sort_command.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/window_runtime.h"

namespace app::routines {
namespace {

uint32_t eventWindow() { return rt::WindowRuntime::instance().currentEventSource().windowId; }

}  // namespace

// Find and replace stay open beside the table; sorting asks its keys once.
HandlerResult openFind(const EventArguments&) {
    rt::loadWindow(window_id::FindDialog, window_id::MainWindow, false);
    return {};
}

HandlerResult openReplace(const EventArguments&) {
    rt::loadWindow(window_id::ReplaceDialog, window_id::MainWindow, false);
    return {};
}

HandlerResult openSort(const EventArguments&) {
    rt::loadWindow(window_id::SortDialog, window_id::MainWindow, true);
    return {};
}

HandlerResult findNextClicked(const EventArguments&) {
    findNextMatch(eventWindow());
    return {};
}

HandlerResult findAllClicked(const EventArguments&) {
    findAllMatches(eventWindow());
    return {};
}

HandlerResult replaceClicked(const EventArguments&) {
    replaceCurrentMatch();
    return {};
}

HandlerResult replaceAllClicked(const EventArguments&) {
    replaceAllMatches();
    return {};
}

HandlerResult sortDialogCreated(const EventArguments&) {
    fillSortDialog();
    return {};
}

HandlerResult sortConfirmClicked(const EventArguments&) {
    sortFromDialog();
    return {};
}

HandlerResult closeOwnDialog(const EventArguments&) {
    rt::destroyWindow(eventWindow());
    return {};
}

}  // namespace app::routines
