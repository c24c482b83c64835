// Text import and export.
#include "app/exchange/text_exchange_commands.h"
#include "app/routines/routine.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app::routines {

HandlerResult importText(const EventArguments&) {
    openDelimiterDialog(true);
    return {};
}

HandlerResult exportText(const EventArguments&) {
    openDelimiterDialog(false);
    return {};
}

HandlerResult delimiterCreated(const EventArguments&) {
    prepareDelimiterDialog();
    return {};
}

HandlerResult delimiterCancel(const EventArguments&) {
    rt::destroyWindow(window_id::DelimiterDialog);
    return {};
}

HandlerResult delimiterConfirm(const EventArguments&) {
    confirmDelimiterDialog();
    return {};
}

}  // namespace app::routines
