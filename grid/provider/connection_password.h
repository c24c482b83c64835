#pragma once

#include <string>
#include <string_view>

namespace grid {

// The password of a connection text. The settings file keeps connection texts without
// it, and our own connect step asks for it where a driver would prompt: when the text
// names a user but holds no password.
bool needsPassword(std::u16string_view connection);
std::u16string withoutPassword(std::u16string_view connection);
// The text with this password in place of any it had.
std::u16string withPassword(std::u16string_view connection, std::u16string_view password);

}  // namespace grid
