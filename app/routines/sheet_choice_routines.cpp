// SheetChoiceDialog: which sheet of a workbook to open.
#include <algorithm>
#include <string>

#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/dialog_unit.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app::routines {
namespace {

constexpr uint32_t kDialog = window_id::SheetChoiceDialog;

DialogUnit sheetList() { return DialogUnit(kDialog, "组合框1"); }

}  // namespace

HandlerResult sheetChoiceCreated(const EventArguments&) {
    sheetList().setItems(appState().sheetChoices);
    sheetList().selectItem(0);
    return {};
}

// The list can be typed into: a name typed whole picks that sheet.
HandlerResult sheetChoiceConfirm(const EventArguments&) {
    AppState& state = appState();
    const std::string typed = sheetList().text();
    auto named = std::find(state.sheetChoices.begin(), state.sheetChoices.end(), typed);
    int32_t index = named != state.sheetChoices.end() ? static_cast<int32_t>(named - state.sheetChoices.begin())
                                                      : sheetList().selectedItem();
    state.chosenSheet = index >= 0 ? index + 1 : 1;
    rt::destroyWindow(kDialog);
    return {};
}

HandlerResult sheetChoiceCancel(const EventArguments&) {
    appState().chosenSheet = 0;
    rt::destroyWindow(kDialog);
    return {};
}

}  // namespace app::routines
