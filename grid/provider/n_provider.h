#pragma once

#include "grid/model/data_provider.h"
#include "grid/model/table.h"
#include "grid/model/text_measurer.h"

namespace grid {

// The in-memory provider that holds the main table.
class NProvider : public DataProvider {
public:
    // The default row height and column width are measured once, here.
    explicit NProvider(const TextMeasurer& measurer);

    const Table& table() const { return table_; }

    // The unit's own properties 0 and 1. Setting either resizes the table, which
    // discards every cell even when the count does not change, and tells the bound
    // data source's views to start over. Negative counts become 0.
    void setRowCountProperty(int32_t rows);
    void setColumnCountProperty(int32_t columns);

    bool setSize(int32_t rows, int32_t columns) override;
    int32_t rowCount() const override { return table_.rowCount(); }
    int32_t rowHeight(int32_t row) const override;
    int32_t columnCount() const override { return table_.columnCount(); }
    int32_t columnWidth(int32_t column) const override;
    int32_t fixedRows() const override { return table_.fixedRows(); }
    int32_t fixedColumns() const override { return table_.fixedColumns(); }
    bool getCell(Cell& out, int32_t row, int32_t column, bool withContent) const override;
    void setRowHeights(int32_t first, int32_t count, int32_t height) override;
    void setColumnWidths(int32_t first, int32_t count, int32_t width) override;
    bool setCell(int32_t row, int32_t column, const Cell& cell) override;
    void setFlags(int32_t row, int32_t column, uint32_t flags) override;
    void setTextColor(int32_t row, int32_t column, uint32_t color) override;
    void setBackColor(int32_t row, int32_t column, uint32_t color) override;
    void setFontName(int32_t row, int32_t column, std::string_view name) override;
    void setFontSize(int32_t row, int32_t column, int16_t size) override;
    void setMargin(int32_t row, int32_t column, int16_t margin) override;
    void setKind(int32_t row, int32_t column, CellKind kind) override;
    bool setText(int32_t row, int32_t column, std::string_view text) override;
    bool setData(int32_t row, int32_t column, std::span<const uint8_t> bytes) override;
    int32_t defaultRowHeight() const override { return table_.defaultRowHeight(); }
    int32_t defaultColumnWidth() const override { return table_.defaultColumnWidth(); }
    const PageSettings& pageSettings() const override { return table_.pageSettings(); }
    void setPageSettings(const PageSettings& settings) override { table_.pageSettings() = settings; }
    std::string columnTitle(int32_t column) const override;
    void clear() override { table_.clear(); }
    void setFixedRows(int32_t count) override { table_.setFixedRows(count); }
    void setFixedColumns(int32_t count) override { table_.setFixedColumns(count); }
    bool insertRows(int32_t at, int32_t count) override { return table_.insertRows(at, count); }
    bool insertColumns(int32_t at, int32_t count) override { return table_.insertColumns(at, count); }
    bool deleteRows(int32_t at, int32_t count) override { return table_.deleteRows(at, count); }
    bool deleteColumns(int32_t at, int32_t count) override { return table_.deleteColumns(at, count); }
    uint32_t cellFlags(int32_t row, int32_t column) const override {
        return table_.contains(row, column) ? table_.cell(row, column).flags() : 0;
    }
    void appendText(std::string& out, int32_t row, int32_t column) const override;
    const Cell* storedCell(int32_t row, int32_t column) const override {
        return table_.contains(row, column) ? &table_.cell(row, column) : nullptr;
    }
    bool deleteRowSet(std::span<const int32_t> ascendingUnique) override {
        return table_.deleteRowSet(ascendingUnique);
    }
    bool deleteColumnSet(std::span<const int32_t> ascendingUnique) override {
        return table_.deleteColumnSet(ascendingUnique);
    }
    bool replaceTable(Table&& table) override;
    std::shared_ptr<const Table> captureTable() const override;
    std::optional<TableRestore> restoreTable(const Table& kept) override;
    bool holdsSameAs(const Table& kept) const override { return table_.hasSameContent(kept); }

private:
    Cell* cellAt(int32_t row, int32_t column) {
        return table_.contains(row, column) ? &table_.cell(row, column) : nullptr;
    }
    void resizeAndReset(int32_t rows, int32_t columns);

    Table table_;
};

}  // namespace grid
