// The colour picker unit: a colour field whose palette offers 32 named colours,
// optionally "no colour", and the colour dialog.
#include "runtime/template/kind_properties.h"
#include "runtime/window/property_values.h"
#include "runtime/window/unit.h"
#include "runtime/window/units/color_button.h"
#include "runtime/window/units/color_picker_properties.h"
#include "runtime/window/units/standard_units.h"

namespace rt {
namespace {

// Event 0 after every choice in the palette, with property 0 already holding it.
class ColorPickerUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget* parent) override {
        // A block that does not decode starts the picker black, without "no colour".
        const ColorPickerBlock stored = ColorPickerBlock::decode(record().kindProperties).value_or(ColorPickerBlock{});
        button_ = new ColorButton(parent);
        button_->setColor(stored.color);
        setTransparentAllowed(stored.transparentAllowed);
        QObject::connect(button_, &ColorButton::colorChosen, button_, [this] { raise(0); });
        return button_;
    }
    Value readOwnProperty(int32_t index, int32_t) override {
        if (index == color_picker_property::Color) return Value::integer(static_cast<int32_t>(button_->color()));
        if (index == color_picker_property::TransparentAllowed) return Value::integer(transparentAllowed_);
        return {};
    }
    void writeOwnProperty(int32_t index, int32_t, const Value& value) override {
        if (index == color_picker_property::Color) button_->setColor(static_cast<uint32_t>(integerOfValue(value)));
        if (index == color_picker_property::TransparentAllowed) setTransparentAllowed(integerOfValue(value));
    }

private:
    // The value is kept as written and read back so; only 1 offers the entry.
    void setTransparentAllowed(int32_t value) {
        transparentAllowed_ = value;
        button_->setTransparentAllowed(value == 1);
    }

    ColorButton* button_ = nullptr;
    int32_t transparentAllowed_ = 0;
};

}  // namespace

void registerColorPickerUnitKind() { registerUnitKind(unit_kind::ColorPicker, constructUnit<ColorPickerUnit>); }

}  // namespace rt
