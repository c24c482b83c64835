#include "app/units/dialog_unit.h"

#include "runtime/window/unit_properties.h"
#include "runtime/window/window_runtime.h"

namespace app {
namespace {

constexpr int32_t kTextOrColor = rt::kFirstOwnProperty;
constexpr int32_t kChecked = rt::kFirstOwnProperty + rt::check_property::Checked;

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
uint32_t DialogUnit::color() const { return static_cast<uint32_t>(access().integer(kTextOrColor)); }
void DialogUnit::setEnabled(bool enabled) const { access().setLogical(rt::common_property::Disabled, !enabled); }

void shareEvents(uint32_t windowId, std::initializer_list<std::string_view> names, std::string_view shared) {
    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
    for (std::string_view name : names) {
        runtime.shareEvents(windowId, unitIdOf(windowId, name), unitIdOf(windowId, shared));
    }
}

}  // namespace app
