#include <strings.h>

#include <string>

#include "runtime/dll/builtin_functions.h"
#include "runtime/dll/dll_module.h"

namespace rt {
namespace {

using namespace builtin;

const DllFunction kUser32[] = {
    {"GetCursorPos", 1, 1, getCursorPos},
    {"SetForegroundWindow", 2, 1, setForegroundWindow},
    {"FindWindowExA", 3, 4, findWindowEx},
    {"GetWindowTextLengthA", 4, 1, getWindowTextLength},
    {"GetWindowTextA", 5, 3, getWindowText},
    {"FindWindowA", 6, 2, findWindow},
    {"GetWindowRect", 7, 2, getWindowRect},
    {"MoveWindow", 8, 6, moveWindow},
};
const DllFunction kShell32[] = {{"ShellExecuteA", 1, 6, shellExecute}};
const DllFunction kComdlg32[] = {{"ChooseColorA", 1, 1, chooseColor}};
const DllFunction kShlwapi[] = {{"StrToInt64ExA", 1, 3, stringToInt64}};

// The system libraries searched for functions declared without a library are here
// too, with nothing in them that this program provides.
const DllModule kModules[] = {
    {"kernel32.dll", {}},    {"gdi32.dll", {}},        {"advapi32.dll", {}},
    {"mpr.dll", {}},         {"user32.dll", kUser32},  {"shell32.dll", kShell32},
    {"comdlg32.dll", kComdlg32}, {"shlwapi.dll", kShlwapi},
};

class BuiltInDllLoader : public DllLoader {
public:
    const DllModule* load(const std::string& path) override { return findBuiltInModule(path); }
    void unload(const DllModule*) override {}
};

}  // namespace

const DllFunction* DllModule::findByName(std::string_view name) const {
    for (const DllFunction& function : exports) {
        if (name == function.name) return &function;
    }
    return nullptr;
}

const DllFunction* DllModule::findByOrdinal(uint16_t ordinal) const {
    for (const DllFunction& function : exports) {
        if (function.ordinal == ordinal) return &function;
    }
    return nullptr;
}

const DllModule* findBuiltInModule(std::string_view path) {
    size_t separator = path.find_last_of("/\\");
    std::string name(separator == std::string_view::npos ? path : path.substr(separator + 1));
    if (name.find('.') == std::string::npos) name += ".dll";
    for (const DllModule& module : kModules) {
        if (strcasecmp(name.c_str(), module.fileName) == 0) return &module;
    }
    return nullptr;
}

DllLoader& builtInDllLoader() {
    static BuiltInDllLoader loader;
    return loader;
}

}  // namespace rt
