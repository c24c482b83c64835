#include "app/units/file_dialog_ref.h"

#include "app/window_ids.h"
#include "runtime/value/call.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/units/common_dialog_unit.h"

namespace app {

std::optional<std::string> chooseFile(std::string_view title, FileDialogType type, std::string_view filter,
                                      std::optional<std::string_view> presetName) {
    using namespace rt::common_dialog_property;
    rt::UnitAccess dialog(window_id::MainWindow, main_unit::CommonDialog);
    dialog.setText(rt::kFirstOwnProperty + Title, title);
    dialog.setInteger(rt::kFirstOwnProperty + Type, static_cast<int32_t>(type));
    dialog.setText(rt::kFirstOwnProperty + Filter, filter);
    if (presetName) dialog.setText(rt::kFirstOwnProperty + FileName, *presetName);
    rt::UnitRef unit{window_id::MainWindow, main_unit::CommonDialog, rt::unit_kind::CommonDlg};
    if (rt::callCommand(rt::commonDialogOpen, {unit.toValue()}).low == 0) return std::nullopt;
    return dialog.text(rt::kFirstOwnProperty + FileName);
}

}  // namespace app
