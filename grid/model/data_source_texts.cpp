// The texts of a rectangle of cells as one block of NUL-ended texts, for filters and
// for importing and exporting text, which move a million cells at a time.
#include <algorithm>

#include "grid/model/data_source.h"

namespace grid {
namespace {

// Takes the texts of a block one after the other.
class TextCursor {
public:
    explicit TextCursor(std::string_view block) : rest_(block) {}

    bool atEnd() const { return rest_.empty(); }
    std::string_view next() {
        const size_t end = rest_.find('\0');
        const std::string_view text = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return text;
    }
    void skip(int64_t count) {
        for (; count > 0 && !atEnd(); --count) next();
    }

private:
    std::string_view rest_;
};

int64_t textCount(std::string_view block) {
    if (block.empty()) return 0;
    return std::count(block.begin(), block.end(), '\0') + (block.back() != '\0' ? 1 : 0);
}

}  // namespace

std::string DataSrc::cellTexts(const CellRange& requested) const {
    std::string texts;
    std::optional<CellRange> range = validRange(requested);
    if (!range) return texts;
    for (int32_t row = range->row; row < range->row + range->rowCount; ++row) {
        for (int32_t column = range->column; column < range->column + range->columnCount; ++column) {
            provider_->appendText(texts, row, column);
            texts.push_back('\0');
        }
    }
    return texts;
}

void DataSrc::putTexts(int32_t row, int32_t column, int32_t rows, int32_t columns, std::string_view block) {
    if (!provider_ || isReadOnly() || rows <= 0 || columns <= 0) return;
    // The texts fill the rectangle's first rows; only the last of them may be short.
    // When that short row is the only one inside the table, the cells that change are
    // as few as its texts.
    const int64_t texts = textCount(block);
    const int64_t rowsWithText = std::min<int64_t>(rows, (texts + columns - 1) / columns);
    const int64_t firstRow = std::max<int64_t>(row, 0);
    const int64_t endRow = std::min<int64_t>(row + rowsWithText, rowCount());
    const int64_t textsBefore = (firstRow - row) * columns;
    const int64_t width = std::min<int64_t>(columns, texts - textsBefore);
    const int64_t firstColumn = std::max<int64_t>(column, 0);
    const int64_t endColumn = std::min<int64_t>(column + width, columnCount());
    if (firstRow >= endRow || firstColumn >= endColumn) return;

    notifyBeforeChange();
    TextCursor cursor(block);
    cursor.skip(textsBefore);
    for (int64_t target = firstRow; target < endRow; ++target) {
        cursor.skip(firstColumn - column);
        for (int64_t cell = firstColumn; cell < endColumn && !cursor.atEnd(); ++cell) {
            provider_->setText(static_cast<int32_t>(target), static_cast<int32_t>(cell), cursor.next());
        }
        cursor.skip(int64_t{column} + columns - endColumn);
    }
    notify({.kind = ModelNotice::Kind::Cells,
            .row = static_cast<int32_t>(firstRow),
            .column = static_cast<int32_t>(firstColumn),
            .rowCount = static_cast<int32_t>(endRow - firstRow),
            .columnCount = static_cast<int32_t>(endColumn - firstColumn)});
}

}  // namespace grid
