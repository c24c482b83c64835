#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tests/grid/odbc/test_database.h"

// One column of 类型表 for every SQL type the field conversions tell apart, as each
// driver reports it: the declaration, the literal of the first row, the type code and
// display width the driver reports, the text it reads back, and a text in the form the
// provider writes for the type with what is read back after writing it.
struct TypedColumn {
    std::u16string_view name;
    std::u16string_view declaration;
    std::u16string_view literal;
    int16_t sqlType;
    int32_t displayWidth;
    const char* text;
    const char* written;
    const char* writtenReadsAs;
};

const std::vector<TypedColumn>& typedColumns(const TestDatabase& database);

// 类型表 with one row of the literals (编号 1) and one of NULLs (编号 2).
void createTypes(TestDatabase& database);
