#pragma once

#include <string_view>

namespace app {

// Starts a system program by name through the desktop ("calc" and "NOTEPAD" mean the
// desktop's calculator and text editor). When nothing could be started, a message
// box says which programs were tried, so a second click is not a guess.
void runSystemTool(std::string_view program);

}  // namespace app
