// FindDialog, ReplaceDialog and SortDialog: find, replace and sort rows.
#include <utility>

#include "app/routines/routine.h"
#include "app/search/find_commands.h"
#include "app/search/sort_command.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/window_runtime.h"

namespace app::routines {
namespace {

constexpr int32_t kEnterKey = 13;
constexpr int32_t kEscapeKey = 27;

uint32_t eventWindow() { return rt::WindowRuntime::instance().currentEventSource().windowId; }

// What Enter does in each dialog: its first button.
void findNextInEventWindow() { findNextMatch(eventWindow()); }

constexpr std::pair<uint32_t, void (*)()> kDefaultButtons[] = {
    {window_id::FindDialog, findNextInEventWindow},
    {window_id::ReplaceDialog, findNextInEventWindow},
    {window_id::SortDialog, sortFromDialog},
};

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

// These dialogs are plain windows, not the platform's dialogs, so they do what a
// dialog does with the keys no unit takes for itself: Enter presses the default
// button, Escape closes. An open combo box list keeps both keys, to choose or close.
HandlerResult dialogKeyPressed(const EventArguments& arguments) {
    const uint32_t window = eventWindow();
    if (arguments[0] == kEscapeKey) {
        rt::destroyWindow(window);
        return HandlerResult::of(0);
    }
    if (arguments[0] != kEnterKey) return {};
    for (const auto& [dialog, press] : kDefaultButtons) {
        if (dialog == window) press();
    }
    return HandlerResult::of(0);
}

}  // namespace app::routines
