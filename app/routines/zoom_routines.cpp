// ZoomDialog: the grid's zoom, previewed while the dialog is open.
#include <string>

#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "runtime/value/number_text.h"
#include "runtime/window/unit_access.h"

namespace app::routines {
namespace {

constexpr uint32_t kDialog = window_id::ZoomDialog;
constexpr int32_t kEnterKey = 13;

DialogUnit customBox() { return DialogUnit(kDialog, "编辑框1"); }
DialogUnit customChoice() { return DialogUnit(kDialog, "单选框7"); }

}  // namespace

// Every zoom button runs zoomStepClicked, which tells them apart by their captions.
HandlerResult zoomCreated(const EventArguments&) {
    shareEvents(kDialog,
                {"单选框2", "单选框3", "单选框4", "单选框5", "单选框6", "单选框7", "单选框8"},
                "单选框1");
    appState().savedZoom = mainGrid().zoom();
    return {};
}

HandlerResult zoomStepClicked(const EventArguments&) {
    GridRef grid = mainGrid();
    std::string caption = DialogUnit::eventSource().text();
    if (caption == "窗口宽度") {
        grid.fitToWindowWidth();
    } else if (caption == "自定义") {
        grid.setZoom(rt::integerOf(customBox().text()));
    } else {
        // "200%" and the like: the percent sign ends the number.
        grid.setZoom(rt::integerOf(caption));
    }
    appState().zoomPreviewed = 1;
    return {};
}

// Enter applies a custom zoom without closing the dialog; it never reaches the box.
HandlerResult zoomCustomKey(const EventArguments& arguments) {
    if (arguments[0] != kEnterKey) return {};
    if (customChoice().isChecked()) mainGrid().setZoom(rt::integerOf(customBox().text()));
    return HandlerResult::of(0);
}

HandlerResult zoomConfirm(const EventArguments&) {
    rt::destroyWindow(kDialog);
    return {};
}

// The flag is never cleared: once any zoom was previewed, every later cancel goes back
// to the zoom its dialog opened with.
HandlerResult zoomCancel(const EventArguments&) {
    const AppState& state = appState();
    if (state.zoomPreviewed == 1) mainGrid().setZoom(state.savedZoom);
    rt::destroyWindow(kDialog);
    return {};
}

}  // namespace app::routines
