#include "runtime/platform/settings_location.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace rt {
namespace {

std::filesystem::path userConfigDirectory() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && *configHome == '/') return configHome;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".config";
}

// A program installed by the package manager lives in a system folder, which is not
// the place for anyone's settings even when the user may write there (root may).
bool isSystemFolder(const std::filesystem::path& directory) {
    std::string folder = directory.lexically_normal().string() + "/";
    return folder.starts_with("/usr/") || folder.starts_with("/opt/");
}

}  // namespace

std::filesystem::path settingsFilePath(const std::filesystem::path& programDirectory) {
    constexpr const char* fileName = "biaoge.ini";
    if (!isSystemFolder(programDirectory) && access(programDirectory.c_str(), W_OK) == 0) {
        return programDirectory / fileName;
    }
    return userConfigDirectory() / "biaoge" / fileName;
}

}  // namespace rt
