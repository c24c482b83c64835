#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// An event number and the index of the application routine that handles it
// (-1 = no handler).
struct EventBinding {
    int32_t event = 0;
    int32_t handler = -1;
    friend bool operator==(const EventBinding&, const EventBinding&) = default;
};

// The fields only menu items have.
struct MenuItemData {
    uint32_t shortcut = 0;
    uint32_t level = 0;
    uint32_t stateFlags = 0;  // bit 0 hidden, bit 1 disabled, bit 2 checked
    std::string caption;
    int32_t handler = -1;
    friend bool operator==(const MenuItemData&, const MenuItemData&) = default;
};

namespace menu_state {
inline constexpr uint32_t Hidden = 0x1;
inline constexpr uint32_t Disabled = 0x2;
inline constexpr uint32_t Checked = 0x4;
}  // namespace menu_state

namespace unit_state {
inline constexpr uint32_t Visible = 0x1;
inline constexpr uint32_t Disabled = 0x2;
}  // namespace unit_state

// One unit of a window as stored: the window's own unit, a control, a component or
// a menu item. Menu items use only id, kind, eventShareLink, name, remark and menu.
struct UnitTemplate {
    uint32_t id = 0;
    uint32_t kind = 0;
    uint32_t eventShareLink = 0;
    std::string name;
    std::string remark;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t parent = 0;
    std::vector<uint32_t> children;
    std::string mousePointer;
    std::string tag;
    uint32_t stateFlags = unit_state::Visible;
    uint32_t tabPosition = 0;
    std::vector<EventBinding> events;
    std::string kindProperties;
    MenuItemData menu;

    bool isMenuItem() const;
    bool isVisible() const { return (stateFlags & unit_state::Visible) != 0; }
    bool isDisabled() const { return (stateFlags & unit_state::Disabled) != 0; }
    // The handler bound to an event, or -1.
    int32_t handlerFor(int32_t event) const;
    friend bool operator==(const UnitTemplate&, const UnitTemplate&) = default;
};

struct WindowTemplate {
    uint32_t id = 0;
    uint32_t keptWords[2] = {0, 0};
    std::string name;
    std::string remark;
    // The window's own unit first, then the others in creation order.
    std::vector<UnitTemplate> units;

    const UnitTemplate* findUnit(uint32_t unitId) const;
    const UnitTemplate* findUnitByName(std::string_view name) const;
    friend bool operator==(const WindowTemplate&, const WindowTemplate&) = default;
};

struct TemplateSegment {
    std::vector<WindowTemplate> windows;

    const WindowTemplate* findWindow(uint32_t windowId) const;
    friend bool operator==(const TemplateSegment&, const TemplateSegment&) = default;
};

// Id classes, told apart by their top bytes.
bool isWindowId(uint32_t id);
bool isWindowOwnUnitId(uint32_t id);
bool isUnitId(uint32_t id);
bool isMenuItemId(uint32_t id);

enum class TemplateReadError {
    None,
    Truncated,        // a field runs past the end of its data
    BadWindowList,    // the window list's length is not a whole number of entries
    BadUnitTable,     // a unit offset or record length points outside the table
    BadRecord,        // a unit record's fields do not fit its length
    TrailingBytes,    // data after the last window
};

std::vector<uint8_t> writeTemplateSegment(const TemplateSegment& segment);
std::optional<TemplateSegment> readTemplateSegment(std::span<const uint8_t> bytes,
                                                   TemplateReadError* error = nullptr);

}  // namespace rt
