// Printing: page setup, preview and print of the main table.
#include "app/routines/routine.h"
#include "app/units/grid_ref.h"
#include "app/units/print_ref.h"
#include "runtime/window/message_box.h"

namespace app::routines {

HandlerResult printSetup(const EventArguments&) {
    mainGrid().commitEdit();
    MainPrinting().pageSetup();
    return {};
}

HandlerResult printPreview(const EventArguments&) {
    mainGrid().commitEdit();
    MainPrinting().preview();
    return {};
}

// Prints only when the page setup is confirmed. A failed job says why: the person
// would otherwise wait for pages that never come.
HandlerResult printTable(const EventArguments&) {
    mainGrid().commitEdit();
    const MainPrinting printing;
    if (!printing.pageSetup()) return {};
    const std::string failure = printing.print();
    if (!failure.empty()) {
        rt::showMessageBox(failure, rt::message_box::Ok | rt::message_box::ExclamationIcon, "打印");
    }
    return {};
}

}  // namespace app::routines
