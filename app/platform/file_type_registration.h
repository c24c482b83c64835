#pragma once

#include <cstdint>
#include <string>

namespace app {

enum class RegistrationMode : int32_t { Register = 0, Check = 2 };

// The texts of a file-type association, GBK.
struct FileTypeTexts {
    std::string programPath;
    std::string extension;  // without the period
    std::string iconFile;
    std::string description;
    std::string fileTypeKey;
};

// Check: 1 when the type's open command is registered. Register: writes the keys
// of the association (and makes it real on the desktop); 1 when the open command
// was written. 0 otherwise.
int32_t registerFileType(RegistrationMode mode, const FileTypeTexts& texts);

// The start-up step: registers table files unless the open command is already
// there; only then is the icon file written beside the program.
void ensureTableFileTypeRegistered();

}  // namespace app
