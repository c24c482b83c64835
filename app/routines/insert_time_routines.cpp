// InsertTimeDialog: the current date and time in one of eleven forms, written into the first
// selected cell.
#include <QDateTime>

#include "app/edit/date_time_forms.h"
#include "app/edit/table_change.h"
#include "app/routines/routine.h"
#include "app/units/data_source_ref.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app::routines {
namespace {

constexpr uint32_t kDialog = window_id::InsertTimeDialog;

DialogUnit formatBox() {
    return DialogUnit(kDialog, "组合框1");
}

rt::DateParts localTimeNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().year(), now.date().month(),  now.date().day(),
            now.time().hour(), now.time().minute(), now.time().second()};
}

}  // namespace

HandlerResult insertTimeCreated(const EventArguments&) {
    formatBox().setItems(insertTimeForms(localTimeNow));
    formatBox().selectItem(0);
    return {};
}

// The box is editable, so what is written is whatever it shows, typed over or not.
HandlerResult insertTimeConfirm(const EventArguments&) {
    SelectedRange range = mainGrid().selection();
    mainDataSource().setCellText(range.row, range.column, formatBox().text());
    recordTableChange();
    rt::destroyWindow(kDialog);
    return {};
}

}  // namespace app::routines
