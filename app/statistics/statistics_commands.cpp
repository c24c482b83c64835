#include "app/statistics/statistics_commands.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "app/edit/table_change.h"
#include "app/units/data_source_ref.h"
#include "app/units/grid_ref.h"
#include "runtime/value/number_text.h"
#include "runtime/window/input_box.h"
#include "runtime/window/message_box.h"

namespace app {
namespace {

void tell(std::string_view text) {
    rt::showMessageBox(text, rt::message_box::Ok | rt::message_box::InformationIcon, "提示：");
}

// One operation on a cell's value; nothing when it has no value.
using Operation = std::function<std::optional<double>(double)>;

// The cells written so far are put back when an operation fails halfway, so a failed
// command leaves the table exactly as it found it.
class TableWrites {
public:
    TableWrites() : before_(table_.captureState()), batch_(table_) {}
    ~TableWrites() { table_.releaseState(before_); }
    TableWrites(const TableWrites&) = delete;
    TableWrites& operator=(const TableWrites&) = delete;

    std::string text(int32_t row, int32_t column) const { return table_.cellText(row, column); }
    double number(int32_t row, int32_t column) const { return rt::textToNumber(text(row, column)); }
    void write(int32_t row, int32_t column, double value) const {
        table_.setCellText(row, column, resultText(value));
    }
    void undo() const { table_.restoreState(before_); }

private:
    DataSourceRef table_ = mainDataSource();
    int32_t before_;
    NoticeBatch batch_;
};

// The aggregate of one row (along = false: of one column) of the selection, reading
// each cell when it is reached; nothing when an operation has no value.
std::optional<double> aggregateLine(const TableWrites& cells, Aggregate aggregate, int32_t fixed, int32_t first,
                                    int32_t last, bool alongRow) {
    auto textAt = [&](int32_t index) { return alongRow ? cells.text(fixed, index) : cells.text(index, fixed); };
    double acc = rt::textToNumber(textAt(first));
    for (int32_t index = first + 1; index < last; ++index) {
        std::string text = textAt(index);
        if (text.empty()) continue;
        std::optional<double> next = combine(aggregate, acc, rt::textToNumber(text));
        if (!next) return std::nullopt;
        acc = *next;
    }
    return acc;
}

void applyOperation(const Operation& operation) {
    GridRef grid = mainGrid();
    grid.commitEdit();
    const SelectedRange range = grid.selection();
    TableWrites cells;
    const bool shiftRight = cells.text(range.row, range.lastColumn()).empty() &&
                            cells.text(range.lastRow(), range.lastColumn()).empty();
    const bool shiftDown = !shiftRight && cells.text(range.lastRow(), range.column).empty() &&
                           cells.text(range.lastRow(), range.lastColumn()).empty();
    const int32_t lastRow = shiftDown ? range.lastRow() - 1 : range.lastRow();
    const int32_t lastColumn = shiftRight ? range.lastColumn() - 1 : range.lastColumn();
    bool wrote = false;
    for (int32_t row = range.row; row <= lastRow; ++row) {
        for (int32_t column = range.column; column <= lastColumn; ++column) {
            std::optional<double> result = operation(cells.number(row, column));
            if (!result) continue;
            cells.write(shiftDown ? row + 1 : row, shiftRight ? column + 1 : column, *result);
            wrote = true;
        }
    }
    if (wrote) recordTableChange();
}

}  // namespace

void aggregateSelection(Aggregate aggregate) {
    GridRef grid = mainGrid();
    grid.commitEdit();
    const SelectedRange range = grid.selection();
    if (range.row <= 0 || range.column <= 0 || (range.rowCount <= 1 && range.columnCount <= 1)) {
        tell("请选择要计算的数值，并多选择一行或一列用于保存计算结果。");
        return;
    }
    const DataSourceRef table = mainDataSource();
    // A pass whose lines hold one cell each would only write every cell's own value
    // over it, turning texts and empty cells into 0: one row has no column pass, one
    // column no row pass.
    const bool inLastColumn = range.columnCount > 1 && isBlank(table.cellText(range.row, range.lastColumn())) &&
                              isBlank(table.cellText(range.lastRow(), range.lastColumn()));
    const bool inLastRow = range.rowCount > 1 && table.cellText(range.lastRow(), range.column).empty() &&
                           table.cellText(range.lastRow(), range.lastColumn()).empty();
    if (!inLastColumn && !inLastRow) {
        tell("请多选择一行或一列用于保存计算结果。");
        return;
    }
    TableWrites cells;
    // The row pass comes first; the column pass then reads the row results too.
    auto pass = [&](bool alongRow) {
        const int32_t fixedFirst = alongRow ? range.row : range.column;
        const int32_t fixedLast = alongRow ? range.lastRow() : range.lastColumn();
        for (int32_t fixed = fixedFirst; fixed <= fixedLast; ++fixed) {
            std::optional<double> value = alongRow
                ? aggregateLine(cells, aggregate, fixed, range.column, range.lastColumn(), true)
                : aggregateLine(cells, aggregate, fixed, range.row, range.lastRow(), false);
            if (!value) return false;
            if (alongRow) {
                cells.write(fixed, range.lastColumn(), *value);
            } else {
                cells.write(range.lastRow(), fixed, *value);
            }
        }
        return true;
    };
    if ((inLastColumn && !pass(true)) || (inLastRow && !pass(false))) {
        // A zero divisor of a remainder: everything this command wrote goes back.
        cells.undo();
        tell("不能求余数于零");
        return;
    }
    recordTableChange();
}

void applyToSelection(std::string_view word) {
    std::optional<std::string> entered =
        rt::showInputBox("请输入要" + std::string(word) + "的数值：", "", "", rt::InputMode::Decimal);
    if (entered) applyNumberToSelection(word, rt::leadingNumber(*entered));
}

void applyNumberToSelection(std::string_view word, double x) {
    Operation operation;
    if (word == "加上") operation = [x](double v) { return v + x; };
    if (word == "减去") operation = [x](double v) { return v - x; };
    if (word == "乘以") operation = [x](double v) { return v * x; };
    if (word == "除以") operation = [x](double v) { return v / x; };
    if (operation) applyOperation(operation);
}

void roundSelection() {
    std::optional<std::string> entered = rt::showInputBox(
        "请指定舍入位置(如果大于0，表示小数点右边应保留的位数；如果等于0，表示舍入到整数；如果小于0，"
        "表示小数点左边舍入到的位置。)：",
        "四舍五入：", "0", rt::InputMode::Integer);
    if (!entered) return;
    const auto places = static_cast<int32_t>(std::clamp<int64_t>(rt::leadingInteger(*entered), INT32_MIN, INT32_MAX));
    applyOperation([places](double v) { return roundHalfAway(v, places); });
}

}  // namespace app
