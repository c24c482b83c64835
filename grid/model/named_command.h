#pragma once

#include <string_view>

#include "runtime/value/call.h"

namespace grid {

// A command routine with the name the application and bgetool call it by.
struct NamedCommand {
    std::string_view name;
    rt::CommandRoutine routine;
};

}  // namespace grid
