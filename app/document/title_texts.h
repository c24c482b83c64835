#pragma once

#include <string>
#include <string_view>

namespace app {

// Turns a stored title text into plain text of the same byte length: the bytes at
// even positions, then those at odd positions, are dealt back in threes.
std::string unscrambleText(std::string_view stored);

// The application title that heads the caption.
std::string applicationTitle();
// The text the start-up caption carries after the document name.
std::string startUpCaptionText();

}  // namespace app
