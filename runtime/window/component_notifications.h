#pragma once

#include <cstdint>

#include "runtime/value/value.h"

namespace rt {

// How component libraries reach the window runtime: one call with a code and its
// arguments.
namespace notification {
inline constexpr int32_t LoadWindow = 2005;         // window id, parent window object or 0, modal
inline constexpr int32_t FindUnitObject = 2006;     // window id, unit id (0 = the window)
inline constexpr int32_t RequireUnitObject = 2007;  // as 2006; a missing unit is a runtime error
inline constexpr int32_t RaiseEvent = 2008;         // address of an EventRecord
}  // namespace notification

// An event raised by a component, in the short form: the runtime fills in whether
// the handler returned a value and which.
struct EventRecord {
    uint32_t windowId = 0;
    uint32_t unitId = 0;
    int32_t event = 0;
    uint32_t argumentCount = 0;
    int32_t arguments[5] = {0, 0, 0, 0, 0};
    uint32_t returned = 0;
    int32_t value = 0;
};

// 2005 answers 0 on success and -1 on failure; 2006 and 2007 the unit's object (the
// window object for unit 0) or 0; 2008 answers 0. Unknown codes answer 0.
intptr_t notifyRuntime(int32_t code, uintptr_t first, uintptr_t second = 0, uintptr_t third = 0);

// Runtime services 4 and 5: a property of a unit held in a variable.
Value readUnitProperty(const UnitRef& unit, int32_t index, int32_t element = -1);
void writeUnitProperty(const UnitRef& unit, int32_t index, const Value& value, int32_t element = -1);

}  // namespace rt
