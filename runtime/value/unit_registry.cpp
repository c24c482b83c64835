#include "runtime/value/unit_registry.h"

#include <map>
#include <utility>

#include "runtime/error/runtime_error.h"

namespace rt {
namespace {

using UnitKey = std::pair<uint64_t, uint32_t>;

UnitKey keyOf(const UnitRef& unit) { return {(uint64_t{unit.windowId} << 32) | unit.unitId, unit.kind}; }

std::map<UnitKey, void*>& units() {
    static std::map<UnitKey, void*> registry;
    return registry;
}

}  // namespace

void registerUnitObject(const UnitRef& unit, void* object) { units()[keyOf(unit)] = object; }

void unregisterUnitObject(const UnitRef& unit) { units().erase(keyOf(unit)); }

void* findUnitObject(const UnitRef& unit) {
    auto found = units().find(keyOf(unit));
    return found == units().end() ? nullptr : found->second;
}

void* unitObject(const UnitRef& unit) {
    void* object = findUnitObject(unit);
    if (!object) reportRuntimeError(error_message::kWindowOrUnitMissing, 0);
    return object;
}

}  // namespace rt
