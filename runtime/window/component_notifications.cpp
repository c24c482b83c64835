#include "runtime/window/component_notifications.h"

#include "runtime/error/runtime_error.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/window_runtime.h"

namespace rt {
namespace {

void* liveObject(uint32_t windowId, uint32_t unitId) {
    LoadedWindow* window = WindowRuntime::instance().loadedWindow(windowId);
    if (!window) return nullptr;
    if (unitId == 0) return window;
    Unit* unit = window->unit(unitId);
    return unit ? unit->commandObject() : nullptr;
}

}  // namespace

intptr_t notifyRuntime(int32_t code, uintptr_t first, uintptr_t second, uintptr_t third) {
    WindowRuntime& runtime = WindowRuntime::instance();
    switch (code) {
        case notification::LoadWindow: {
            auto* parent = reinterpret_cast<LoadedWindow*>(second);
            return runtime.loadWindow(static_cast<uint32_t>(first), parent ? parent->id() : 0, third != 0) ? 0 : -1;
        }
        case notification::FindUnitObject:
        case notification::RequireUnitObject: {
            void* object = liveObject(static_cast<uint32_t>(first), static_cast<uint32_t>(second));
            if (!object && code == notification::RequireUnitObject) {
                reportRuntimeError(error_message::kWindowOrUnitMissing, 0);
            }
            return reinterpret_cast<intptr_t>(object);
        }
        case notification::RaiseEvent: {
            auto* record = reinterpret_cast<EventRecord*>(first);
            EventArguments arguments;
            arguments.count = static_cast<int32_t>(std::min<uint32_t>(record->argumentCount, 5));
            for (int32_t i = 0; i < arguments.count; ++i) arguments.values[i] = record->arguments[i];
            HandlerResult result = runtime.deliverEvent(record->windowId, record->unitId, record->event, arguments);
            record->returned = result.returned ? 1 : 0;
            record->value = result.value;
            return 0;
        }
        default: return 0;
    }
}

Value readUnitProperty(const UnitRef& unit, int32_t index, int32_t element) {
    return WindowRuntime::instance().readProperty(unit.windowId, unit.unitId, index, element);
}

void writeUnitProperty(const UnitRef& unit, int32_t index, const Value& value, int32_t element) {
    WindowRuntime::instance().writeProperty(unit.windowId, unit.unitId, index, value, element);
}

}  // namespace rt
