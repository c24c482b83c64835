#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/window/unit_access.h"

namespace app {

// A unit of a loaded dialog, found by the name its interface file gives it, so that
// the routines read like the dialog's own labels. Edit boxes, labels, buttons, check
// boxes and radio buttons keep their text in their first own property; a colour
// picker keeps its colour there.
class DialogUnit {
public:
    DialogUnit(uint32_t windowId, std::string_view name);
    // The unit whose event the running handler serves.
    static DialogUnit eventSource();

    std::string text() const;
    void setText(std::string_view text) const;
    bool isChecked() const;
    void setChecked(bool checked) const;
    uint32_t color() const;
    void setColor(uint32_t color) const;
    // A combo box's list, replaced whole, and the item it shows (from 0).
    void setItems(const std::vector<std::string>& items) const;
    void selectItem(int32_t index) const;
    // The item the combo box shows, from 0; -1 for none.
    int32_t selectedItem() const;
    void setEnabled(bool enabled) const;
    // Where a link label leads.
    std::string linkTarget() const;

private:
    DialogUnit(uint32_t windowId, uint32_t unitId) : windowId_(windowId), unitId_(unitId) {}
    rt::UnitAccess access() const { return rt::UnitAccess(windowId_, unitId_); }
    uint32_t windowId_;
    uint32_t unitId_;
};

// From now on the units named raise their events through the bindings of the unit
// named shared; a handler tells them apart by the event's source.
void shareEvents(uint32_t windowId, std::initializer_list<std::string_view> names,
                 std::string_view shared);

}  // namespace app
