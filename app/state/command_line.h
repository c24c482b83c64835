#pragma once

#include <string>
#include <vector>

namespace app {

// The command-line arguments after the program name, as GBK texts. main() notes them
// before the program's directory becomes the current one, so a relative file name is
// made absolute against the directory the user started from.
void setCommandLineArguments(int argumentCount, const char* const* arguments);
const std::vector<std::string>& commandLineArguments();

// One argument as a file name: a pair of double quotes around it is taken off (a
// launcher may pass them through), and a relative name is resolved against base.
std::string fileArgumentText(const std::string& argument, const std::string& baseDirectory);

}  // namespace app
