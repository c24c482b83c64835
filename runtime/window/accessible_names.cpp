#include "runtime/window/accessible_names.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include "runtime/value/value.h"
#include "runtime/window/unit.h"

namespace rt {
namespace {

// Glyph edges and the boxes' own borders never line up to the pixel.
constexpr int kSlack = 3;

bool overlapVertically(const UnitTemplate& a, const UnitTemplate& b) {
    return a.top < b.top + b.height && b.top < a.top + a.height;
}

// The last word of the label's text that fits in `width` pixels from its left edge.
QString lastWordWithin(const QLabel& label, int width) {
    const QString text = label.text();
    const QFontMetrics metrics = label.fontMetrics();
    int fits = 0;
    while (fits < text.size() && metrics.horizontalAdvance(text.left(fits + 1)) <= width + kSlack) ++fits;
    const QStringList words = text.left(fits).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    return words.isEmpty() ? QString() : words.back();
}

// The label on the box's line whose left edge is nearest before the box.
const Unit* labelInFront(const Unit& box, const std::vector<std::unique_ptr<Unit>>& units) {
    const Unit* nearest = nullptr;
    for (const auto& unit : units) {
        const UnitTemplate& record = unit->record();
        if (unit->kind() != unit_kind::Label || record.parent != box.record().parent) continue;
        if (record.left >= box.record().left || !overlapVertically(record, box.record())) continue;
        if (!nearest || record.left > nearest->record().left) nearest = unit.get();
    }
    return nearest;
}

}  // namespace

void nameInputsAfterTheirLabels(const std::vector<std::unique_ptr<Unit>>& units) {
    for (const auto& unit : units) {
        const uint32_t kind = unit->kind();
        if (kind != unit_kind::EditBox && kind != unit_kind::ComboBox && kind != unit_kind::ColorPicker) continue;
        const Unit* label = labelInFront(*unit, units);
        auto* labelWidget = label ? qobject_cast<QLabel*>(label->widget()) : nullptr;
        if (!labelWidget || !unit->widget()) continue;
        const QString name =
            lastWordWithin(*labelWidget, unit->record().left - label->record().left);
        if (name.isEmpty()) continue;
        // A box with spin buttons is a container around the edit field itself.
        unit->widget()->setAccessibleName(name);
        for (QLineEdit* edit : unit->widget()->findChildren<QLineEdit*>()) edit->setAccessibleName(name);
    }
}

}  // namespace rt
