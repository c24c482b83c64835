#include "runtime/dll/dll_commands.h"

#include <cstdlib>

#include "runtime/error/runtime_error.h"
#include "runtime/value/program_location.h"

namespace rt {
namespace {

const DllDeclaration kApplicationDeclarations[] = {
    {"shell32.dll", "ShellExecuteA"},     {"user32.dll", "GetCursorPos"},
    {"comdlg32.dll", "ChooseColorA"},     {"user32", "SetForegroundWindow"},
    {"user32", "FindWindowExA"},          {"user32", "GetWindowTextLengthA"},
    {"user32", "GetWindowTextA"},         {"user32", "FindWindowA"},
    {"user32.dll", "GetWindowRect"},      {"user32.dll", "MoveWindow"},
    {"shlwapi.dll", "StrToInt64ExA"},
};

// The libraries searched, in this order, for a function declared without one.
const char* const kDefaultLibraries[] = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                         "Advapi32.dll", "Mpr.dll", "Shell32.dll"};

const DllFunction* lookUp(const DllModule& module, const std::string& function) {
    if (function.starts_with('#')) {
        auto ordinal = static_cast<uint16_t>(std::strtoul(function.c_str() + 1, nullptr, 10) % 65536);
        return module.findByOrdinal(ordinal);
    }
    return module.findByName(function);
}

bool isAbsolute(const std::string& library) { return library.find(':') != std::string::npos || library.starts_with('/'); }

std::string joined(const std::string& directory, const std::string& name) {
    return directory.ends_with('/') ? directory + name : directory + "/" + name;
}

[[noreturn]] void reportNotFound(const std::string& library, const std::string& function) {
    std::string message;
    if (library.empty()) {
        message = "无法找到指定DLL库文件中的输出命令“" + function + "”";
    } else {
        message = "无法找到指定DLL库文件“" + library + "”中的输出命令“" + function + "”";
    }
    reportRuntimeError(message, 0);
}

}  // namespace

std::span<const DllDeclaration> applicationDllDeclarations() { return kApplicationDeclarations; }

DllCommands::DllCommands(std::vector<DllDeclaration> declarations, DllLoader& loader, std::string programDirectory)
    : declarations_(std::move(declarations)),
      resolved_(declarations_.size(), nullptr),
      loader_(loader),
      programDirectory_(std::move(programDirectory)) {}

void DllCommands::setConfiguredDirectories(std::string first, std::string second) {
    firstDirectory_ = std::move(first);
    secondDirectory_ = std::move(second);
}

Value DllCommands::call(int index, int argumentCount, const Value* arguments) {
    const DllFunction& function = resolve(index);
    // The platform notices a wrong argument count only after the call has run on a
    // damaged stack; here it is checked first, so the function never reads arguments
    // that were not passed. The outcome for the application is the same error.
    if (argumentCount != function.argumentCount) reportRuntimeError(RuntimeErrorCode::DllStackImbalance);
    return function.routine(arguments);
}

const DllFunction& DllCommands::resolve(int index) {
    if (resolved_[index]) return *resolved_[index];
    const DllDeclaration& declaration = declarations_[index];
    const DllFunction* function = nullptr;
    if (declaration.library.empty()) {
        function = resolveWithoutLibrary(declaration.function);
    } else {
        std::vector<std::string> candidates;
        if (isAbsolute(declaration.library)) {
            candidates.push_back(declaration.library);
        } else {
            if (!firstDirectory_.empty()) candidates.push_back(joined(firstDirectory_, declaration.library));
            candidates.push_back(joined(programDirectory_, declaration.library));
            if (!secondDirectory_.empty()) candidates.push_back(joined(secondDirectory_, declaration.library));
            candidates.push_back(declaration.library);
        }
        if (const DllModule* module = loadFirstOf(candidates)) function = lookUp(*module, declaration.function);
    }
    if (!function) reportNotFound(declaration.library, declaration.function);
    resolved_[index] = function;
    return *function;
}

const DllFunction* DllCommands::resolveWithoutLibrary(const std::string& function) {
    for (const char* library : kDefaultLibraries) {
        const DllModule* module = loader_.load(library);
        if (!module) continue;
        if (const DllFunction* found = lookUp(*module, function)) return found;
        loader_.unload(module);
    }
    return nullptr;
}

const DllModule* DllCommands::loadFirstOf(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates) {
        if (const DllModule* module = loader_.load(candidate)) return module;
    }
    return nullptr;
}

DllCommands& applicationDllCommands() {
    static DllCommands commands({std::begin(kApplicationDeclarations), std::end(kApplicationDeclarations)},
                                builtInDllLoader(), programDirectory());
    return commands;
}

}  // namespace rt
