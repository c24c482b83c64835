#pragma once

#include <QPoint>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/value/value.h"

namespace rt {

// Typed access to windows and unit properties for the application: each call goes
// through the window runtime's load, pop-up, focus and property entry points.
class UnitAccess {
public:
    UnitAccess(uint32_t windowId, uint32_t unitId) : windowId_(windowId), unitId_(unitId) {}

    std::string text(int32_t index, int32_t element = -1) const;
    int32_t integer(int32_t index, int32_t element = -1) const;
    bool logical(int32_t index) const;
    void setText(int32_t index, std::string_view text, int32_t element = -1) const;
    void setInteger(int32_t index, int32_t value) const;
    void setLogical(int32_t index, bool value) const;
    // Gives the unit the keyboard focus; in a window that is not active, once it is.
    void takeFocus() const;

private:
    uint32_t windowId_;
    uint32_t unitId_;
};

bool loadWindow(uint32_t windowId, uint32_t parentWindowId, bool modal);
void destroyWindow(uint32_t windowId);
// Pops up the contents of the menu item with this command id (20000 + position).
void popUpMenu(uint32_t windowId, int32_t commandId, std::optional<QPoint> at = std::nullopt);
// Where the keyboard works, on the screen: below the input cursor of the focused
// widget (a grid's current cell, an edit box's caret); nothing without a focus. A
// menu opened from the keyboard pops up there rather than at the mouse pointer.
std::optional<QPoint> keyboardSpot();

}  // namespace rt
