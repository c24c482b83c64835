#pragma once

#include <algorithm>
#include <cstdint>

#include "grid/model/cell_range.h"
#include "grid/model/data_source.h"
#include "runtime/value/call.h"
#include "runtime/value/unit_registry.h"

namespace grid {

// Reading the arguments that every data-source command shares.
inline DataSrc& dataSourceArgument(const rt::Arguments& arguments) {
    return rt::unitObjectAs<DataSrc>(arguments.unit(0));
}

// A 1-based row or column argument as a 0-based index.
inline int32_t indexArgument(const rt::Arguments& arguments, int index) {
    int64_t value = int64_t{arguments.integer(index)} - 1;
    return static_cast<int32_t>(std::max<int64_t>(value, INT32_MIN));
}

// Row and column at first, then the optional counts that default to 1.
inline CellRange rangeArgument(const rt::Arguments& arguments, int first) {
    return {indexArgument(arguments, first), indexArgument(arguments, first + 1),
            arguments.integer(first + 2, 1), arguments.integer(first + 3, 1)};
}

}  // namespace grid
