#pragma once

#include <cmath>
#include <cstdint>

namespace grid {

// Lengths on the grid are in 0.1 mm; on screen they become device pixels at the
// device's logical resolution and the grid's zoom (per mille). Each length is
// converted on its own and positions are sums of converted lengths, so the rounding
// of one row never shifts the rows after it.
struct LogicalScale {
    double pixelsPerUnitX = 1;
    double pixelsPerUnitY = 1;

    static constexpr double kUnitsPerInch = 254.0;

    static LogicalScale forDevice(double dotsPerInchX, double dotsPerInchY, int32_t zoomX, int32_t zoomY) {
        return {dotsPerInchX / kUnitsPerInch * zoomX / 1000.0, dotsPerInchY / kUnitsPerInch * zoomY / 1000.0};
    }

    int pixelsX(int32_t units) const { return static_cast<int>(std::lround(units * pixelsPerUnitX)); }
    int pixelsY(int32_t units) const { return static_cast<int>(std::lround(units * pixelsPerUnitY)); }
    int32_t unitsX(int pixels) const { return static_cast<int32_t>(std::lround(pixels / pixelsPerUnitX)); }
    int32_t unitsY(int pixels) const { return static_cast<int32_t>(std::lround(pixels / pixelsPerUnitY)); }
};

}  // namespace grid
