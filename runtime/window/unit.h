#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/template/kind_properties.h"
#include "runtime/template/template_segment.h"
#include "runtime/value/value.h"
#include "runtime/window/event_types.h"

namespace rt {

class LoadedWindow;

// One live unit of a loaded window: its live record (a copy of the template's), the
// widget it shows (none for components such as providers) and its own properties.
class Unit {
public:
    Unit(LoadedWindow& window, UnitTemplate& record) : window_(window), record_(record) {}
    virtual ~Unit() = default;
    Unit(const Unit&) = delete;
    Unit& operator=(const Unit&) = delete;

    uint32_t id() const { return record_.id; }
    uint32_t kind() const { return record_.kind; }
    const std::string& name() const { return record_.name; }
    UnitTemplate& record() { return record_; }
    const UnitTemplate& record() const { return record_; }
    LoadedWindow& window() { return window_; }
    UnitRef ref() const;

    // What commands called with this unit as their first argument work on: the unit
    // itself, or the model object a kind wraps (a data source, say).
    virtual void* commandObject() { return this; }

    // Makes the unit's widget inside parent; units without one return null.
    virtual QWidget* createWidget(QWidget* parent) = 0;
    QWidget* widget() const { return widget_; }
    // Called once every unit of the window exists, before any event: units that name
    // others (a grid its data source, a data source its provider) find them here.
    virtual void unitsCreated() {}
    void attachWidget(QWidget* widget) { widget_ = widget; }

    // Properties of the kind, counted from 0 (common index 8). The element index is
    // -1 for the whole property. Unknown indexes read as nothing and ignore writes.
    virtual Value readOwnProperty(int32_t index, int32_t element);
    virtual void writeOwnProperty(int32_t index, int32_t element, const Value& value);

    // Raises one of this unit's events through the runtime.
    HandlerResult raise(int32_t event, EventArguments arguments = {});

    // The kind block as stored, for kinds that keep named values.
    PropertyBlock storedProperties() const;

private:
    LoadedWindow& window_;
    UnitTemplate& record_;
    QPointer<QWidget> widget_;
};

using UnitFactory = std::unique_ptr<Unit> (*)(LoadedWindow& window, UnitTemplate& record);

// The factory of a kind whose unit class is made from (window, record).
template <typename UnitType>
std::unique_ptr<Unit> constructUnit(LoadedWindow& window, UnitTemplate& record) {
    return std::make_unique<UnitType>(window, record);
}

// Unit kinds are registered by the layer that implements them (the grid units live
// outside the runtime). An unknown kind becomes an inert component.
void registerUnitKind(uint32_t kind, UnitFactory factory);
std::unique_ptr<Unit> makeUnit(LoadedWindow& window, UnitTemplate& record);
bool isRegisteredUnitKind(uint32_t kind);

}  // namespace rt
