#include "runtime/value/program_location.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace rt {
namespace {

struct ProgramLocation {
    std::string directory;
    std::string fileName;
};

ProgramLocation locateProgram() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) path = std::filesystem::current_path(error) / "biaoge";
    return {path.parent_path().string(), path.filename().string()};
}

const ProgramLocation& location() {
    static const ProgramLocation programLocation = locateProgram();
    return programLocation;
}

}  // namespace

void initialiseProgramLocation() {
    // When this fails the program stays in the directory it was started from, which
    // only matters for relative names; there is nothing better to do about it.
    [[maybe_unused]] int result = chdir(location().directory.c_str());
}

const std::string& programDirectory() { return location().directory; }
const std::string& programFileName() { return location().fileName; }

}  // namespace rt
