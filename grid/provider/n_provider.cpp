#include "grid/provider/n_provider.h"

#include <algorithm>
#include <new>
#include <string>

#include "grid/model/cell_content.h"
#include "grid/model/data_source.h"

namespace grid {

NProvider::NProvider(const TextMeasurer& measurer) : table_(measureDefaultSizes(measurer)) {}

void NProvider::setRowCountProperty(int32_t rows) { resizeAndReset(std::max(rows, 0), table_.columnCount()); }

void NProvider::setColumnCountProperty(int32_t columns) {
    resizeAndReset(table_.rowCount(), std::max(columns, 0));
}

void NProvider::resizeAndReset(int32_t rows, int32_t columns) {
    if (setSize(rows, columns) && dataSource()) dataSource()->notifyTableReset();
}

bool NProvider::setSize(int32_t rows, int32_t columns) { return table_.setSize(rows, columns); }

int32_t NProvider::rowHeight(int32_t row) const {
    return row >= 0 && row < table_.rowCount() ? table_.rowHeight(row) : 0;
}

int32_t NProvider::columnWidth(int32_t column) const {
    return column >= 0 && column < table_.columnCount() ? table_.columnWidth(column) : 0;
}

bool NProvider::getCell(Cell& out, int32_t row, int32_t column, bool withContent) const {
    if (!table_.contains(row, column)) return false;
    const Cell& cell = table_.cell(row, column);
    out = withContent ? Cell(cell) : cell.formatOnly();
    return true;
}

void NProvider::appendText(std::string& out, int32_t row, int32_t column) const {
    if (table_.contains(row, column)) out.append(table_.cell(row, column).text());
}

void NProvider::setRowHeights(int32_t first, int32_t count, int32_t height) {
    int32_t end = std::min(first + std::max(count, 0), table_.rowCount());
    first = std::max(first, 0);
    if (first < end) table_.setRowHeights(first, end - first, height);
}

void NProvider::setColumnWidths(int32_t first, int32_t count, int32_t width) {
    int32_t end = std::min(first + std::max(count, 0), table_.columnCount());
    for (int32_t column = std::max(first, 0); column < end; ++column) table_.setColumnWidth(column, width);
}

bool NProvider::setCell(int32_t row, int32_t column, const Cell& cell) {
    Cell* target = cellAt(row, column);
    if (!target) return false;
    *target = cell;
    return true;
}

void NProvider::setFlags(int32_t row, int32_t column, uint32_t flags) {
    if (Cell* cell = cellAt(row, column)) cell->setFlags(flags);
}

void NProvider::setTextColor(int32_t row, int32_t column, uint32_t color) {
    if (Cell* cell = cellAt(row, column)) cell->setTextColor(color);
}

void NProvider::setBackColor(int32_t row, int32_t column, uint32_t color) {
    if (Cell* cell = cellAt(row, column)) cell->setBackColor(color);
}

void NProvider::setFontName(int32_t row, int32_t column, std::string_view name) {
    if (Cell* cell = cellAt(row, column)) cell->setFontName(name);
}

void NProvider::setFontSize(int32_t row, int32_t column, int16_t size) {
    if (Cell* cell = cellAt(row, column)) cell->setFontSize(size);
}

void NProvider::setMargin(int32_t row, int32_t column, int16_t margin) {
    if (Cell* cell = cellAt(row, column)) cell->setMargin(margin);
}

void NProvider::setKind(int32_t row, int32_t column, CellKind kind) {
    if (Cell* cell = cellAt(row, column)) cell->setFlags(withKind(cell->flags(), kind));
}

bool NProvider::setText(int32_t row, int32_t column, std::string_view text) {
    Cell* cell = cellAt(row, column);
    return cell && setTextByRules(*cell, text);
}

bool NProvider::setData(int32_t row, int32_t column, std::span<const uint8_t> bytes) {
    Cell* cell = cellAt(row, column);
    return cell && setDataByRules(*cell, bytes);
}

std::string NProvider::columnTitle(int32_t column) const { return std::to_string(column + 1); }

bool NProvider::replaceTable(Table&& table) {
    table_ = std::move(table);
    return true;
}

std::shared_ptr<const Table> NProvider::captureTable() const {
    try {
        return std::make_shared<const Table>(table_);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::optional<TableRestore> NProvider::restoreTable(const Table& kept) {
    TableRestore restore;
    restore.changedRows = kept.rowsDifferingFrom(table_);
    restore.layoutChanged = !kept.hasSameFrame(table_);
    if (!restore.layoutChanged && restore.changedRows) {
        for (int32_t row = restore.changedRows->first; row <= restore.changedRows->last; ++row) {
            if (kept.rowHeight(row) != table_.rowHeight(row)) {
                restore.layoutChanged = true;
                break;
            }
        }
    }
    try {
        Table restored(kept);
        restored.pageSettings() = table_.pageSettings();
        table_ = std::move(restored);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return restore;
}

}  // namespace grid
