#pragma once

#include "runtime/window/event_types.h"

namespace app {

using rt::EventArguments;
using rt::HandlerResult;

// Every routine bound in the interface files, declared from the list the template
// compiler writes; a routine named there and defined nowhere does not link.
namespace routines {
#define ROUTINE(name) HandlerResult name(const EventArguments& arguments);
#include "routine_names.inc"
#undef ROUTINE
}  // namespace routines

}  // namespace app
