// The two toolbars: each click runs the job of the entry, each drop-down arrow pops
// up a sub-menu of the main menu under the entry.
#include "app/routines/toolbar_routines.h"

#include <map>

#include "app/jobs.h"
#include "app/menu_commands.h"
#include "app/routines/routine.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app {
namespace {

template <typename Value>
Value lookUp(const std::map<int32_t, Value>& table, int32_t key) {
    auto found = table.find(key);
    return found == table.end() ? Value{} : found->second;
}

}  // namespace

ToolBarJob mainToolBarJob(int32_t entry) {
    // Entry 1 "新建" asks about unsaved changes like the menu item does.
    static const std::map<int32_t, ToolBarJob> jobs = {
        {0, routines::openTableFromMenu}, {1, routines::newTableFromMenu}, {2, routines::saveTableFromMenu},
        {3, routines::saveTableAsFromMenu}, {5, routines::copyCells},       {6, routines::cutCells},
        {7, routines::pasteCells},          {9, routines::insertPicture},   {10, routines::openInsertTime},
        {12, routines::sumSelection},       {13, routines::openFilter},     {14, routines::openZoom},
        {16, routines::printSetup},         {17, routines::printPreview},   {18, routines::printTable},
    };
    return lookUp(jobs, entry);
}

ToolBarJob formatToolBarJob(int32_t entry) {
    static const std::map<int32_t, ToolBarJob> jobs = {
        {0, jobs::appendRow},           {1, routines::insertRow},          {2, routines::insertColumn},
        {3, routines::openInsertRowCol}, {4, routines::deleteSelectedRows}, {5, routines::deleteSelectedColumns},
        {8, jobs::equalRowHeights},     {9, jobs::equalColumnWidths},      {10, routines::mergeSelection},
        {11, routines::splitSelection}, {13, routines::openCellProperties}, {14, jobs::chooseTextColor},
        {15, jobs::chooseBackColor},    {19, routines::clearContents},     {20, routines::clearTable},
    };
    return lookUp(jobs, entry);
}

int32_t mainToolBarDropDownMenu(int32_t entry) { return entry == 9 ? menu_command::PictureDisplay : 0; }

int32_t formatToolBarDropDownMenu(int32_t entry) {
    static const std::map<int32_t, int32_t> menus = {
        {7, menu_command::Alignment}, {16, menu_command::InputType}, {17, menu_command::AddLines}};
    return lookUp(menus, entry);
}

namespace routines {
namespace {

HandlerResult runJob(ToolBarJob job, const EventArguments& arguments) {
    return job ? job(arguments) : HandlerResult{};
}

HandlerResult popUpUnderEntry(int32_t menu, const EventArguments& arguments) {
    if (menu != 0) rt::popUpMenu(window_id::MainWindow, menu, QPoint(arguments[1], arguments[2]));
    return {};
}

}  // namespace

HandlerResult mainToolBarClicked(const EventArguments& arguments) {
    return runJob(mainToolBarJob(arguments[0]), arguments);
}

HandlerResult formatToolBarClicked(const EventArguments& arguments) {
    return runJob(formatToolBarJob(arguments[0]), arguments);
}

HandlerResult mainToolBarDropDown(const EventArguments& arguments) {
    return popUpUnderEntry(mainToolBarDropDownMenu(arguments[0]), arguments);
}

HandlerResult formatToolBarDropDown(const EventArguments& arguments) {
    return popUpUnderEntry(formatToolBarDropDownMenu(arguments[0]), arguments);
}

}  // namespace routines
}  // namespace app
