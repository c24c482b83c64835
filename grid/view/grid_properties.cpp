#include "grid/view/grid_properties.h"

#include "grid/view/grid_widget.h"

namespace grid {
namespace {

uint32_t flagOf(GridProperty property) {
    switch (property) {
        case GridProperty::MultiSelect: return GridFlags::kMultiSelect;
        case GridProperty::HeadersShown: return GridFlags::kHeadersShown;
        case GridProperty::GridLinesShown: return GridFlags::kGridLinesShown;
        case GridProperty::RowHeightsFixed: return GridFlags::kRowHeightsFixed;
        case GridProperty::ColumnWidthsFixed: return GridFlags::kColumnWidthsFixed;
        case GridProperty::PasteMayGrow: return GridFlags::kPasteMayGrow;
        default: return 0;
    }
}

std::optional<int32_t> integerOf(const GridPropertyValue& value) {
    if (const int32_t* number = std::get_if<int32_t>(&value)) return *number;
    if (const bool* logical = std::get_if<bool>(&value)) return *logical ? 1 : 0;
    return std::nullopt;
}

}  // namespace

GridProperties::GridProperties(GridWidget& grid, DataSourceResolver resolver)
    : grid_(grid), resolver_(std::move(resolver)) {}

std::optional<GridPropertyValue> GridProperties::read(int number) const {
    if (number < 0 || number >= kGridPropertyCount) return std::nullopt;
    const auto property = static_cast<GridProperty>(number);
    switch (property) {
        case GridProperty::DataSource: return dataSourceName_;
        case GridProperty::LineColor: return static_cast<int32_t>(grid_.lineColor());
        case GridProperty::BackColor: return static_cast<int32_t>(grid_.backColor());
        case GridProperty::Zoom: return grid_.zoomX() / 10;
        default: return grid_.hasFlag(flagOf(property));
    }
}

bool GridProperties::write(int number, const GridPropertyValue& value) {
    if (number < 0 || number >= kGridPropertyCount) return false;
    const auto property = static_cast<GridProperty>(number);
    if (property == GridProperty::DataSource) {
        const std::string* name = std::get_if<std::string>(&value);
        if (!name) return false;
        dataSourceName_ = *name;
        grid_.setDataSource(resolver_ ? resolver_(dataSourceName_) : nullptr);
        return true;
    }
    std::optional<int32_t> integer = integerOf(value);
    if (!integer) return false;
    switch (property) {
        case GridProperty::LineColor: grid_.setLineColor(static_cast<uint32_t>(*integer)); break;
        case GridProperty::BackColor: grid_.setBackColor(static_cast<uint32_t>(*integer)); break;
        case GridProperty::Zoom: grid_.setZoomPercent(*integer); break;
        default: grid_.setFlag(flagOf(property), *integer != 0); break;
    }
    return true;
}

}  // namespace grid
