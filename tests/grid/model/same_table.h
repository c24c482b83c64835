#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "grid/model/table.h"

// Whether two tables hold the same counts, sizes, fixed rows and columns and, cell by
// cell, the same flags, format and content; the first difference is named.
inline testing::AssertionResult sameTable(const grid::Table& actual, const grid::Table& expected) {
    if (actual.rowCount() != expected.rowCount() || actual.columnCount() != expected.columnCount()) {
        return testing::AssertionFailure() << actual.rowCount() << " x " << actual.columnCount() << " instead of "
                                           << expected.rowCount() << " x " << expected.columnCount();
    }
    if (actual.fixedRows() != expected.fixedRows() || actual.fixedColumns() != expected.fixedColumns()) {
        return testing::AssertionFailure() << "fixed " << actual.fixedRows() << ", " << actual.fixedColumns()
                                           << " instead of " << expected.fixedRows() << ", "
                                           << expected.fixedColumns();
    }
    for (int column = 0; column < actual.columnCount(); ++column) {
        if (actual.columnWidth(column) != expected.columnWidth(column)) {
            return testing::AssertionFailure() << "width of column " << column;
        }
    }
    for (int row = 0; row < actual.rowCount(); ++row) {
        if (actual.rowHeight(row) != expected.rowHeight(row)) {
            return testing::AssertionFailure() << "height of row " << row;
        }
        for (int column = 0; column < actual.columnCount(); ++column) {
            const grid::Cell& a = actual.cell(row, column);
            const grid::Cell& e = expected.cell(row, column);
            if (a.flags() != e.flags()) {
                return testing::AssertionFailure() << "flags of " << row << ", " << column << ": " << std::hex
                                                   << a.flags() << " instead of " << e.flags();
            }
            if (!std::ranges::equal(a.content(), e.content())) {
                return testing::AssertionFailure() << "content of " << row << ", " << column << ": \"" << a.text()
                                                   << "\" instead of \"" << e.text() << "\"";
            }
            if (a.textColor() != e.textColor() || a.backColor() != e.backColor() || a.fontSize() != e.fontSize() ||
                a.margin() != e.margin() || a.fontNameView() != e.fontNameView()) {
                return testing::AssertionFailure() << "format of " << row << ", " << column;
            }
        }
    }
    return testing::AssertionSuccess();
}
