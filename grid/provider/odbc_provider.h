#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/model/data_provider.h"
#include "grid/model/text_measurer.h"
#include "grid/provider/odbc/background_count.h"
#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"

namespace grid {

// One database table or query shown as a table: every record a row, every field a
// cell of the default format whose input type follows the column's SQL type. Edits are
// written to the database at once; formats, column changes and pictures are refused
// or ignored, as a database field holds only its value.
//
// Every refusal of the database leaves the driver's message in lastError() and goes
// to the failure listener, so the unit can show it; a refused write leaves the field
// as the database has it, which the grid then shows again.
class OdbcProvider : public DataProvider {
public:
    using FailureListener = std::function<void(const std::string& message)>;

    OdbcProvider(const TextMeasurer& measurer, const odbc::TextCodec& codec);
    ~OdbcProvider() override;

    // Opens the database with the connection text (never prompting) and the source: a
    // table name, or a query that starts with "select ", in place of what was open.
    // Either text blank closes what was open. When the database refuses, what was open
    // stays open and shown, and the driver's message goes to the failure listener: a
    // mistyped query must not take away the rows a person was working on.
    bool open(std::string_view connection, std::string_view source);
    bool isOpen() const { return records().isOpen(); }
    const std::string& lastError() const { return lastError_; }
    void setFailureListener(FailureListener listener) { failureListener_ = std::move(listener); }
    // With a count listener, a table of millions of rows opens with the database's
    // estimate of its rows and is counted on another connection meanwhile. The
    // listener is called from the counting thread when the count is over; the caller
    // then calls settleCount() on this provider's own thread, which resets the views.
    using CountListener = std::function<void()>;
    void setCountListener(CountListener listener) { countListener_ = std::move(listener); }
    void settleCount();

    bool setSize(int32_t rows, int32_t columns) override;
    int32_t rowCount() const override { return records().recordCount(); }
    int32_t rowHeight(int32_t row) const override;
    int32_t columnCount() const override { return records().columnCount(); }
    int32_t columnWidth(int32_t column) const override;
    int32_t fixedRows() const override { return 0; }
    int32_t fixedColumns() const override { return 0; }
    bool getCell(Cell& out, int32_t row, int32_t column, bool withContent) const override;
    void setRowHeights(int32_t, int32_t, int32_t) override {}
    void setColumnWidths(int32_t first, int32_t count, int32_t width) override;
    bool setCell(int32_t row, int32_t column, const Cell& cell) override;
    void setFlags(int32_t, int32_t, uint32_t) override {}
    void setTextColor(int32_t, int32_t, uint32_t) override {}
    void setBackColor(int32_t, int32_t, uint32_t) override {}
    void setFontName(int32_t, int32_t, std::string_view) override {}
    void setFontSize(int32_t, int32_t, int16_t) override {}
    void setMargin(int32_t, int32_t, int16_t) override {}
    void setKind(int32_t, int32_t, CellKind) override {}
    bool setText(int32_t row, int32_t column, std::string_view text) override;
    bool setData(int32_t, int32_t, std::span<const uint8_t>) override { return false; }
    int32_t defaultRowHeight() const override { return defaults_.rowHeight; }
    int32_t defaultColumnWidth() const override { return defaults_.columnWidth; }
    const PageSettings& pageSettings() const override { return pageSettings_; }
    void setPageSettings(const PageSettings& settings) override { pageSettings_ = settings; }
    std::string columnTitle(int32_t column) const override { return records().columnName(column); }
    void clear() override;
    void setFixedRows(int32_t) override {}
    void setFixedColumns(int32_t) override {}
    bool insertRows(int32_t at, int32_t count) override;
    bool insertColumns(int32_t, int32_t) override { return false; }
    bool deleteRows(int32_t at, int32_t count) override;
    bool deleteColumns(int32_t, int32_t) override { return false; }
    bool replaceTable(Table&&) override { return false; }

private:
    // One connection with its record set and the widths of its columns.
    struct Opened {
        explicit Opened(const odbc::TextCodec& codec) : database(codec), records(database) {}
        odbc::Database database;
        odbc::RecordSet records;
        std::vector<int32_t> columnWidths;
    };

    // Never null: nothing open is an Opened whose record set is closed.
    odbc::Database& database() const { return opened_->database; }
    odbc::RecordSet& records() const { return opened_->records; }
    bool contains(int32_t row, int32_t column) const;
    using RecordSetShownAgain = odbc::RecordSet::ShownAgain;
    bool afterWrite(bool written);
    void countInBackground();
    bool fail(std::string message) const;
    bool failWithDriverMessage() const { return fail(records().lastError()); }

    const odbc::TextCodec& codec_;
    std::unique_ptr<Opened> opened_;
    CountListener countListener_;
    std::unique_ptr<odbc::BackgroundCount> counting_;
    DefaultSizes defaults_;
    int32_t letterWidth_ = 0;
    PageSettings pageSettings_;
    mutable std::string lastError_;
    FailureListener failureListener_;
    // A lost connection is told once, not for every cell the grid then paints.
    mutable bool lossReported_ = false;
};

}  // namespace grid
