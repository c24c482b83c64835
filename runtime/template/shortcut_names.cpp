#include "runtime/template/shortcut_names.h"

namespace rt {

std::string shortcutName(uint32_t shortcut) {
    auto functionKey = [](uint32_t n) { return "F" + std::to_string(n); };
    if (shortcut >= 1 && shortcut <= 26) return std::string("Ctrl+") + static_cast<char>('A' + shortcut - 1);
    if (shortcut >= 27 && shortcut <= 38) return functionKey(shortcut - 26);
    if (shortcut >= 39 && shortcut <= 50) return "Ctrl+" + functionKey(shortcut - 38);
    if (shortcut >= 51 && shortcut <= 62) return "Shift+" + functionKey(shortcut - 50);
    if (shortcut >= 63 && shortcut <= 74) return "Ctrl+Shift+" + functionKey(shortcut - 62);
    if (shortcut == 75) return "Ins";
    if (shortcut == 76) return "Del";
    return {};
}

uint32_t shortcutNumber(std::string_view name) {
    for (uint32_t shortcut = 1; shortcut < kLastShortcut; ++shortcut) {
        if (shortcutName(shortcut) == name) return shortcut;
    }
    return kNoShortcut;
}

}  // namespace rt
