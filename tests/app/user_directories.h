#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

// The file association writes into the user's configuration and data directories,
// recovery copies into the state directory; every test of this executable points
// them at a directory of its own instead.
inline std::filesystem::path isolatedUserDirectories() {
    static const std::filesystem::path root = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "biaoge-user-XXXXXX").string();
        std::filesystem::path made = mkdtemp(pattern.data());
        setenv("XDG_CONFIG_HOME", (made / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (made / "data").c_str(), 1);
        setenv("XDG_STATE_HOME", (made / "state").c_str(), 1);
        return made;
    }();
    return root;
}
