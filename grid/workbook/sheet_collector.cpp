#include "grid/workbook/sheet_collector.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

#include "grid/model/cell_flags.h"
#include "grid/model/limits.h"
#include "grid/workbook/number_display.h"
#include "grid/workbook/workbook_styles.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/ole_date.h"

namespace grid::workbook {
namespace {

using namespace orcus::spreadsheet;

// A workbook breaks lines with LF alone; the table's texts use CR LF.
std::string tableText(std::string_view utf8) {
    std::string gbk = rt::utf8ToGbk(utf8);
    if (gbk.find('\n') == std::string::npos) return gbk;
    std::string text;
    text.reserve(gbk.size() + 8);
    for (size_t i = 0; i < gbk.size(); ++i) {
        if (gbk[i] == '\n' && (i == 0 || gbk[i - 1] != '\r')) text += '\r';
        text += gbk[i];
    }
    return text;
}

// A size in the library's unit as 0.1 mm; nothing for a unit we cannot read. A
// column width counted in digits is that many digits of the default font, seven
// pixels each; the stored count already holds the cell's padding.
std::optional<int32_t> tenthsOfMillimetre(double size, orcus::length_unit_t unit) {
    if (!std::isfinite(size) || size < 0) return std::nullopt;
    double tenths = 0;
    switch (unit) {
        case orcus::length_unit_t::centimeter: tenths = size * 100; break;
        case orcus::length_unit_t::millimeter: tenths = size * 10; break;
        case orcus::length_unit_t::inch: tenths = size * 254; break;
        case orcus::length_unit_t::point: tenths = size * 254 / 72; break;
        case orcus::length_unit_t::twip: tenths = size * 254 / 1440; break;
        case orcus::length_unit_t::pixel: tenths = size * 254 / 96; break;
        case orcus::length_unit_t::xlsx_column_digit: tenths = size * 7 * 254 / 96; break;
        default: return std::nullopt;
    }
    // Sizes are kept as the table file keeps them; a column wider than a page is
    // still one the grid can show.
    return static_cast<int32_t>(std::clamp(std::lround(tenths), 1L, 100'000L));
}

std::string timeOfDayText(const rt::DateParts& time) {
    char text[16];
    if (time.second != 0) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d", time.hour, time.minute);
    }
    return text;
}

// Sizes a workbook takes when it names none: 64 pixels wide, 15 points high.
constexpr int32_t kDefaultColumnWidth = 169;
constexpr int32_t kDefaultRowHeight = 53;

}  // namespace

const std::string& SharedTexts::at(size_t index) const {
    static const std::string kNone;
    return index < texts_.size() ? texts_[index] : kNone;
}

size_t SharedTexts::append(std::string_view text) {
    texts_.push_back(tableText(text));
    return texts_.size() - 1;
}

size_t SharedTexts::commit_segments() {
    size_t index = append(segments_);
    segments_.clear();
    return index;
}

SheetCollector::SheetCollector(const SharedTexts& texts, LostContent& lost, const bool& date1904)
    : sharedTexts_(texts), lost_(lost), date1904_(date1904) {}

range_size_t SheetCollector::get_sheet_size() const { return {kMaxRows, kMaxColumns}; }

bool SheetCollector::inside(int64_t row, int64_t column) {
    if (row >= 0 && column >= 0 && row < kMaxRows && column < kMaxColumns) return true;
    tooLarge_ = true;
    return false;
}

SheetCollector::SheetCell* SheetCollector::cellAt(int32_t row, int32_t column) {
    if (!inside(row, column)) return nullptr;
    if (!cells_.empty()) {
        SheetCell& last = cells_.back();
        if (last.row == row && last.column == column) return &last;
        if (row < last.row || (row == last.row && column < last.column)) ordered_ = false;
    }
    if (cells_.size() >= static_cast<size_t>(kMaxCells)) {
        tooLarge_ = true;
        return nullptr;
    }
    cells_.push_back({.row = row, .column = column});
    return &cells_.back();
}

void SheetCollector::setValue(int32_t row, int32_t column, ValueKind kind, double number) {
    if (SheetCell* cell = cellAt(row, column)) {
        cell->kind = kind;
        cell->number = number;
    }
}

void SheetCollector::setShownText(int32_t row, int32_t column, std::string text, bool isNumber) {
    ownTexts_.push_back(std::move(text));
    setValue(row, column, isNumber ? ValueKind::ShownNumber : ValueKind::OwnText,
             static_cast<double>(ownTexts_.size() - 1));
}

void SheetCollector::addMerge(int32_t row, int32_t column, int32_t lastRow, int32_t lastColumn) {
    set_merge_cell_range({{row, column}, {lastRow, lastColumn}});
}

void SheetCollector::set_auto(row_t row, col_t column, std::string_view text) {
    ownTexts_.push_back(tableText(text));
    setValue(row, column, ValueKind::OwnText, static_cast<double>(ownTexts_.size() - 1));
}

void SheetCollector::set_string(row_t row, col_t column, string_id_t index) {
    setValue(row, column, ValueKind::SharedText, index);
}

void SheetCollector::set_value(row_t row, col_t column, double value) {
    setValue(row, column, ValueKind::Number, value);
}

void SheetCollector::set_bool(row_t row, col_t column, bool value) {
    setValue(row, column, ValueKind::Boolean, value ? 1 : 0);
}

void SheetCollector::set_date_time(row_t row, col_t column, int year, int month, int day, int hour, int minute,
                                   double second) {
    rt::DateParts parts{year, month, day, hour, minute, static_cast<int>(std::lround(std::clamp(second, 0.0, 59.0)))};
    bool valid = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                 day <= rt::daysInMonth(year, month) && hour >= 0 && hour < 24 && minute >= 0 && minute < 60;
    setValue(row, column, ValueKind::Date, valid ? rt::oleDateOf(parts) : 0);
}

void SheetCollector::set_format(row_t row, col_t column, size_t cellFormat) {
    if (SheetCell* cell = cellAt(row, column)) {
        cell->cellFormat = static_cast<uint32_t>(std::min<size_t>(cellFormat, UINT32_MAX));
        cell->hasFormat = true;
    }
}

void SheetCollector::set_format(row_t firstRow, col_t firstColumn, row_t lastRow, col_t lastColumn,
                                size_t cellFormat) {
    // Whole rows and columns are formatted this way; only the part inside the sheet's
    // cells is used, so the range itself is kept as it is.
    if (firstRow < 0 || firstColumn < 0 || lastRow < firstRow || lastColumn < firstColumn) return;
    formatRanges_.push_back({firstRow, firstColumn, lastRow, lastColumn,
                             static_cast<uint32_t>(std::min<size_t>(cellFormat, UINT32_MAX))});
}

void SheetCollector::fill_down_cells(row_t row, col_t column, row_t count) {
    if (count <= 0 || cells_.empty()) return;
    SheetCell source = cells_.back();
    if (source.row != row || source.column != column) return;
    if (!inside(int64_t{row} + count, column)) return;
    for (row_t next = row + 1; next <= row + count; ++next) {
        SheetCell* cell = cellAt(next, column);
        if (!cell) return;
        cell->kind = source.kind;
        cell->number = source.number;
        cell->cellFormat = source.cellFormat;
        cell->hasFormat = source.hasFormat;
    }
}

void SheetCollector::set_column_width(col_t column, double width, orcus::length_unit_t unit) {
    if (column < 0 || column >= kMaxColumns) return;
    if (std::optional<int32_t> tenths = tenthsOfMillimetre(width, unit)) columnWidths_.emplace_back(column, *tenths);
}

void SheetCollector::set_column_hidden(col_t, bool hidden) {
    if (hidden) lost_.insert(LostKind::HiddenRowsAndColumns);
}

void SheetCollector::set_row_height(row_t row, double height, orcus::length_unit_t unit) {
    if (row < 0 || row >= kMaxRows) return;
    if (std::optional<int32_t> tenths = tenthsOfMillimetre(height, unit)) rowHeights_.emplace_back(row, *tenths);
}

void SheetCollector::set_row_hidden(row_t, bool hidden) {
    if (hidden) lost_.insert(LostKind::HiddenRowsAndColumns);
}

void SheetCollector::set_merge_cell_range(const range_t& range) {
    const address_t& first = range.first;
    const address_t& last = range.last;
    if (first.row < 0 || first.column < 0 || last.row < first.row || last.column < first.column) return;
    if (!inside(last.row, last.column)) return;
    merges_.push_back({first.row, first.column, last.row, last.column});
}

void SheetCollector::set_split_pane(double horizontal, double vertical, const address_t&, sheet_pane_t) {
    if (horizontal > 0 || vertical > 0) lost_.insert(LostKind::SplitPanes);
}

void SheetCollector::set_frozen_pane(col_t columns, row_t rows, const address_t&, sheet_pane_t) {
    frozenColumns_ = std::clamp(columns, 0, kMaxColumns);
    frozenRows_ = std::clamp(rows, 0, kMaxRows);
}

void SheetCollector::set_position(row_t row, col_t column) {
    formulaRow_ = row;
    formulaColumn_ = column;
}

void SheetCollector::set_result_string(std::string_view text) { set_auto(formulaRow_, formulaColumn_, text); }

// A formula the writer never calculated has no result to keep: its cell stays empty.
void SheetCollector::set_result_value(double value) {
    if (std::isfinite(value)) set_value(formulaRow_, formulaColumn_, value);
}

void SheetCollector::set_result_bool(bool value) { set_bool(formulaRow_, formulaColumn_, value); }

void SheetCollector::set_result_string(row_t row, col_t column, std::string_view text) { set_auto(row, column, text); }

void SheetCollector::set_result_value(row_t row, col_t column, double value) { set_value(row, column, value); }

void SheetCollector::set_result_bool(row_t row, col_t column, bool value) { set_bool(row, column, value); }

std::string SheetCollector::textOf(const SheetCell& cell, const SheetStyle& style, bool& isDate) const {
    isDate = false;
    switch (cell.kind) {
        case ValueKind::None: return {};
        case ValueKind::SharedText: return sharedTexts_.at(static_cast<size_t>(cell.number));
        case ValueKind::OwnText:
        case ValueKind::ShownNumber: {
            size_t index = static_cast<size_t>(cell.number);
            return index < ownTexts_.size() ? ownTexts_[index] : std::string();
        }
        case ValueKind::Boolean: return cell.number != 0 ? "TRUE" : "FALSE";
        case ValueKind::Date:
            isDate = true;
            return rt::formatDateText(rt::datePartsOf(cell.number));
        case ValueKind::Number: {
            ShownNumber shown = showNumber(cell.number, style.numberCode, date1904_);
            if (!shown.date) return rt::utf8ToGbk(shown.text);
            // A time of day alone is no date: it stays the text a person reads.
            if (cell.number >= 0 && cell.number < 1) return timeOfDayText(*shown.date);
            isDate = true;
            return rt::formatDateText(*shown.date);
        }
    }
    return {};
}

void SheetCollector::fillCell(Cell& target, const SheetCell& source, WorkbookStyles& styles) const {
    const SheetStyle& style = styles.styleOf(source.cellFormat);
    bool isDate = false;
    std::string text = textOf(source, style, isDate);
    CellFormat format = style.format;
    // A workbook puts numbers and dates on the right of a cell it leaves to the value.
    bool toTheRight = source.kind == ValueKind::Number || source.kind == ValueKind::ShownNumber ||
                      source.kind == ValueKind::Date;
    if (style.generalHorizontal && toTheRight) {
        uint32_t code = format.flags & CellFlags::kAlignmentMask;
        format.flags = (format.flags & ~CellFlags::kAlignmentMask) | ((code - 1) / 3 * 3 + 3);
    }
    if (isDate) format.flags = withInputType(format.flags, InputType::DateTime);
    target.setFormat(format);
    target.setTextContent(text);
}

SheetFault SheetCollector::build(WorkbookStyles& styles, Table& table) {
    if (tooLarge_) return SheetFault::TooLarge;
    try {
        if (!ordered_) {
            std::stable_sort(cells_.begin(), cells_.end(), [](const SheetCell& a, const SheetCell& b) {
                return a.row != b.row ? a.row < b.row : a.column < b.column;
            });
            // The later word on a cell wins, its value and its format each.
            std::vector<SheetCell> merged;
            merged.reserve(cells_.size());
            for (const SheetCell& cell : cells_) {
                if (merged.empty() || merged.back().row != cell.row || merged.back().column != cell.column) {
                    merged.push_back(cell);
                    continue;
                }
                SheetCell& kept = merged.back();
                if (cell.kind != ValueKind::None) {
                    kept.kind = cell.kind;
                    kept.number = cell.number;
                }
                if (cell.hasFormat) {
                    kept.cellFormat = cell.cellFormat;
                    kept.hasFormat = true;
                }
            }
            cells_.swap(merged);
        }
        int32_t rows = 0;
        int32_t columns = 0;
        for (const SheetCell& cell : cells_) {
            rows = std::max(rows, cell.row + 1);
            columns = std::max(columns, cell.column + 1);
        }
        for (const Merge& merge : merges_) {
            rows = std::max(rows, merge.lastRow + 1);
            columns = std::max(columns, merge.lastColumn + 1);
        }
        if (!fitsLimits(rows, columns)) return SheetFault::TooLarge;
        if (!table.setSize(rows, columns)) return SheetFault::OutOfMemory;
        table.setRowHeights(0, rows, kDefaultRowHeight);
        for (int32_t column = 0; column < columns; ++column) table.setColumnWidth(column, kDefaultColumnWidth);
        for (auto [column, width] : columnWidths_) {
            if (column < columns) table.setColumnWidth(column, width);
        }
        for (auto [row, height] : rowHeights_) {
            if (row < rows) table.setRowHeight(row, height);
        }

        // Every cell takes the format its ranges give it; a cell the sheet names
        // itself takes its own.
        std::vector<uint32_t> rangeFormats;
        if (!formatRanges_.empty()) {
            rangeFormats.assign(static_cast<size_t>(rows) * static_cast<size_t>(columns), 0);
            for (const FormatRange& range : formatRanges_) {
                for (int32_t row = range.firstRow; row <= std::min(range.lastRow, rows - 1); ++row) {
                    for (int32_t column = range.firstColumn; column <= std::min(range.lastColumn, columns - 1);
                         ++column) {
                        rangeFormats[static_cast<size_t>(row) * static_cast<size_t>(columns) +
                                     static_cast<size_t>(column)] = range.cellFormat;
                    }
                }
            }
        }
        auto cellsAt = cells_.begin();
        for (int32_t row = 0; row < rows; ++row) {
            std::span<Cell> cells = table.rowCells(row);
            for (int32_t column = 0; column < columns; ++column) {
                SheetCell source{.row = row, .column = column};
                if (!rangeFormats.empty()) {
                    source.cellFormat = rangeFormats[static_cast<size_t>(row) * static_cast<size_t>(columns) +
                                                     static_cast<size_t>(column)];
                }
                if (cellsAt != cells_.end() && cellsAt->row == row && cellsAt->column == column) {
                    source.kind = cellsAt->kind;
                    source.number = cellsAt->number;
                    if (cellsAt->hasFormat) source.cellFormat = cellsAt->cellFormat;
                    ++cellsAt;
                }
                fillCell(cells[static_cast<size_t>(column)], source, styles);
            }
        }

        // Blocks that overlap one already made (a damaged file) are left out, so that
        // every block stays a rectangle; looking for overlaps may cost a few times the
        // sheet's cells, not more, however many blocks a hostile file names.
        int64_t lookBudget = 4 * int64_t{rows} * columns + int64_t(merges_.size());
        for (const Merge& merge : merges_) {
            bool taken = false;
            for (int32_t row = merge.firstRow; row <= merge.lastRow && !taken; ++row) {
                for (int32_t column = merge.firstColumn; column <= merge.lastColumn && !taken; ++column) {
                    taken = --lookBudget < 0 || (table.cell(row, column).flags() & CellFlags::kMergeMask) != 0;
                }
            }
            if (taken || (merge.firstRow == merge.lastRow && merge.firstColumn == merge.lastColumn)) continue;
            for (int32_t row = merge.firstRow; row <= merge.lastRow; ++row) {
                for (int32_t column = merge.firstColumn; column <= merge.lastColumn; ++column) {
                    uint32_t links = 0;
                    if (row > merge.firstRow) links |= CellFlags::kJoinedAbove;
                    if (row < merge.lastRow) links |= CellFlags::kJoinedBelow;
                    if (column > merge.firstColumn) links |= CellFlags::kJoinedLeft;
                    if (column < merge.lastColumn) links |= CellFlags::kJoinedRight;
                    Cell& cell = table.cell(row, column);
                    cell.setFlags(cell.flags() | links);
                }
            }
        }
        // The grid shows a merged range whole only on one side of the fixed rows and
        // columns, so the frozen part shrinks until no range crosses its edge.
        auto cut = [this](int32_t edge, bool rows) {
            return std::any_of(merges_.begin(), merges_.end(), [&](const Merge& merge) {
                return rows ? merge.firstRow < edge && edge <= merge.lastRow
                            : merge.firstColumn < edge && edge <= merge.lastColumn;
            });
        };
        int32_t fixedRows = std::min(frozenRows_, rows);
        while (fixedRows > 0 && cut(fixedRows, true)) --fixedRows;
        int32_t fixedColumns = std::min(frozenColumns_, columns);
        while (fixedColumns > 0 && cut(fixedColumns, false)) --fixedColumns;
        table.setFixedRows(fixedRows);
        table.setFixedColumns(fixedColumns);
        page_.applyTo(table.pageSettings());
    } catch (const std::bad_alloc&) {
        return SheetFault::OutOfMemory;
    }
    return SheetFault::None;
}

}  // namespace grid::workbook
