#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Menu shortcut numbers: 0 none; 1-26 Ctrl+A..Ctrl+Z; 27-38 F1..F12; 39-50 Ctrl+F1..;
// 51-62 Shift+F1..; 63-74 Ctrl+Shift+F1..; 75 Ins; 76 Del; 77 a "-" entry with no key.
inline constexpr uint32_t kNoShortcut = 0;
inline constexpr uint32_t kLastShortcut = 77;

// The key name shown after the tab in a menu caption ("Ctrl+Q", "F1", "Del");
// empty for 0, 77 and numbers out of range.
std::string shortcutName(uint32_t shortcut);
// The number of a key name, or 0 when the name is not one of them.
uint32_t shortcutNumber(std::string_view name);

}  // namespace rt
