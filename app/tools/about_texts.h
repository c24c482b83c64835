#pragma once

#include <string>
#include <string_view>

namespace app {

// Reads a text kept as hexadecimal digits, dealt in two halves: the digits at even
// positions (from 1) come first, then those at odd positions, and each pair of the
// result is one byte. A last digit without a partner is a byte of its own.
std::string unscrambleHexText(std::string_view stored);

// The about window's texts, kept scrambled in the program file. The home page's
// address is both what the link shows and where it leads.
std::string contactText();
std::string contactLinkText();
std::string contactLinkTarget();
std::string homePageAddress();

}  // namespace app
