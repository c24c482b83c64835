#pragma once

#include <cstdint>
#include <string_view>

namespace grid {

struct TextExtent {
    int32_t width = 0;
    int32_t height = 0;
};

// Measures text in 0.1 mm at 1:1 zoom. The view layer supplies one that asks the
// platform's fonts; the table core only needs it for its default sizes.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual TextExtent measure(std::string_view fontName, int32_t fontHeight, std::string_view text) const = 0;
};

// Gives every text the same extent: for tests, and for tools that run without fonts.
class FixedTextMeasurer : public TextMeasurer {
public:
    explicit FixedTextMeasurer(TextExtent extent) : extent_(extent) {}
    TextExtent measure(std::string_view, int32_t, std::string_view) const override { return extent_; }

private:
    TextExtent extent_;
};

// The extent of "W" in "宋体" at height 40, for use where no fonts are at hand: the
// face's Latin letters are half as wide as they are high.
inline constexpr TextExtent kHeadlessLetterExtent{20, 40};

struct DefaultSizes {
    int32_t rowHeight = 0;
    int32_t columnWidth = 0;
};

// New rows and columns are sized from the extent of "W" in the default face, so a
// column holds about fourteen letters and a row one line, each with a margin.
DefaultSizes measureDefaultSizes(const TextMeasurer& measurer);

}  // namespace grid
