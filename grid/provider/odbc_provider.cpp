#include "grid/provider/odbc_provider.h"

#include <algorithm>
#include <cctype>

#include "grid/model/cell_content.h"
#include "grid/model/data_source.h"
#include "grid/provider/odbc_field_text.h"

namespace grid {
namespace {

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

std::string_view withoutLeadingBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

bool startsWithSelect(std::string_view text) {
    constexpr std::string_view kSelect = "select ";
    return text.size() >= kSelect.size() &&
           std::equal(kSelect.begin(), kSelect.end(), text.begin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// A field is sized for its display width in letters "W", within reason: a one-letter
// flag still gets room for three, a long text no more than a hundred.
int32_t fieldWidth(int32_t letterWidth, int32_t displayWidth) {
    return letterWidth * std::clamp(displayWidth, 3, 100) + 27;
}

}  // namespace

OdbcProvider::OdbcProvider(const TextMeasurer& measurer, const odbc::TextCodec& codec)
    : codec_(codec),
      opened_(std::make_unique<Opened>(codec)),
      defaults_(measureDefaultSizes(measurer)),
      letterWidth_(measurer.measure(kDefaultFontName, 40, "W").width + 1) {}

OdbcProvider::~OdbcProvider() { clear(); }

bool OdbcProvider::open(std::string_view connection, std::string_view source) {
    lastError_.clear();
    if (isBlank(connection) || isBlank(source)) {
        clear();
        return false;
    }
    auto next = std::make_unique<Opened>(codec_);
    next->records.allowEstimatedCount(static_cast<bool>(countListener_));
    if (!next->database.open(connection)) return fail(next->database.lastError());
    source = withoutLeadingBlanks(source);
    std::string query = startsWithSelect(source) ? std::string(source) : "select * from " + std::string(source);
    if (!next->records.open(query)) return fail(next->records.lastError());
    if (next->records.columnCount() <= 0) return fail("“" + query + "”没有列。");
    for (int32_t column = 0; column < next->records.columnCount(); ++column) {
        next->columnWidths.push_back(fieldWidth(letterWidth_, next->records.displayWidth(column)));
    }
    clear();
    opened_ = std::move(next);
    countInBackground();
    return true;
}

void OdbcProvider::countInBackground() {
    if (records().isCountEstimated() && !counting_ && countListener_) {
        counting_ = std::make_unique<odbc::BackgroundCount>(codec_, database().connectString(), records().countQuery(),
                                                           countListener_);
    }
}

void OdbcProvider::settleCount() {
    std::optional<int64_t> rows = counting_ ? counting_->result() : std::nullopt;
    if (!rows) return;
    counting_.reset();
    records().settleCount(*rows);
    if (DataSrc* source = dataSource()) source->notify({.kind = ModelNotice::Kind::Reset});
}

void OdbcProvider::clear() {
    counting_.reset();
    records().close();
    database().close();
    opened_->columnWidths.clear();
    lossReported_ = false;
}

bool OdbcProvider::contains(int32_t row, int32_t column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

int32_t OdbcProvider::rowHeight(int32_t row) const {
    return row >= 0 && row < rowCount() ? defaults_.rowHeight : 0;
}

int32_t OdbcProvider::columnWidth(int32_t column) const {
    const std::vector<int32_t>& widths = opened_->columnWidths;
    return column >= 0 && column < int32_t(widths.size()) ? widths[size_t(column)] : 0;
}

void OdbcProvider::setColumnWidths(int32_t first, int32_t count, int32_t width) {
    std::vector<int32_t>& widths = opened_->columnWidths;
    int32_t end = std::min(first + std::max(count, 0), int32_t(widths.size()));
    for (int32_t column = std::max(first, 0); column < end; ++column) widths[size_t(column)] = width;
}

bool OdbcProvider::getCell(Cell& out, int32_t row, int32_t column, bool withContent) const {
    if (!contains(row, column)) return false;
    int16_t type = records().sqlType(column);
    out = Cell();
    out.setFlags(withInputType(out.flags(), inputTypeOfSqlType(type)));
    if (!withContent) return true;
    std::optional<std::string> field = records().fieldText(row, column);
    if (!field) {
        // The grid keeps asking while it paints; a dropped connection is told once
        // and the cells it can no longer read stay empty.
        if (database().isLost() && !lossReported_) {
            lossReported_ = true;
            failWithDriverMessage();
        }
        return true;
    }
    setTextByRules(out, cellTextOfField(*field, type));
    return true;
}

bool OdbcProvider::setText(int32_t row, int32_t column, std::string_view text) {
    if (!contains(row, column)) return false;
    std::optional<std::string> field = fieldTextOfCell(text, records().sqlType(column));
    if (!field) return fail("“" + std::string(text) + "”不是有效的日期。");
    return afterWrite(records().setFieldText(row, column, *field));
}

bool OdbcProvider::setCell(int32_t row, int32_t column, const Cell& cell) {
    return !isDataKind(cell.kind()) && setText(row, column, cell.text());
}

bool OdbcProvider::setSize(int32_t rows, int32_t columns) {
    if (!isOpen() || columns != columnCount() || rows < 0) return false;
    if (!afterWrite(records().zap())) return false;
    std::fill(opened_->columnWidths.begin(), opened_->columnWidths.end(), defaults_.columnWidth);
    for (int32_t i = 0; i < rows; ++i) {
        if (!afterWrite(records().appendBlank())) return false;
    }
    return true;
}

bool OdbcProvider::insertRows(int32_t at, int32_t count) {
    // Records have no place of their own: a new one can only be shown after the rest.
    if (!isOpen() || at != rowCount() || count <= 0) return false;
    for (int32_t i = 0; i < count; ++i) {
        if (!afterWrite(records().appendBlank())) return false;
    }
    return true;
}

bool OdbcProvider::deleteRows(int32_t at, int32_t count) {
    if (at < 0 || count <= 0 || at > rowCount() - count) return false;
    return afterWrite(records().removeRows(at, count));
}

// A write may have opened a lost connection again and read the rows again, or found
// its record changed by someone else and read it: the views show what is there now.
bool OdbcProvider::afterWrite(bool written) {
    if (database().alive()) lossReported_ = false;
    int32_t row = 0;
    RecordSetShownAgain shown = records().shownAgain(row);
    if (DataSrc* source = dataSource()) {
        if (shown == RecordSetShownAgain::allRows) {
            // Read again, a huge table is estimated again and wants counting again.
            counting_.reset();
            countInBackground();
            source->notify({.kind = ModelNotice::Kind::Reset});
        } else if (shown == RecordSetShownAgain::row) {
            source->notify({.kind = ModelNotice::Kind::Cells, .row = row, .column = 0, .rowCount = 1, .columnCount = columnCount()});
        }
    }
    return written || failWithDriverMessage();
}

bool OdbcProvider::fail(std::string message) const {
    lastError_ = std::move(message);
    if (failureListener_) failureListener_(lastError_);
    return false;
}

}  // namespace grid
