#include "grid/provider/odbc_provider.h"

#include <algorithm>
#include <cctype>

#include "grid/model/cell_content.h"
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
    : database_(codec),
      records_(database_),
      defaults_(measureDefaultSizes(measurer)),
      letterWidth_(measurer.measure(kDefaultFontName, 40, "W").width + 1) {}

OdbcProvider::~OdbcProvider() { clear(); }

bool OdbcProvider::open(std::string_view connection, std::string_view source) {
    clear();
    lastError_.clear();
    if (isBlank(connection) || isBlank(source)) return false;
    if (!database_.open(connection)) return fail(database_.lastError());
    source = withoutLeadingBlanks(source);
    std::string query = startsWithSelect(source) ? std::string(source) : "select * from " + std::string(source);
    if (!records_.open(query)) {
        failWithDriverMessage();
        clear();
        return false;
    }
    if (records_.columnCount() <= 0) {
        clear();
        return false;
    }
    for (int32_t column = 0; column < records_.columnCount(); ++column) {
        columnWidths_.push_back(fieldWidth(letterWidth_, records_.displayWidth(column)));
    }
    return true;
}

void OdbcProvider::clear() {
    records_.close();
    database_.close();
    columnWidths_.clear();
    lossReported_ = false;
}

bool OdbcProvider::contains(int32_t row, int32_t column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

int32_t OdbcProvider::rowHeight(int32_t row) const {
    return row >= 0 && row < rowCount() ? defaults_.rowHeight : 0;
}

int32_t OdbcProvider::columnWidth(int32_t column) const {
    return column >= 0 && column < int32_t(columnWidths_.size()) ? columnWidths_[size_t(column)] : 0;
}

void OdbcProvider::setColumnWidths(int32_t first, int32_t count, int32_t width) {
    int32_t end = std::min(first + std::max(count, 0), int32_t(columnWidths_.size()));
    for (int32_t column = std::max(first, 0); column < end; ++column) columnWidths_[size_t(column)] = width;
}

bool OdbcProvider::getCell(Cell& out, int32_t row, int32_t column, bool withContent) const {
    if (!contains(row, column)) return false;
    int16_t type = records_.sqlType(column);
    out = Cell();
    out.flags = withInputType(out.flags, inputTypeOfSqlType(type));
    if (!withContent) return true;
    std::optional<std::string> field = records_.fieldText(row, column);
    if (!field) {
        // The grid keeps asking while it paints; a dropped connection is told once
        // and the cells it can no longer read stay empty.
        if (database_.isLost() && !lossReported_) {
            lossReported_ = true;
            failWithDriverMessage();
        }
        return true;
    }
    setTextByRules(out, cellTextOfField(*field, type));
    return true;
}

bool OdbcProvider::readyToWrite() {
    if (!database_.isLost()) return true;
    if (!records_.reconnect()) return failWithDriverMessage();
    lossReported_ = false;
    return true;
}

bool OdbcProvider::setText(int32_t row, int32_t column, std::string_view text) {
    if (!contains(row, column) || !readyToWrite()) return false;
    std::optional<std::string> field = fieldTextOfCell(text, records_.sqlType(column));
    if (!field) return fail("“" + std::string(text) + "”不是有效的日期。");
    return records_.setFieldText(row, column, *field) || failWithDriverMessage();
}

bool OdbcProvider::setCell(int32_t row, int32_t column, const Cell& cell) {
    return !isDataKind(cell.kind()) && setText(row, column, cell.text());
}

bool OdbcProvider::setSize(int32_t rows, int32_t columns) {
    if (!isOpen() || columns != columnCount() || rows < 0 || !readyToWrite()) return false;
    if (!records_.zap()) return failWithDriverMessage();
    std::fill(columnWidths_.begin(), columnWidths_.end(), defaults_.columnWidth);
    for (int32_t i = 0; i < rows; ++i) {
        if (!records_.appendBlank()) return failWithDriverMessage();
    }
    return true;
}

bool OdbcProvider::insertRows(int32_t at, int32_t count) {
    // Records have no place of their own: a new one can only be shown after the rest.
    if (!isOpen() || at != rowCount() || count <= 0 || !readyToWrite()) return false;
    for (int32_t i = 0; i < count; ++i) {
        if (!records_.appendBlank()) return failWithDriverMessage();
    }
    return true;
}

bool OdbcProvider::deleteRows(int32_t at, int32_t count) {
    if (at < 0 || count <= 0 || at > rowCount() - count || !readyToWrite()) return false;
    for (int32_t i = 0; i < count; ++i) {
        if (!records_.remove(at)) return failWithDriverMessage();
    }
    return true;
}

bool OdbcProvider::fail(std::string message) const {
    lastError_ = std::move(message);
    if (failureListener_) failureListener_(lastError_);
    return false;
}

}  // namespace grid
