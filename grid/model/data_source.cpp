#include "grid/model/data_source.h"

#include <algorithm>
#include <charconv>

#include "runtime/value/number_text.h"

namespace grid {

DataSrc::~DataSrc() {
    if (provider_ && provider_->dataSource() == this) provider_->setDataSource(nullptr);
}

void DataSrc::setProviderName(std::string_view name) {
    providerName_ = std::string(name);
    bindProvider(resolver_ ? resolver_(name) : nullptr);
}

void DataSrc::bindProvider(DataProvider* provider) {
    notifyBeforeChange();
    if (provider_ && provider_->dataSource() == this) provider_->setDataSource(nullptr);
    provider_ = provider;
    if (provider_) provider_->setDataSource(this);
    currentRow_ = 0;
    notify({.kind = ModelNotice::Kind::ProviderChanged});
}

void DataSrc::addView(ModelView* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void DataSrc::removeView(ModelView* view) { std::erase(views_, view); }

void DataSrc::setReadOnly(bool readOnly) {
    uint32_t old = statusFlags_;
    statusFlags_ = readOnly ? (old | kReadOnlyStatus) : (old & ~kReadOnlyStatus);
    if (statusFlags_ != old) {
        notify({.kind = ModelNotice::Kind::StatusFlags, .newFlags = statusFlags_, .oldFlags = old});
    }
}

void DataSrc::setCurrentRow(int32_t row) {
    int32_t clamped = std::clamp(row, 0, std::max(0, rowCount() - 1));
    if (clamped == currentRow_) return;
    currentRow_ = clamped;
    notify({.kind = ModelNotice::Kind::CurrentRow, .row = clamped});
}

void DataSrc::notify(const ModelNotice& notice) {
    if (batchDepth_ > 0) {
        using Kind = ModelNotice::Kind;
        // The views committed an open edit on the batch's first before-change notice.
        if (notice.kind == Kind::BeforeChange && batchChanged_) return;
        batchChanged_ = true;
        if (notice.kind == Kind::Cells) {
            gatherCells(notice);
            return;
        }
        flushGatheredCells();
    }
    send(notice);
}

void DataSrc::send(const ModelNotice& notice) {
    // A view may unbind itself while it handles a notice.
    std::vector<ModelView*> views = views_;
    for (ModelView* view : views) view->onModelNotice(notice);
}

void DataSrc::beginBatch() { ++batchDepth_; }

void DataSrc::endBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) return;
    flushGatheredCells();
    batchChanged_ = false;
}

void DataSrc::gatherCells(const ModelNotice& notice) {
    if (notice.rowCount <= 0 || notice.columnCount <= 0) return;
    if (!gathered_) {
        gathered_ = notice;
        return;
    }
    const int32_t lastRow = std::max(gathered_->row + gathered_->rowCount, notice.row + notice.rowCount);
    const int32_t lastColumn =
        std::max(gathered_->column + gathered_->columnCount, notice.column + notice.columnCount);
    gathered_->row = std::min(gathered_->row, notice.row);
    gathered_->column = std::min(gathered_->column, notice.column);
    gathered_->rowCount = lastRow - gathered_->row;
    gathered_->columnCount = lastColumn - gathered_->column;
}

void DataSrc::flushGatheredCells() {
    if (!gathered_) return;
    ModelNotice notice = *gathered_;
    gathered_.reset();
    send(notice);
}

void DataSrc::notifyBeforeChange() {
    if (!isReadOnly()) notify({.kind = ModelNotice::Kind::BeforeChange});
}

void DataSrc::notifyTableReset() {
    setCurrentRow(0);
    notify({.kind = ModelNotice::Kind::Reset});
}

std::optional<CellRange> DataSrc::validRange(const CellRange& requested) const {
    if (!containsCell(requested.row, requested.column)) return std::nullopt;
    CellRange range = requested;
    range.rowCount = std::clamp(requested.rowCount, 0, rowCount() - requested.row);
    range.columnCount = std::clamp(requested.columnCount, 0, columnCount() - requested.column);
    return range;
}

std::optional<Cell> DataSrc::cellAt(int32_t row, int32_t column, bool withContent) const {
    if (!containsCell(row, column)) return std::nullopt;
    Cell cell;
    if (!provider_->getCell(cell, row, column, withContent)) return std::nullopt;
    return cell;
}

int32_t DataSrc::rowHeight(int32_t row) const {
    return row >= 0 && row < rowCount() ? provider_->rowHeight(row) : 0;
}

int32_t DataSrc::columnWidth(int32_t column) const {
    return column >= 0 && column < columnCount() ? provider_->columnWidth(column) : 0;
}

int32_t DataSrc::columnByName(std::string_view name) const {
    if (!name.empty() && name.front() >= '0' && name.front() <= '9') {
        int64_t number = rt::leadingInteger(name);
        return number >= 1 && number <= columnCount() ? static_cast<int32_t>(number - 1) : -1;
    }
    for (int32_t column = 0; column < columnCount(); ++column) {
        if (provider_->columnTitle(column) == name) return column;
    }
    return -1;
}

void DataSrc::setRowHeight(int32_t row, int32_t count, int32_t height) {
    if (row < 0 || row >= rowCount()) return;
    notifyBeforeChange();
    provider_->setRowHeights(row, std::clamp(count, 0, rowCount() - row), height);
    notify({.kind = ModelNotice::Kind::RowHeights});
}

