// The file menu's document commands.
#include "app/document/document_commands.h"
#include "app/document/foreign_files.h"
#include "app/document/new_table.h"
#include "app/routines/routine.h"
#include "app/units/file_dialog_ref.h"
#include "runtime/window/message_box.h"

namespace app::routines {

// The menu item and the toolbar entry both come here, so neither throws changes away
// without asking.
HandlerResult newTableFromMenu(const EventArguments&) {
    if (settleUnsavedChanges(rt::message_box::YesNo)) newTable();
    return {};
}

HandlerResult openTableFromMenu(const EventArguments&) {
    if (!settleUnsavedChanges(rt::message_box::YesNoCancel)) return {};
    auto chosen = chooseFile("打开表格", FileDialogType::Open, kOpenFilter);
    if (!chosen) return {};
    if (isForeignFile(*chosen)) {
        openForeignFile(*chosen);
    } else {
        openTableFile(*chosen);
    }
    return {};
}

HandlerResult saveTableFromMenu(const EventArguments&) {
    saveTable();
    return {};
}

HandlerResult saveTableAsFromMenu(const EventArguments&) {
    saveTableAs();
    return {};
}

HandlerResult saveTemplate(const EventArguments&) {
    app::saveTemplate();
    return {};
}

HandlerResult openTemplate(const EventArguments&) {
    app::openTemplate();
    return {};
}

HandlerResult restoreBackup(const EventArguments&) {
    app::restoreBackup();
    return {};
}

}  // namespace app::routines
