// The main window's own events and those of its grid.
#include <filesystem>
#include <string>
#include <vector>

#include "app/database/database_commands.h"
#include "app/document/document_commands.h"
#include "app/document/document_folder.h"
#include "app/document/foreign_files.h"
#include "app/document/document_title.h"
#include "app/document/new_table.h"
#include "app/edit/table_change.h"
#include "app/menu_commands.h"
#include "app/platform/file_type_registration.h"
#include "app/recovery/recovery_keeper.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/state/command_line.h"
#include "app/units/status_bar_ref.h"
#include "app/window_ids.h"
#include "runtime/platform/settings_location.h"
#include "runtime/value/file_name.h"
#include "runtime/value/program_location.h"
#include "runtime/window/message_box.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app::routines {
namespace {

// The two toolbars above the grid and the status bar below it.
constexpr int32_t kSpaceAroundGrid = 78;

}  // namespace

// The grid takes the client area's whole width and its height less the bars; its
// left and top stay where they are.
HandlerResult layoutMainWindow(const EventArguments&) {
    rt::UnitAccess window(window_id::MainWindow, 0);
    rt::UnitAccess grid(window_id::MainWindow, main_unit::Grid);
    int32_t clientWidth = window.integer(rt::kFirstOwnProperty + rt::window_property::ClientWidth);
    int32_t clientHeight = window.integer(rt::kFirstOwnProperty + rt::window_property::ClientHeight);
    grid.setInteger(rt::common_property::Width, clientWidth);
    grid.setInteger(rt::common_property::Height, clientHeight - kSpaceAroundGrid);
    return {};
}

HandlerResult popUpGridMenu(const EventArguments&) {
    rt::popUpMenu(window_id::MainWindow, menu_command::GridPopUp);
    return {};
}

// The same menu from the keyboard, below the current cell: the Menu key or Shift+F10.
HandlerResult gridMenuKey(const EventArguments& arguments) {
    constexpr int32_t kMenuKey = 0x5D, kF10Key = 0x79, kShiftState = 2;
    const bool wanted = arguments[0] == kMenuKey || (arguments[0] == kF10Key && (arguments[1] & kShiftState));
    if (!wanted) return {};
    rt::popUpMenu(window_id::MainWindow, menu_command::GridPopUp, rt::keyboardSpot());
    return HandlerResult::of(0);
}

HandlerResult showCurrentCell(const EventArguments&) {
    showCurrentCellStatus();
    return {};
}

HandlerResult showSelectionSize(const EventArguments&) {
    showSelectionSizeStatus();
    return {};
}

// Settings, a new table, the tables a crash left behind, the file named on the
// command line, the file association. A restored table is the person's unsaved work;
// the named file is still on disk, so it is not opened over the restored one.
HandlerResult startUp(const EventArguments&) {
    appState().settingsPath = rt::textFromPath(rt::settingsFilePath(rt::programDirectory()));
    openFileDialogsInDocumentFolder();
    newTable();
    appendStartUpCaptionText();
    bool restored = startRecovery();
    const std::vector<std::string>& arguments = commandLineArguments();
    std::error_code ignored;
    if (!restored && !arguments.empty() &&
        std::filesystem::is_regular_file(rt::pathFromText(arguments.front()), ignored)) {
        if (isForeignFile(arguments.front())) {
            openForeignFile(arguments.front());
        } else {
            openTableFile(arguments.front());
        }
    }
    ensureTableFileTypeRegistered();
    return {};
}

// The window stays open when the user cancels, and also when the user wanted the
// changes saved and they were not.
HandlerResult queryClose(const EventArguments&) {
    if (!settleUnsavedChanges(rt::message_box::YesNoCancel)) return HandlerResult::of(0);
    return {};
}

HandlerResult closeDatabaseOnExit(const EventArguments&) {
    app::closeDatabaseOnExit();
    return {};
}

// The user changed cells in the grid: typed into one or pasted a block.
HandlerResult recordSnapshot(const EventArguments&) {
    recordTableChange();
    return {};
}

}  // namespace app::routines
