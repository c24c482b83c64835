#include "grid/print/spin_edit.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>

#include "grid/model/page_geometry.h"

namespace grid {

SpinEdit::SpinEdit(Unit unit, int32_t minimum, int32_t maximum, QWidget* parent)
    : QAbstractSpinBox(parent), unit_(unit), minimum_(minimum), maximum_(maximum) {
    // The arrows grey out at the bounds, which depend on the text.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { update(); });
}

void SpinEdit::setValue(int32_t value) {
    lineEdit()->setText(unit_ == Unit::Millimetre ? QString::fromStdString(marginText(value))
                                                  : QString::number(value));
}

int32_t SpinEdit::value() const {
    if (unit_ == Unit::Millimetre) return marginFromText(text().toStdString());
    bool isNumber = false;
    const qlonglong number = text().toLongLong(&isNumber);
    if (!isNumber) return 0;
    return static_cast<int32_t>(std::clamp<qlonglong>(number, INT32_MIN, INT32_MAX));
}

void SpinEdit::stepBy(int steps) {
    const int64_t step = unit_ == Unit::Millimetre ? 10 : 1;
    setValue(static_cast<int32_t>(std::clamp<int64_t>(value() + step * steps, minimum_, maximum_)));
}

QValidator::State SpinEdit::validate(QString& input, int&) const {
    // Ten digits hold every 32-bit number; a larger one reads as the bound.
    static const QRegularExpression whole(QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]{0,10}")));
    static const QRegularExpression millimetres(
        QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]{0,10}(\\.[0-9]*)?")));
    const QRegularExpression& pattern = unit_ == Unit::Millimetre ? millimetres : whole;
    return pattern.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

QSize SpinEdit::sizeHint() const {
    // The base class sizes the edit from values it does not know; room for six digits
    // holds every usual setting, and longer numbers scroll within the edit.
    QSize hint = QAbstractSpinBox::sizeHint();
    hint.rwidth() += fontMetrics().horizontalAdvance(QStringLiteral("000000"));
    return hint;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    const int32_t current = value();
    StepEnabled enabled = StepNone;
    if (current < maximum_) enabled |= StepUpEnabled;
    if (current > minimum_) enabled |= StepDownEnabled;
    return enabled;
}

}  // namespace grid
