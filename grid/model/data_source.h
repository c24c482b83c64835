#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "grid/model/cell.h"
#include "grid/model/cell_range.h"
#include "grid/model/data_provider.h"
#include "grid/model/model_notice.h"

namespace grid {

// The unit through which every change of a table passes. It keeps the current row,
// the status flags and the bound views, validates coordinates (numbered from 0 here;
// the commands subtract 1), asks the provider to change the table and tells every
// view what changed. Without a provider it behaves as an empty table.
class DataSrc {
public:
    static constexpr uint32_t kReadOnlyStatus = 0x1;

    // Finds a provider unit by name on the data source's window.
    using ProviderResolver = std::function<DataProvider*(std::string_view name)>;

    DataSrc() = default;
    ~DataSrc();
    DataSrc(const DataSrc&) = delete;
    DataSrc& operator=(const DataSrc&) = delete;

    void setProviderResolver(ProviderResolver resolver) { resolver_ = std::move(resolver); }
    const std::string& providerName() const { return providerName_; }
    // Unbinds the old provider and binds the named one; a name that resolves to
    // nothing leaves the data source without a provider.
    void setProviderName(std::string_view name);
    void bindProvider(DataProvider* provider);
    DataProvider* provider() const { return provider_; }

    void addView(ModelView* view);
    void removeView(ModelView* view);

    uint32_t statusFlags() const { return statusFlags_; }
    bool isReadOnly() const { return (statusFlags_ & kReadOnlyStatus) != 0; }
    void setReadOnly(bool readOnly);

    int32_t currentRow() const { return currentRow_; }
    // Clamped to the rows that exist; an unchanged row sends nothing.
    void setCurrentRow(int32_t row);

    void notify(const ModelNotice& notice);
    // Between these, the cells notices of many single writes are gathered into one
    // for the rectangle that holds them all, sent when the batch ends (or before any
    // other notice), and only the first before-change notice is sent. A command that
    // writes a million cells then repaints once, not a million times.
    void beginBatch();
    void endBatch();
    // Sent before a change of contents or structure, except while read-only.
    void notifyBeforeChange();
    // After the whole table was replaced: the current row goes back to 0 and the
    // views start over.
    void notifyTableReset();

    int32_t rowCount() const { return provider_ ? provider_->rowCount() : 0; }
    int32_t columnCount() const { return provider_ ? provider_->columnCount() : 0; }
    bool containsCell(int32_t row, int32_t column) const {
        return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
    }
    // The range with its counts clipped to the table, or nothing when the start cell
    // does not exist. A negative count becomes 0.
    std::optional<CellRange> validRange(const CellRange& requested) const;
    // A copy of the cell, or nothing when it does not exist.
    std::optional<Cell> cellAt(int32_t row, int32_t column, bool withContent) const;
    int32_t rowHeight(int32_t row) const;
    int32_t columnWidth(int32_t column) const;
    // A name that starts with a digit is a column number from 1; any other name is
    // compared with the column titles. -1 when nothing matches.
    int32_t columnByName(std::string_view name) const;

    void setRowHeight(int32_t row, int32_t count, int32_t height);
    void setColumnWidth(int32_t column, int32_t count, int32_t width);

    void setKind(const CellRange& range, CellKind kind);
    void setTextColor(const CellRange& range, uint32_t color);
    void setBackColor(const CellRange& range, uint32_t color);
    void setFontName(const CellRange& range, std::string_view name);
    void setFontSize(const CellRange& range, int16_t size);
    void setFontStyle(const CellRange& range, int32_t style);
    void setMargin(const CellRange& range, int32_t margin);
    void setInputType(const CellRange& range, InputType type);
    void setAlignment(const CellRange& range, int32_t code);
    void clearCells(const CellRange& range);

    void setCellText(int32_t row, int32_t column, std::string_view text);
    void setCellData(int32_t row, int32_t column, std::span<const uint8_t> bytes);

