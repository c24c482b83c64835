#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/template/template_segment.h"
#include "runtime/window/event_types.h"
#include "runtime/window/window_runtime.h"
#include "tools/template_compiler/interface_file_parser.h"

// A record of every routine call: the routine's name, its arguments and the event
// source the runtime reported while it ran.
struct RoutineCall {
    std::string name;
    std::vector<int32_t> arguments;
    rt::UnitRef source;
};

std::vector<RoutineCall>& routineCalls();
// What the routine named "answer" returns; nothing when unset.
std::optional<int32_t>& nextAnswer();

// Compiles interface-file text (UTF-8) and makes it the runtime's templates. Every
// routine named in it records its call in routineCalls(); "answer" also returns
// nextAnswer().
void useInterfaceText(std::u8string_view text);

// Destroys every window the runtime still has loaded.
void destroyLoadedWindows();
