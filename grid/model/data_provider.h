#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "grid/model/cell.h"
#include "grid/model/page_settings.h"
#include "grid/model/row_list.h"

namespace grid {

class DataSrc;
class Table;

// What putting a kept table back changed, so that the views repaint no more than that.
struct TableRestore {
    // Counts, fixed rows or columns, row heights or column widths changed: the views
    // lay the table out anew.
    bool layoutChanged = false;
    // The rows whose cells changed; nothing when none did.
    std::optional<RowSpan> changedRows;
};

// The storage behind a data source. Rows and columns are numbered from 0; the data
// source has validated them before it calls, but every implementation still treats
// coordinates outside its table as a failure rather than trusting them.
class DataProvider {
public:
    virtual ~DataProvider() = default;

    virtual bool setSize(int32_t rows, int32_t columns) = 0;
    virtual int32_t rowCount() const = 0;
    virtual int32_t rowHeight(int32_t row) const = 0;
    virtual int32_t columnCount() const = 0;
    virtual int32_t columnWidth(int32_t column) const = 0;
    virtual int32_t fixedRows() const = 0;
    virtual int32_t fixedColumns() const = 0;
    virtual bool getCell(Cell& out, int32_t row, int32_t column, bool withContent) const = 0;
    virtual void setRowHeights(int32_t first, int32_t count, int32_t height) = 0;
    virtual void setColumnWidths(int32_t first, int32_t count, int32_t width) = 0;
    virtual bool setCell(int32_t row, int32_t column, const Cell& cell) = 0;
    virtual void setFlags(int32_t row, int32_t column, uint32_t flags) = 0;
    virtual void setTextColor(int32_t row, int32_t column, uint32_t color) = 0;
    virtual void setBackColor(int32_t row, int32_t column, uint32_t color) = 0;
    virtual void setFontName(int32_t row, int32_t column, std::string_view name) = 0;
    virtual void setFontSize(int32_t row, int32_t column, int16_t size) = 0;
    virtual void setMargin(int32_t row, int32_t column, int16_t margin) = 0;
    virtual void setKind(int32_t row, int32_t column, CellKind kind) = 0;
    // Writes a text by the rules of setTextByRules; a picture or data cell keeps its
    // content and gives false, so that a whole block of texts can be written without
    // asking for each cell's kind first.
    virtual bool setText(int32_t row, int32_t column, std::string_view text) = 0;
    virtual bool setData(int32_t row, int32_t column, std::span<const uint8_t> bytes) = 0;
    virtual int32_t defaultRowHeight() const = 0;
    virtual int32_t defaultColumnWidth() const = 0;
    virtual const PageSettings& pageSettings() const = 0;
    virtual void setPageSettings(const PageSettings& settings) = 0;
    virtual std::string columnTitle(int32_t column) const = 0;
    virtual void clear() = 0;
    virtual void setFixedRows(int32_t count) = 0;
    virtual void setFixedColumns(int32_t count) = 0;
    virtual bool insertRows(int32_t at, int32_t count) = 0;
    virtual bool insertColumns(int32_t at, int32_t count) = 0;
    virtual bool deleteRows(int32_t at, int32_t count) = 0;
    virtual bool deleteColumns(int32_t at, int32_t count) = 0;

    // The cell's flag word, 0 outside the table. Seam repairs and kind checks read many
    // of them and need nothing else of the cell.
    virtual uint32_t cellFlags(int32_t row, int32_t column) const;
    // Appends the cell's text (nothing for the data kinds) without copying the cell, so
    // that reading a million texts costs no million copies.
    virtual void appendText(std::string& out, int32_t row, int32_t column) const;
    // The stored cell itself, for readers of whole tables (saving, cell blocks) that
    // would otherwise copy every cell; null when this provider keeps no cells (the
    // reader then copies them with getCell) or outside the table.
    virtual const Cell* storedCell(int32_t row, int32_t column) const;
    // Deletes the rows (columns) at these positions, given in ascending order without
    // repeats, as one change. This default deletes them one by one from the last, so it
    // is all or nothing only when a single deletion cannot fail.
    virtual bool deleteRowSet(std::span<const int32_t> ascendingUnique);
    virtual bool deleteColumnSet(std::span<const int32_t> ascendingUnique);

    // Takes over a whole table read from a file in one step, so that a load either
    // replaces everything or nothing. False when this provider cannot hold it.
    virtual bool replaceTable(Table&& table) = 0;

    // A copy of the whole table for Undo, sharing its storage with the table until
    // either changes; null when this provider cannot keep one.
    virtual std::shared_ptr<const Table> captureTable() const { return nullptr; }
    // Makes the table what the kept copy holds again, keeping the current page
    // settings (they are not part of editing). Nothing when this provider cannot, or
    // memory runs out; the table is then unchanged.
    virtual std::optional<TableRestore> restoreTable(const Table&) { return std::nullopt; }
    // Whether the table holds just what the kept copy holds (page settings aside);
    // false when this provider keeps no copies.
    virtual bool holdsSameAs(const Table&) const { return false; }

    // The data source this provider is bound to, for the notices that a change of the
    // provider's own properties must send; null while unbound.
    DataSrc* dataSource() const { return dataSource_; }
    void setDataSource(DataSrc* dataSource) { dataSource_ = dataSource; }

private:
    DataSrc* dataSource_ = nullptr;
};

}  // namespace grid
