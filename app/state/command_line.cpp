#include "app/state/command_line.h"

#include <filesystem>

#include "runtime/value/file_name.h"

namespace app {
namespace {

std::vector<std::string> arguments;

}  // namespace

std::string fileArgumentText(const std::string& argument, const std::string& baseDirectory) {
    std::string name = argument;
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    std::filesystem::path path(name);
    if (!name.empty() && path.is_relative()) path = std::filesystem::path(baseDirectory) / path;
    return rt::textFromPath(path.lexically_normal());
}

void setCommandLineArguments(int argumentCount, const char* const* argumentValues) {
    std::error_code error;
    std::string startDirectory = std::filesystem::current_path(error).string();
    arguments.clear();
    for (int index = 1; index < argumentCount; ++index) {
        arguments.push_back(fileArgumentText(argumentValues[index], startDirectory));
    }
}

const std::vector<std::string>& commandLineArguments() { return arguments; }

}  // namespace app
