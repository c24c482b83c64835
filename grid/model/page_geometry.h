#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "grid/model/page_settings.h"

namespace grid {

// A printer's paper in 0.1 mm: its size and the strips at its edges that the printer
// cannot reach. Without a printer, an A4 sheet printable to its edges.
struct PaperMetrics {
    int32_t paperWidth = 2100;
    int32_t paperHeight = 2970;
    int32_t offsetLeft = 0;
    int32_t offsetTop = 0;
    int32_t offsetRight = 0;
    int32_t offsetBottom = 0;

    int32_t printableWidth() const { return paperWidth - offsetLeft - offsetRight; }
    int32_t printableHeight() const { return paperHeight - offsetTop - offsetBottom; }
};

// A rectangle in 0.1 mm from the printable area's top-left corner; right and bottom
// are excluded.
struct PageRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    friend bool operator==(const PageRect&, const PageRect&) = default;
};

// Where the table goes on a page: the printable area less the margins, which are
// measured from the printable area's edges, not the paper's.
PageRect printRectangle(const PaperMetrics& paper, const PageSettings& settings);

// The top-left corner of the page number text ("第 %d 页"), textWidth x textHeight in
// 0.1 mm, at one of the six positions (1-3 above the print rectangle at its left,
// middle and right; 4-6 below it): 4 mm clear of the rectangle's top or bottom edge.
struct PagePoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const PagePoint&, const PagePoint&) = default;
};
PagePoint pageNumberOrigin(const PageRect& printRect, int32_t position, int32_t textWidth, int32_t textHeight);

// A margin in 0.1 mm as the page setup shows it in millimetres: "12" for 120, "12.3"
// for 123, with a leading "-" for a negative margin ("-0.5").
std::string marginText(int32_t tenths);
// A typed margin in millimetres back in 0.1 mm: times 10, truncated; a negative
// margin becomes 0.
int32_t marginFromText(std::string_view millimetres);

}  // namespace grid
