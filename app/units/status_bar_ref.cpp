#include "app/units/status_bar_ref.h"

#include "app/window_ids.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app {

void showFileStatus(const std::string& text) {
    rt::UnitAccess(window_id::MainWindow, main_unit::StatusBar).setText(rt::kFirstOwnProperty, text, 2);
}

}  // namespace app
