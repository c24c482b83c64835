#pragma once

#include <cstdint>

namespace app {

// Menu items of the main window that the routines enable and disable, by the ids the
// interface compiler gives them (0x26010001 plus the item's position in the menu list).
namespace main_menu_item {
inline constexpr uint32_t Undo = 0x26010018;
inline constexpr uint32_t Redo = 0x26010019;
}  // namespace main_menu_item

// Greys a menu item of the main window out, or makes it available again.
void setMenuItemEnabled(uint32_t itemId, bool enabled);

}  // namespace app
