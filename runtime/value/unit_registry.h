#pragma once

#include "runtime/value/value.h"

namespace rt {

// Maps unit references to the live objects behind them, so that a command routine
// that receives a unit as its first argument finds the object it works on. The
// window runtime registers every unit of a window it loads; headless users (tests,
// bgetool) register the units they make themselves.
void registerUnitObject(const UnitRef& unit, void* object);
void unregisterUnitObject(const UnitRef& unit);

// The object registered for exactly this window, unit and kind, or null.
void* findUnitObject(const UnitRef& unit);

// As findUnitObject, but a unit that is not there is the runtime error
// "指定窗口或窗口组件不存在或尚未载入".
void* unitObject(const UnitRef& unit);

template <typename Object>
Object& unitObjectAs(const UnitRef& unit) {
    return *static_cast<Object*>(unitObject(unit));
}

}  // namespace rt
