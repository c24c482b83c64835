#pragma once

#include <filesystem>

namespace rt {

// Where biaoge.ini lives: beside the program when its directory is writable and not a
// system folder (/usr, /opt: a portable install keeps its settings with it),
// otherwise in the user's configuration directory ($XDG_CONFIG_HOME, or ~/.config,
// then "biaoge").
std::filesystem::path settingsFilePath(const std::filesystem::path& programDirectory);

}  // namespace rt
