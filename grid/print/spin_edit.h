#pragma once

#include <QAbstractSpinBox>
#include <cstdint>

namespace grid {

// A number edit with spin arrows. What the user types is read as typed, even outside
// the bounds; the arrows and the Up and Down keys step it by one within the bounds.
// A margin edit holds 0.1 mm but shows and steps whole millimetres.
class SpinEdit : public QAbstractSpinBox {
public:
    enum class Unit { Number, Millimetre };

    SpinEdit(Unit unit, int32_t minimum, int32_t maximum, QWidget* parent = nullptr);

    void setValue(int32_t value);
    // The typed number: 0 when the edit holds none; a margin never below 0.
    int32_t value() const;

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& position) const override;
    QSize sizeHint() const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    Unit unit_;
    int32_t minimum_;
    int32_t maximum_;
};

}  // namespace grid
