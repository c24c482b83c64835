#include "grid/view/axis_layout.h"

#include <algorithm>

namespace grid {

AxisLayout::AxisLayout(int32_t count, int32_t fixedCount, int32_t scroll, int headerSize, bool hasHeader,
                       int clientExtent, std::function<int(int32_t)> pixelSize)
    : count_(std::max(count, 0)),
      fixedCount_(std::clamp(fixedCount, 0, std::max(count, 0))),
      scroll_(std::max(scroll, 0)),
      headerSize_(hasHeader ? headerSize : 0),
      hasHeader_(hasHeader),
      clientExtent_(clientExtent),
      pixelSize_(std::move(pixelSize)) {
    int position = headerSize_;
    for (int32_t index = 0; index < fixedCount_; ++index) {
        int end = position + pixelSize_(index);
        if (position < clientExtent_) shown_.push_back({index, position, end});
        position = end;
    }
    fixedEnd_ = position;
    for (int32_t index = firstBody(); index < count_ && position < clientExtent_; ++index) {
        int end = position + pixelSize_(index);
        shown_.push_back({index, position, end});
        position = end;
    }
}

const LineSpan* AxisLayout::findShown(int32_t index) const {
    auto found = std::lower_bound(shown_.begin(), shown_.end(), index,
                                  [](const LineSpan& span, int32_t wanted) { return span.index < wanted; });
    return found != shown_.end() && found->index == index ? &*found : nullptr;
}

int AxisLayout::startOf(int32_t index) const {
    if (const LineSpan* span = findShown(index)) return span->start;
    const int farBefore = -kOutside;
    const int farAfter = clientExtent_ + kOutside;
    if (index < fixedCount_) {
        // A fixed row that is not shown lies beyond the client area's end.
        return farAfter;
    }
    if (index < firstBody()) {
        int position = fixedEnd_;
        for (int32_t hidden = firstBody() - 1; hidden >= index; --hidden) {
            position -= pixelSize_(hidden);
            if (position < farBefore) return farBefore;
        }
        return position;
    }
    // One past the last shown row starts where that row ends; anything further is
    // beyond the client area.
    const LineSpan* last = shown_.empty() ? nullptr : &shown_.back();
    if (last && index == last->index + 1 && last->index >= firstBody()) return std::min(last->end, farAfter);
    if (!last && index == firstBody()) return std::min(fixedEnd_, farAfter);
    return farAfter;
}

// The last fixed row ends where the body begins, not where the scrolled-out row
// after it would start.
int AxisLayout::endOf(int32_t index) const {
    if (const LineSpan* span = findShown(index)) return span->end;
    if (isFixed(index)) return clientExtent_ + kOutside;
    return startOf(index + 1);
}

int AxisLayout::wholeStartOf(int32_t index) const {
    if (const LineSpan* span = findShown(index)) return span->start;
    const int64_t farBefore = -int64_t{kFarOutside};
    const int64_t farAfter = int64_t{clientExtent_} + kFarOutside;
    if (!isFixed(index) && index < firstBody()) {
        // Scrolled out: the rows from here to the first shown one lie before the body.
        int64_t position = fixedEnd_;
        for (int32_t row = firstBody() - 1; row >= index && position > farBefore; --row) {
            position -= pixelSize_(row);
        }
        return static_cast<int>(std::max(position, farBefore));
    }
    // Beyond the window: after the last shown row of its own part, fixed or body.
    const bool fixed = isFixed(index);
    int64_t position = fixed ? headerSize_ : fixedEnd_;
    int32_t next = fixed ? 0 : firstBody();
    for (const LineSpan& span : shown_) {
        if (isFixed(span.index) == fixed && span.index < index) {
            position = span.end;
            next = span.index + 1;
        }
    }
    for (int32_t row = next; row < index && position < farAfter; ++row) {
        position += pixelSize_(row);
    }
    return static_cast<int>(std::min(position, farAfter));
}

int AxisLayout::wholeEndOf(int32_t index) const {
    if (const LineSpan* span = findShown(index)) return span->end;
    const int64_t farAfter = int64_t{clientExtent_} + kFarOutside;
    // A scrolled-out row ends where the next one starts, the last of them at the body.
    if (!isFixed(index) && index < firstBody()) {
        if (index + 1 < firstBody()) return wholeStartOf(index + 1);
        return static_cast<int>(std::clamp(int64_t{fixedEnd_}, -int64_t{kFarOutside}, farAfter));
    }
    return static_cast<int>(std::min(int64_t{wholeStartOf(index)} + pixelSize_(index), farAfter));
}

std::optional<int32_t> AxisLayout::indexAt(int position) const {
    if (hasHeader_ && position < headerSize_) return kHeader;
    if (shown_.empty()) return std::nullopt;
    for (const LineSpan& span : shown_) {
        if (position < span.end) return span.index;
    }
    return shown_.back().index;
}

int32_t AxisLayout::scrollToShow(int32_t index) const {
    if (index < fixedCount_) return scroll_;
    if (index < firstBody()) return index - fixedCount_;
    const int available = clientExtent_ - fixedEnd_;
    int used = pixelSize_(index);
    int32_t first = index;
    while (first > fixedCount_ && used + pixelSize_(first - 1) <= available) {
        --first;
        used += pixelSize_(first);
    }
    // Already shown completely from the current position: keep it.
    int32_t lowest = first - fixedCount_;
    if (scroll_ >= lowest && scroll_ <= index - fixedCount_) return scroll_;
    return lowest;
}

}  // namespace grid
