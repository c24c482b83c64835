#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace rt {

// The arguments of an event in the short form: up to five 32-bit values.
struct EventArguments {
    int32_t count = 0;
    int32_t values[5] = {0, 0, 0, 0, 0};

    EventArguments() = default;
    EventArguments(std::initializer_list<int32_t> list) {
        for (int32_t value : list) {
            if (count < 5) values[count++] = value;
        }
    }
    int32_t operator[](int index) const { return index < count ? values[index] : 0; }
};

// Whether the handler returned a value, and which. A component that asks "did the
// handler say false" tests returned && value == 0.
struct HandlerResult {
    bool returned = false;
    int32_t value = 0;

    static HandlerResult nothing() { return {}; }
    static HandlerResult of(int32_t value) { return {true, value}; }
    bool saysFalse() const { return returned && value == 0; }
};

// An application routine bound to events in the window templates.
using ApplicationRoutine = HandlerResult (*)(const EventArguments& arguments);

// Event numbers the runtime raises itself.
namespace window_event {
inline constexpr int32_t Created = 0;
inline constexpr int32_t MayClose = 1;
inline constexpr int32_t WillBeDestroyed = 2;
inline constexpr int32_t Moved = 3;
inline constexpr int32_t SizeChanged = 4;
inline constexpr int32_t Activated = 5;
inline constexpr int32_t Deactivated = 6;
}  // namespace window_event

namespace common_event {
inline constexpr int32_t LeftDown = -1;
inline constexpr int32_t LeftUp = -2;
inline constexpr int32_t DoubleClick = -3;
inline constexpr int32_t RightDown = -4;
inline constexpr int32_t RightUp = -5;
inline constexpr int32_t MouseMove = -6;
inline constexpr int32_t FocusIn = -7;
inline constexpr int32_t FocusOut = -8;
inline constexpr int32_t KeyDown = -9;
inline constexpr int32_t KeyUp = -10;
inline constexpr int32_t Character = -11;
inline constexpr int32_t Wheel = -12;
}  // namespace common_event

}  // namespace rt
