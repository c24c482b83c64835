#include "runtime/window/tab_order.h"

#include <QWidget>
#include <algorithm>

#include "runtime/value/value.h"
#include "runtime/window/unit.h"

namespace rt {
namespace {

// The units directly in one container (0: the window's own area), in reading order.
// A unit belongs to the line of the first unit above it when it starts above that
// unit's middle: an edit box and the label beside it never share their top edge.
std::vector<const Unit*> unitsInReadingOrder(const std::vector<const Unit*>& inside) {
    std::vector<const Unit*> byTop = inside;
    std::stable_sort(byTop.begin(), byTop.end(),
                     [](const Unit* a, const Unit* b) { return a->record().top < b->record().top; });
    std::vector<const Unit*> ordered;
    for (size_t lineStart = 0; lineStart < byTop.size();) {
        const UnitTemplate& first = byTop[lineStart]->record();
        size_t lineEnd = lineStart + 1;
        while (lineEnd < byTop.size() && byTop[lineEnd]->record().top < first.top + first.height / 2) ++lineEnd;
        std::vector<const Unit*> line(byTop.begin() + static_cast<ptrdiff_t>(lineStart),
                                      byTop.begin() + static_cast<ptrdiff_t>(lineEnd));
        std::stable_sort(line.begin(), line.end(),
                         [](const Unit* a, const Unit* b) { return a->record().left < b->record().left; });
        ordered.insert(ordered.end(), line.begin(), line.end());
        lineStart = lineEnd;
    }
    return ordered;
}

class ReadingOrder {
public:
    explicit ReadingOrder(const std::vector<std::unique_ptr<Unit>>& units) {
        for (const auto& unit : units) {
            if (unit.get() == units.front().get() || !unit->widget()) continue;
            shown_.push_back(unit.get());
        }
    }

    std::vector<QWidget*> widgets() {
        std::vector<QWidget*> widgets;
        collect(0, widgets);
        return widgets;
    }

private:
    // A unit whose container is gone or is no group box sits in the window's area, as
    // the window placed it there.
    uint32_t containerOf(const Unit& unit) const {
        const uint32_t parent = unit.record().parent;
        for (const Unit* other : shown_) {
            if (other->id() == parent && other->kind() == unit_kind::GroupBox) return parent;
        }
        return 0;
    }

    void collect(uint32_t container, std::vector<QWidget*>& widgets) {
        // A template may name group boxes inside each other in a ring.
        if (std::find(visited_.begin(), visited_.end(), container) != visited_.end()) return;
        visited_.push_back(container);
        std::vector<const Unit*> inside;
        for (const Unit* unit : shown_) {
            if (containerOf(*unit) == container) inside.push_back(unit);
        }
        for (const Unit* unit : unitsInReadingOrder(inside)) {
            if (unit->kind() == unit_kind::GroupBox) collect(unit->id(), widgets);
            // A unit made of several widgets (an edit box with arrows) is reached
            // through the one it hands the focus to.
            QWidget* target = unit->widget();
            while (target->focusProxy()) target = target->focusProxy();
            if (target->focusPolicy() & Qt::TabFocus) widgets.push_back(target);
        }
    }

    std::vector<const Unit*> shown_;
    std::vector<uint32_t> visited_;
};

}  // namespace

void orderTabsByReading(QWidget& area, const std::vector<std::unique_ptr<Unit>>& units) {
    if (units.empty()) return;
    // Qt takes the focus chain as a ring and leaves an order alone that holds once the
    // widgets without focus are skipped, wherever the ring starts; the window's first
    // Tab stop is the first after the window, though. The area takes part for the
    // moment, so the first unit comes right after it.
    const Qt::FocusPolicy areaPolicy = area.focusPolicy();
    area.setFocusPolicy(Qt::TabFocus);
    QWidget* previous = &area;
    for (QWidget* widget : ReadingOrder(units).widgets()) {
        QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    area.setFocusPolicy(areaPolicy);
}

}  // namespace rt
