#pragma once

#include <cstdint>

#include "app/filter/filter_rules.h"
#include "app/units/data_source_ref.h"

namespace app {

enum class FilterDirection { Rows, Columns };

// Deletes, in one pass, the rows (columns) from firstLine to the table's last whose
// key cell, in row (column) keyLine, the rules ask to delete; lines before firstLine
// are never looked at. Numbers count from 1. Returns how many lines went.
int32_t filterTable(const DataSourceRef& table, const FilterRules& rules, FilterDirection direction,
                    int32_t firstLine, int32_t keyLine);

}  // namespace app
