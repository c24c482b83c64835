#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rt {

// The length of the GBK character that starts at i: 2 for a lead byte (0x81-0xFE)
// followed by a trail byte (0x40-0xFE except 0x7F), 1 otherwise. A lead byte before
// anything else stands alone, so scanning a damaged text never swallows the byte
// after it, and a byte below 0x40 always starts a character.
inline size_t gbkCharacterLength(std::string_view text, size_t i) {
    auto lead = static_cast<uint8_t>(text[i]);
    if (lead < 0x81 || lead == 0xFF || i + 1 >= text.size()) return 1;
    auto trail = static_cast<uint8_t>(text[i + 1]);
    return trail >= 0x40 && trail != 0x7F && trail != 0xFF ? 2 : 1;
}

}  // namespace rt
