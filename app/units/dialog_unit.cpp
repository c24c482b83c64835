#include "app/units/dialog_unit.h"

#include "runtime/window/unit_properties.h"
#include "runtime/window/window_runtime.h"

namespace app {
namespace {

constexpr int32_t kTextOrColor = rt::kFirstOwnProperty;
constexpr int32_t kChecked = rt::kFirstOwnProperty + rt::check_property::Checked;
constexpr int32_t kComboIndex = rt::kFirstOwnProperty + rt::combo_property::CurrentIndex;
constexpr int32_t kComboItems = rt::kFirstOwnProperty + rt::combo_property::Items;

uint32_t unitIdOf(uint32_t windowId, std::string_view name) {
    return rt::WindowRuntime::instance().unitIdByName(windowId, name);
}

}  // namespace

DialogUnit::DialogUnit(uint32_t windowId, std::string_view name)
    : windowId_(windowId), unitId_(unitIdOf(windowId, name)) {}

DialogUnit DialogUnit::eventSource() {
    rt::UnitRef source = rt::WindowRuntime::instance().currentEventSource();
    return DialogUnit(source.windowId, source.unitId);
}

std::string DialogUnit::text() const { return access().text(kTextOrColor); }
void DialogUnit::setText(std::string_view text) const { access().setText(kTextOrColor, text); }
bool DialogUnit::isChecked() const { return access().logical(kChecked); }
void DialogUnit::setChecked(bool checked) const { access().setLogical(kChecked, checked); }
uint32_t DialogUnit::color() const { return static_cast<uint32_t>(access().integer(kTextOrColor)); }
void DialogUnit::setColor(uint32_t color) const { access().setInteger(kTextOrColor, static_cast<int32_t>(color)); }

// The combo box takes a list as one text with an item on each line.
void DialogUnit::setItems(const std::vector<std::string>& items) const {
    std::string lines;
    for (size_t i = 0; i < items.size(); ++i) lines += (i == 0 ? "" : "\n") + items[i];
    access().setText(kComboItems, lines);
}

void DialogUnit::selectItem(int32_t index) const { access().setInteger(kComboIndex, index); }
int32_t DialogUnit::selectedItem() const { return access().integer(kComboIndex); }
std::string DialogUnit::linkTarget() const {
    return access().text(rt::kFirstOwnProperty + rt::hyperlink_property::Target);
}

void DialogUnit::setEnabled(bool enabled) const { access().setLogical(rt::common_property::Disabled, !enabled); }

void shareEvents(uint32_t windowId, std::initializer_list<std::string_view> names, std::string_view shared) {
    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
    for (std::string_view name : names) {
        runtime.shareEvents(windowId, unitIdOf(windowId, name), unitIdOf(windowId, shared));
    }
}

}  // namespace app
