#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/value/value.h"

namespace app {

// The data source's commands as the routines call them; rows and columns from 1.
class DataSourceRef {
public:
    explicit DataSourceRef(rt::UnitRef unit) : unit_(unit) {}

    int32_t rowCount() const;
    int32_t columnCount() const;
    int32_t rowHeight(int32_t row) const;
    int32_t columnWidth(int32_t column) const;
    void setRowHeight(int32_t firstRow, int32_t count, int32_t height) const;
    void setColumnWidth(int32_t firstColumn, int32_t count, int32_t width) const;
    std::string cellText(int32_t row, int32_t column) const;
    void setCellText(int32_t row, int32_t column, std::string_view text) const;
    void clearCells(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount) const;
    void setCellKind(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount, int32_t kind) const;
    void mergeCells(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount) const;
    // Formats of a range: colours as 0x00BBGGRR, alignment or picture-display codes,
    // line bits, input types.
    void setTextColor(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount, uint32_t color) const;
    void setBackColor(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount, uint32_t color) const;
    void setAlignment(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount, int32_t code) const;
    void drawLines(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount, uint32_t lines) const;
    void eraseLines(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount, uint32_t lines) const;
    void setInputType(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount, int32_t type) const;
    // Font size and margin in 0.1 mm; style bits 1 bold, 2 italic, 4 underline, 8 strikeout.
    void setFontSize(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount, int32_t size) const;
    void setFontName(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                     std::string_view name) const;
    void setFontStyle(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount, int32_t style) const;
    void setMargin(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount, int32_t margin) const;
    // The formats of one cell.
    uint32_t textColor(int32_t row, int32_t column) const;
    uint32_t backColor(int32_t row, int32_t column) const;
    int32_t fontSize(int32_t row, int32_t column) const;
    std::string fontName(int32_t row, int32_t column) const;
    int32_t fontStyle(int32_t row, int32_t column) const;
    int32_t margin(int32_t row, int32_t column) const;
    int32_t cellKind(int32_t row, int32_t column) const;
    void setCellData(int32_t row, int32_t column, const std::vector<uint8_t>& bytes) const;
    void splitCells(int32_t row, int32_t column) const;
    bool insertRows(int32_t at, int32_t count = 1) const;
    bool appendRows(int32_t count = 1) const;
    bool deleteRows(int32_t at, int32_t count) const;
    bool insertColumns(int32_t at, int32_t count = 1) const;
    bool deleteColumns(int32_t at, int32_t count) const;
    std::vector<uint8_t> cellBlock(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount) const;
    // Pastes a block with its first cell at (row, column); the table grows when allowed.
    bool putCellBlock(int32_t row, int32_t column, const std::vector<uint8_t>& block, bool grow = true) const;
    // The texts of a range in row order, each followed by a NUL byte (data cells give
    // the empty text).
    std::string textBlock(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount) const;
    // Writes such texts into the range as setCellText would, skipping cells outside
    // the table; a shorter block stops early.
    void putTextBlock(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                      std::string_view block) const;
    // Deletes the rows (columns) of these numbers in one pass, as deleting them one by
    // one from the last would; numbers outside the table are left out.
    bool deleteRowSet(const std::vector<int32_t>& rows) const;
    bool deleteColumnSet(const std::vector<int32_t>& columns) const;
    // Undo states kept by the data source, by number (0: none could be kept).
    int32_t captureState() const;
    bool restoreState(int32_t state) const;
    void releaseState(int32_t state) const;
    // Whether the table holds just what the state holds.
    bool matchesState(int32_t state) const;
    // Notices of the writes between these reach the views as one (see NoticeBatch).
    void beginBatch() const;
    void endBatch() const;
    // Files are named by GBK texts.
    bool saveToFile(std::string_view path) const;
    bool loadFromFile(std::string_view path) const;
    // The backup beside an opened table: never through a link or over a file that is
    // not the person's own, private when the table is.
    bool saveBackupTo(std::string_view backupPath, std::string_view originalPath) const;
    // The table as a workbook for office suites; the table itself stays unsaved.
    bool exportWorkbook(std::string_view path) const;

private:
    rt::UnitRef unit_;
};

// While it lives, the views hear of the data source's cell writes once, for the
// rectangle that holds them all, instead of once a cell.
class NoticeBatch {
public:
    explicit NoticeBatch(DataSourceRef table) : table_(table) { table_.beginBatch(); }
    ~NoticeBatch() { table_.endBatch(); }
    NoticeBatch(const NoticeBatch&) = delete;
    NoticeBatch& operator=(const NoticeBatch&) = delete;

private:
    DataSourceRef table_;
};

// The data source "数据源1" of the main window.
DataSourceRef mainDataSource();

}  // namespace app