void DataSrc::setColumnWidth(int32_t column, int32_t count, int32_t width) {
    if (column < 0 || column >= columnCount()) return;
    notifyBeforeChange();
    provider_->setColumnWidths(column, std::clamp(count, 0, columnCount() - column), width);
    notify({.kind = ModelNotice::Kind::ColumnWidths});
}

uint32_t DataSrc::flagsAt(int32_t row, int32_t column) const { return provider_->cellFlags(row, column); }

void DataSrc::setFlagsAt(int32_t row, int32_t column, uint32_t flags) {
    provider_->setFlags(row, column, flags);
}

void DataSrc::changeFlags(int32_t row, int32_t column, uint32_t set, uint32_t cleared) {
    uint32_t old = flagsAt(row, column);
    uint32_t changed = (old & ~cleared) | set;
    if (changed != old) setFlagsAt(row, column, changed);
}

void DataSrc::forEachCell(const CellRange& requested, ModelNotice::Kind noticeKind,
                          const std::function<void(int32_t row, int32_t column)>& change) {
    std::optional<CellRange> range = validRange(requested);
    if (!range) return;
    notifyBeforeChange();
    for (int32_t row = range->row; row < range->row + range->rowCount; ++row) {
        for (int32_t column = range->column; column < range->column + range->columnCount; ++column) {
            change(row, column);
        }
    }
    notify({.kind = noticeKind,
            .row = range->row,
            .column = range->column,
            .rowCount = range->rowCount,
            .columnCount = range->columnCount});
}

void DataSrc::setKind(const CellRange& range, CellKind kind) {
    forEachCell(range, ModelNotice::Kind::Cells, [&](int32_t row, int32_t column) {
        provider_->setKind(row, column, kind);
    });
}

void DataSrc::setTextColor(const CellRange& range, uint32_t color) {
    forEachCell(range, ModelNotice::Kind::Cells, [&](int32_t row, int32_t column) {
        provider_->setTextColor(row, column, color);
    });
}

void DataSrc::setBackColor(const CellRange& range, uint32_t color) {
    forEachCell(range, ModelNotice::Kind::Cells, [&](int32_t row, int32_t column) {
        provider_->setBackColor(row, column, color);
    });
}

void DataSrc::setFontName(const CellRange& range, std::string_view name) {
    forEachCell(range, ModelNotice::Kind::Cells, [&](int32_t row, int32_t column) {
        provider_->setFontName(row, column, name);
    });
}

void DataSrc::setFontSize(const CellRange& range, int16_t size) {
    forEachCell(range, ModelNotice::Kind::Cells, [&](int32_t row, int32_t column) {
        provider_->setFontSize(row, column, size);
    });
}

void DataSrc::setFontStyle(const CellRange& range, int32_t style) {
    uint32_t styleBits = (static_cast<uint32_t>(style) & 0xF) << CellFlags::kFontStyleShift;
    forEachCell(range, ModelNotice::Kind::Cells, [&](int32_t row, int32_t column) {
        changeFlags(row, column, styleBits, CellFlags::kFontStyleMask);
    });
}

void DataSrc::setMargin(const CellRange& range, int32_t margin) {
    // A negative margin makes no sense for text placement; it stores the default.
    int16_t stored = margin < 0 ? int16_t{9} : static_cast<int16_t>(std::min(margin, 32767));
    forEachCell(range, ModelNotice::Kind::Cells, [&](int32_t row, int32_t column) {
        provider_->setMargin(row, column, stored);
    });
}

void DataSrc::setInputType(const CellRange& range, InputType type) {
    uint32_t typeBits = withInputType(0, type);
    forEachCell(range, ModelNotice::Kind::Cells, [&](int32_t row, int32_t column) {
        changeFlags(row, column, typeBits, CellFlags::kInputTypeMask);
    });
}

void DataSrc::setAlignment(const CellRange& range, int32_t code) {
    uint32_t alignment = code >= 2 && code <= 14 ? static_cast<uint32_t>(code) : 1u;
    forEachCell(range, ModelNotice::Kind::Cells, [&](int32_t row, int32_t column) {
        changeFlags(row, column, alignment, CellFlags::kAlignmentMask);
    });
}

void DataSrc::clearCells(const CellRange& range) {
    // The content goes away directly rather than through the text rules: an empty
    // text converted by the logical type would otherwise come back as "假".
    forEachCell(range, ModelNotice::Kind::Cells, [&](int32_t row, int32_t column) {
        Cell cell;
        if (provider_->getCell(cell, row, column, false)) provider_->setCell(row, column, cell);
    });
}

void DataSrc::setCellText(int32_t row, int32_t column, std::string_view text) {
    if (!containsCell(row, column) || isDataKind(kindOf(flagsAt(row, column)))) return;
    notifyBeforeChange();
    provider_->setText(row, column, text);
    notify({.kind = ModelNotice::Kind::Cells, .row = row, .column = column, .rowCount = 1, .columnCount = 1});
}

void DataSrc::setCellData(int32_t row, int32_t column, std::span<const uint8_t> bytes) {
    if (!containsCell(row, column) || !isDataKind(kindOf(flagsAt(row, column)))) return;
    notifyBeforeChange();
    provider_->setData(row, column, bytes);
    notify({.kind = ModelNotice::Kind::Cells, .row = row, .column = column, .rowCount = 1, .columnCount = 1});
}

}  // namespace grid
