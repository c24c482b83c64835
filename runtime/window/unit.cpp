#include "runtime/window/unit.h"

#include <map>

#include "runtime/window/loaded_window.h"
#include "runtime/window/window_runtime.h"

namespace rt {
namespace {

std::map<uint32_t, UnitFactory>& factories() {
    static std::map<uint32_t, UnitFactory> registered;
    return registered;
}

// Components that show nothing and have no properties of their own here (the menu
// skin, the database unit until its layer registers it).
class InertUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget*) override { return nullptr; }
};

}  // namespace

UnitRef Unit::ref() const { return {window_.id(), record_.id, record_.kind}; }

Value Unit::readOwnProperty(int32_t, int32_t) { return {}; }

void Unit::writeOwnProperty(int32_t, int32_t, const Value&) {}

HandlerResult Unit::raise(int32_t event, EventArguments arguments) {
    if (window_.isClosing()) return HandlerResult::nothing();
    return WindowRuntime::instance().deliverEvent(window_.id(), record_.id, event, arguments);
}

PropertyBlock Unit::storedProperties() const {
    return PropertyBlock::decode(record_.kindProperties).value_or(PropertyBlock{});
}

void registerUnitKind(uint32_t kind, UnitFactory factory) { factories()[kind] = factory; }

bool isRegisteredUnitKind(uint32_t kind) { return factories().count(kind) != 0; }

std::unique_ptr<Unit> makeUnit(LoadedWindow& window, UnitTemplate& record) {
    auto found = factories().find(record.kind);
    if (found != factories().end()) return found->second(window, record);
    return std::make_unique<InertUnit>(window, record);
}

}  // namespace rt
