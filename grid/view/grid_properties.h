#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "grid/model/data_source.h"

namespace grid {

class GridWidget;

// The grid unit's own properties, numbered as the application numbers them.
enum class GridProperty : int {
    DataSource = 0,         // text: name of the bound data source unit
    LineColor = 1,          // integer colour
    BackColor = 2,          // integer colour
    Zoom = 3,               // integer percent, 20-1000
    MultiSelect = 4,        // logical
    HeadersShown = 5,       // logical
    GridLinesShown = 6,     // logical
    RowHeightsFixed = 7,    // logical
    ColumnWidthsFixed = 8,  // logical
    PasteMayGrow = 9,       // logical
};

inline constexpr int kGridPropertyCount = 10;

// Colours travel as integers with their sign bit, as every colour argument does.
using GridPropertyValue = std::variant<int32_t, bool, std::string>;

// Reads and writes a grid's properties 0-9 with typed values. The data source is
// named by unit name; the window runtime supplies the lookup of that name.
class GridProperties {
public:
    using DataSourceResolver = std::function<DataSrc*(std::string_view name)>;

    GridProperties(GridWidget& grid, DataSourceResolver resolver);

    // Nothing for a number outside 0-9.
    std::optional<GridPropertyValue> read(int number) const;
    // False for a number outside 0-9 or a value of a kind the property cannot take
    // (a text for a number, a number for the data source's name). Numbers and
    // logicals stand for each other.
    bool write(int number, const GridPropertyValue& value);

private:
    GridWidget& grid_;
    DataSourceResolver resolver_;
    std::string dataSourceName_;
};

}  // namespace grid
