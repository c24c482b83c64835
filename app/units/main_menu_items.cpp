#include "app/units/main_menu_items.h"

#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app {
namespace {

// Menu items have their own short property list: caption, checked, disabled, visible.
constexpr int32_t kDisabledProperty = 2;

}  // namespace

void setMenuItemEnabled(uint32_t itemId, bool enabled) {
    rt::UnitAccess(window_id::MainWindow, itemId).setLogical(kDisabledProperty, !enabled);
}

}  // namespace app