    // The texts of the range's cells row by row, each followed by a NUL; a picture or
    // data cell gives the empty text. The range is clipped like validRange; nothing at
    // all when its first cell does not exist.
    std::string cellTexts(const CellRange& range) const;
    // Writes the NUL-ended texts of block into the rectangle row by row, each as
    // setCellText writes one; the last text may lack its NUL. A cell outside the table
    // uses up its text all the same, a short block ends early, and a read-only data
    // source writes nothing. One cells notice covers the cells that got a text.
    void putTexts(int32_t row, int32_t column, int32_t rows, int32_t columns, std::string_view block);

    void mergeCells(const CellRange& range);
    void splitCells(int32_t row, int32_t column);
    void drawLines(const CellRange& range, uint32_t lines);
    void eraseLines(const CellRange& range, uint32_t lines);

    bool insertRows(int32_t at, int32_t count);
    bool appendRows(int32_t count) { return insertRows(rowCount(), count); }
    bool deleteRows(int32_t at, int32_t count);
    bool insertColumns(int32_t at, int32_t count);
    bool appendColumns(int32_t count) { return insertColumns(columnCount(), count); }
    bool deleteColumns(int32_t at, int32_t count);
    // Leaves exactly what deleting each row (column) of the set by itself, from the
    // last to the first, would leave: cells, seam repairs, fixed rows or columns and
    // the current row. But it is one change: the provider deletes the whole set at
    // once, and the views hear one before-change notice, one reset and at most one
    // current-row notice. Numbers outside the table and repeats are ignored, and an
    // empty set is done at once. False without a provider or when the provider
    // fails; nothing changed then.
    bool deleteRowSet(std::vector<int32_t> rows);
    bool deleteColumnSet(std::vector<int32_t> columns);

    // Undo states: the table as it is now, kept under a number that no other state of
    // any data source ever gets (0 when the provider cannot keep one). A kept state
    // shares its storage with the table, so it costs what changes after it.
    int32_t captureState();
    // Puts the table back exactly as it was in the state (counts, sizes, fixed rows
    // and columns, cells), leaves the page settings alone and tells the views what
    // changed. False for an unknown number or a provider that cannot restore.
    bool restoreState(int32_t state);
    void releaseState(int32_t state);
    // Whether the table holds just what the state holds: a command that left it so
    // changed nothing. False for an unknown number.
    bool matchesState(int32_t state) const;

    // A copy of the whole table sharing its storage, for a command that rearranges
    // the table as a whole (sorting rows) and then puts the copy back; null when the
    // provider keeps no copies (a database's rows stay where its query put them).
    std::shared_ptr<const Table> tableCopy() const;
    // Makes the table what the copy holds (page settings aside), as one change: the
    // views hear of the rows that differ, or start over when sizes differ. False when
    // the provider cannot, and the table is unchanged then.
    bool putBack(const Table& table);

private:
    uint32_t flagsAt(int32_t row, int32_t column) const;
    void setFlagsAt(int32_t row, int32_t column, uint32_t flags);
    void changeFlags(int32_t row, int32_t column, uint32_t set, uint32_t cleared);
    // Validates the range, sends before-change, applies change to each cell row by
    // row and sends one notice of the given kind for the whole range.
    void forEachCell(const CellRange& requested, ModelNotice::Kind noticeKind,
                     const std::function<void(int32_t row, int32_t column)>& change);
    void applyLines(const CellRange& requested, uint32_t lines, bool draw);
    CellRange growToWholeBlocks(CellRange range) const;
    void send(const ModelNotice& notice);
    void gatherCells(const ModelNotice& notice);
    void flushGatheredCells();
    void relinkRange(const CellRange& requested);
    void recomputeFixedRows();
    void recomputeFixedColumns();

    std::string providerName_;
    ProviderResolver resolver_;
    DataProvider* provider_ = nullptr;
    std::vector<ModelView*> views_;
    uint32_t statusFlags_ = 0;
    int32_t currentRow_ = 0;
    std::unordered_map<int32_t, std::shared_ptr<const Table>> states_;
    int32_t batchDepth_ = 0;
    bool batchChanged_ = false;
    std::optional<ModelNotice> gathered_;
};

}  // namespace grid
