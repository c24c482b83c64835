#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace grid::odbc {

// One value of a row as the driver gave it: the text in UTF-16, so that an original
// value can be bound again unchanged even when GBK cannot hold all its characters.
struct Field {
    std::u16string text;
    bool isNull = true;
};

using Row = std::vector<Field>;

// A column of a result as SQLDescribeColW and SQL_DESC_DISPLAY_SIZE report it.
struct Column {
    std::u16string name;
    int16_t sqlType = 0;
    uint64_t size = 0;
    int16_t decimalDigits = 0;
    int64_t displaySize = 0;
};

}  // namespace grid::odbc
