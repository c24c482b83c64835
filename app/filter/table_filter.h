#pragma once

#include <cstdint>
#include <functional>

#include "app/filter/filter_rules.h"
#include "app/units/data_source_ref.h"

namespace app {

enum class FilterDirection { Rows, Columns };

// Told how many lines are about to go, before any goes; false keeps them all.
using DeletionCheck = std::function<bool(int32_t lineCount)>;

// Deletes, in one pass, the rows (columns) from firstLine to the table's last whose
// key cell, in row (column) keyLine, the rules ask to delete; lines before firstLine
// are never looked at. Numbers count from 1. Returns how many lines went.
int32_t filterTable(const DataSourceRef& table, const FilterRules& rules, FilterDirection direction,
                    int32_t firstLine, int32_t keyLine, const DeletionCheck& mayDelete = {});

}  // namespace app
