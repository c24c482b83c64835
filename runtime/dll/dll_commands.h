#pragma once

#include <span>
#include <string>
#include <vector>

#include "runtime/dll/dll_module.h"
#include "runtime/value/value.h"

namespace rt {

// A DLL command as the application declares it: the library as written (may be empty)
// and the function name, or "#" and a decimal ordinal.
struct DllDeclaration {
    std::string library;
    std::string function;
};

// The eleven functions the application declares, in index order.
std::span<const DllDeclaration> applicationDllDeclarations();

namespace dll_command {
inline constexpr int ShellExecute = 0;
inline constexpr int GetCursorPos = 1;
inline constexpr int ChooseColor = 2;
inline constexpr int SetForegroundWindow = 3;
inline constexpr int FindWindowEx = 4;
inline constexpr int GetWindowTextLength = 5;
inline constexpr int GetWindowText = 6;
inline constexpr int FindWindow = 7;
inline constexpr int GetWindowRect = 8;
inline constexpr int MoveWindow = 9;
inline constexpr int StrToInt64Ex = 10;
}  // namespace dll_command

// Resolves each declared command on its first call and keeps the function for the
// later ones. A function that cannot be found, and a call with a different number of
// arguments than the function takes, are runtime errors.
class DllCommands {
public:
    DllCommands(std::vector<DllDeclaration> declarations, DllLoader& loader, std::string programDirectory);

    // The directories tried before and after the program's own (none by default).
    void setConfiguredDirectories(std::string first, std::string second);

    Value call(int index, int argumentCount, const Value* arguments);

private:
    const DllFunction& resolve(int index);
    const DllFunction* resolveWithoutLibrary(const std::string& function);
    const DllModule* loadFirstOf(const std::vector<std::string>& candidates);

    std::vector<DllDeclaration> declarations_;
    std::vector<const DllFunction*> resolved_;
    DllLoader& loader_;
    std::string programDirectory_;
    std::string firstDirectory_;
    std::string secondDirectory_;
};

// The application's commands, resolved with the built-in loader from the program's
// directory.
DllCommands& applicationDllCommands();

}  // namespace rt
