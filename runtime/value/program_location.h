#pragma once

#include <string>

namespace rt {

// Runtime service 6, the part that does not depend on windows: note the program's
// full path, split into directory and file name, and make the program's directory
// the current directory. Call once at start-up, before anything opens files by
// relative name.
void initialiseProgramLocation();

// The directory (without a trailing "/") and file name of the running program.
const std::string& programDirectory();
const std::string& programFileName();

}  // namespace rt
