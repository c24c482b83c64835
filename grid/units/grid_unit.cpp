// The grid as a unit: the grid widget bound to a data source named on the same
// window, its events 0-5, its properties 0-9, and the commands that find it.
#include <QPointer>

#include "grid/units/data_src_unit.h"
#include "grid/units/grid_units.h"
#include "grid/view/grid_events.h"
#include "grid/view/grid_properties.h"
#include "grid/view/grid_widget.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/property_values.h"

namespace grid {
namespace {

// The stored property names, in the order of the grid's property numbers.
constexpr const char* kStoredNames[kGridPropertyCount] = {
    "dataSource", "lineColor", "backColor", "zoom", "multiSelect",
    "headers", "gridLines", "fixedRowHeights", "fixedColumnWidths", "pasteGrows",
};

rt::Value valueOf(const GridPropertyValue& property) {
    if (const auto* number = std::get_if<int32_t>(&property)) return rt::Value::integer(*number);
    if (const auto* logical = std::get_if<bool>(&property)) return rt::Value::logical(*logical);
    return rt::textValue(std::get<std::string>(property));
}

GridPropertyValue propertyOf(const rt::Value& value) {
    if (value.type == rt::tagOf(rt::ValueType::Text)) return rt::textArgumentOf(value);
    if (value.type == rt::tagOf(rt::ValueType::Logical)) return rt::logicalOfValue(value);
    return rt::integerOfValue(value);
}

class GridUnit : public rt::Unit, public GridEventSink {
public:
    using rt::Unit::Unit;
    ~GridUnit() override {
        if (grid_) grid_->setDataSource(nullptr);
    }

    void* commandObject() override { return grid_.data(); }

    QWidget* createWidget(QWidget* parent) override {
        grid_ = new GridWidget(parent);
        // A screen reader names the table by the unit's name ("主表格").
        grid_->setAccessibleName(rt::fromGbk(record().name));
        grid_->setEventSink(this);
        properties_ = std::make_unique<GridProperties>(*grid_, [this](std::string_view name) -> DataSrc* {
            auto* unit = dynamic_cast<DataSrcUnit*>(window().unitByName(name));
            return unit ? &unit->dataSource() : nullptr;
        });
        rt::PropertyBlock stored = storedProperties();
        for (int number = 1; number < kGridPropertyCount; ++number) {
            if (auto text = stored.find(kStoredNames[number])) {
                properties_->write(number, stored.integer(kStoredNames[number]));
            }
        }
        return grid_;
    }

    // The data source may come after the grid in the window.
    void unitsCreated() override {
        properties_->write(static_cast<int>(GridProperty::DataSource), storedProperties().text("dataSource"));
    }

    rt::Value readOwnProperty(int32_t index, int32_t) override {
        auto property = properties_->read(index);
        return property ? valueOf(*property) : rt::Value{};
    }
    void writeOwnProperty(int32_t index, int32_t, const rt::Value& value) override {
        properties_->write(index, propertyOf(value));
    }

    void gridEvent(GridEvent event, std::span<const int32_t> arguments) override {
        rt::EventArguments eventArguments;
        for (int32_t argument : arguments) {
            if (eventArguments.count < 5) eventArguments.values[eventArguments.count++] = argument;
        }
        raise(static_cast<int32_t>(event), eventArguments);
    }

private:
    QPointer<GridWidget> grid_;
    std::unique_ptr<GridProperties> properties_;
};

}  // namespace

void registerGridUnitKind() {
    rt::registerUnitKind(rt::unit_kind::Grid, rt::constructUnit<GridUnit>);
}

}  // namespace grid
