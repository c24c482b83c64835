#pragma once

#include <cstdint>

namespace app {

// Command ids of the main menu's sub-menus that the routines pop up (20000 plus the
// item's position in the menu list).
namespace menu_command {
inline constexpr int32_t PictureDisplay = 20055;
inline constexpr int32_t Alignment = 20061;
inline constexpr int32_t AddLines = 20071;
inline constexpr int32_t InputType = 20094;
inline constexpr int32_t GridPopUp = 20122;
}  // namespace menu_command

}  // namespace app
