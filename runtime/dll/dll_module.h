#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runtime/value/value.h"

namespace rt {

// One exported function of a library: its name, its ordinal, how many arguments it
// takes, and the routine. Pointer arguments carry the address in payload low and
// high whatever their tag; a text argument may be a null pointer.
struct DllFunction {
    const char* name;
    uint16_t ordinal;
    int argumentCount;
    Value (*routine)(const Value* arguments);
};

struct DllModule {
    const char* fileName;
    std::span<const DllFunction> exports;

    const DllFunction* findByName(std::string_view name) const;
    const DllFunction* findByOrdinal(uint16_t ordinal) const;
};

// Loads libraries by path. The built-in loader knows the libraries that biaoge
// implements itself and finds them by file name in any directory; tests give their
// own loader to watch the search.
class DllLoader {
public:
    virtual ~DllLoader() = default;
    // The module at path, or null when nothing loads from there.
    virtual const DllModule* load(const std::string& path) = 0;
    virtual void unload(const DllModule* module) = 0;
};

// The libraries implemented in-process. A name without an extension gets ".dll",
// and names compare without regard to letter case, as the platform's loader does.
DllLoader& builtInDllLoader();
const DllModule* findBuiltInModule(std::string_view path);

}  // namespace rt
