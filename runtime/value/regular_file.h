#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace rt {

// Why a file a person named could not be read.
enum class FileReadFailure { None, Missing, NotRegular, TooLarge, CannotRead, OutOfMemory };

// Opens a regular file for reading, never waiting: a FIFO, a device, a socket or a
// folder is refused before it is opened (opening some devices already does
// something), and looked at again once open, in case the name was pointed elsewhere
// in between. The descriptor, with the file's size, or -1 with the reason.
int openRegularFile(const std::filesystem::path& path, uint64_t& size, FileReadFailure* failure = nullptr);

// Reads a whole file that a person, a table or a script named. Only a regular file is
// ever read: a FIFO, a device, a socket or a folder is refused before it is opened, and
// the opening itself never waits (a FIFO swapped in at the last moment is refused
// too), so a hostile name cannot hang the program or make it read a device.
// Links are followed: where a link points is the person's own choice of file.
std::optional<std::string> readRegularFile(const std::filesystem::path& path, uint64_t maxBytes,
                                           FileReadFailure* failure = nullptr);

}  // namespace rt
