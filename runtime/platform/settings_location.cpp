#include "runtime/platform/settings_location.h"

#include <unistd.h>

#include <cstdlib>

namespace rt {
namespace {

std::filesystem::path userConfigDirectory() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && *configHome == '/') return configHome;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".config";
}

}  // namespace

std::filesystem::path settingsFilePath(const std::filesystem::path& programDirectory) {
    constexpr const char* fileName = "biaoge.ini";
    if (access(programDirectory.c_str(), W_OK) == 0) return programDirectory / fileName;
    return userConfigDirectory() / "biaoge" / fileName;
}

}  // namespace rt
