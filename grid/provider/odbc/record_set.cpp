#include "grid/provider/odbc/record_set.h"

#include <algorithm>
#include <limits>

#include "grid/provider/odbc/cursor_rows.h"
#include "grid/provider/odbc/key_range_rows.h"
#include "grid/provider/odbc/keyset_rows.h"
#include "grid/provider/odbc/primary_key.h"
#include "grid/provider/odbc/single_table_query.h"

namespace grid::odbc {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// The query without surrounding blanks and without one closing ";", which would break
// the statements built around it.
std::u16string cleanedQuery(std::u16string text) {
    auto trim = [](std::u16string& t) {
        while (!t.empty() && isBlank(t.back())) {
            t.pop_back();
        }
        size_t first = 0;
        while (first < t.size() && isBlank(t[first])) {
            ++first;
        }
        t.erase(0, first);
    };
    trim(text);
    if (!text.empty() && text.back() == u';') {
        text.pop_back();
        trim(text);
    }
    return text;
}

}  // namespace

RecordSet::RecordSet(Database& database) : database_(database) {}

RecordSet::~RecordSet() = default;

bool RecordSet::open(std::string_view query) {
    close();
    query_ = cleanedQuery(database_.codec().toUtf16(query));
    if (query_.empty()) {
        database_.noteFailure(std::string("没有给出查询语句。"));
        return false;
    }
    return openRows();
}

void RecordSet::close() {
    rows_.reset();
    table_.reset();
    columns_.clear();
    keyColumns_.clear();
    query_.clear();
}

bool RecordSet::reopen() {
    if (query_.empty()) {
        database_.noteFailure(std::string("没有打开过查询。"));
        return false;
    }
    return openRows();
}

bool RecordSet::openRows() {
    rows_.reset();
    table_.reset();
    columns_.clear();
    keyColumns_.clear();
    if (!database_.alive()) {
        database_.noteFailure(std::string("数据库没有连接。"));
        return false;
    }
    if (std::optional<SingleTableQuery> single = parseSingleTableQuery(query_)) {
        std::vector<std::u16string> keys = findPrimaryKey(database_, *single);
        table_.emplace(database_, std::move(*single), keys);
        if (!keys.empty()) {
            Statement describe(database_);
            std::vector<Column> described;
            if (!describe.execute(table_->describe()) || !describe.describeColumns(described) ||
                described.size() <= keys.size()) {
                table_.reset();
                return false;
            }
            columns_.assign(described.begin(), described.end() - std::ptrdiff_t(keys.size()));
            keyColumns_.assign(described.end() - std::ptrdiff_t(keys.size()), described.end());
            if (!loadKeyedRows()) {
                table_.reset();
                columns_.clear();
                keyColumns_.clear();
                return false;
            }
            database_.clearError();
            return true;
        }
    }
    auto rows = std::make_unique<CursorRows>(database_, query_);
    if (!rows->load()) {
        table_.reset();
        return false;
    }
    columns_ = rows->columns();
    rows_ = std::move(rows);
    database_.clearError();
    return true;
}

// Rows in the order of a one-column key are read by ranges of it and never need every
// key at once; any other order of a keyed table is kept as the list of its keys.
bool RecordSet::loadKeyedRows() {
    if (table_->isOrderedByKey() && database_.hasLimitClause()) {
        auto rows = std::make_unique<KeyRangeRows>(database_, *table_, keyColumns_.front(), columns_.size());
        if (!rows->load(estimateAllowed_)) {
            return false;
        }
        rows_ = std::move(rows);
        return true;
    }
    auto rows = std::make_unique<KeysetRows>(database_, *table_, keyColumns_, columns_.size());
    if (!rows->load()) {
        return false;
    }
    rows_ = std::move(rows);
    return true;
}

void RecordSet::settleCount(int64_t rows) {
    if (rows_) {
        rows_->settleCount(rows);
    }
}

int32_t RecordSet::recordCount() const { return rows_ ? rows_->count() : 0; }

std::string RecordSet::columnName(int32_t column) const {
    return column >= 0 && column < columnCount() ? database_.codec().toGbk(columns_[size_t(column)].name) : std::string();
}

int16_t RecordSet::sqlType(int32_t column) const {
    return column >= 0 && column < columnCount() ? columns_[size_t(column)].sqlType : 0;
}

int32_t RecordSet::displayWidth(int32_t column) const {
    if (column < 0 || column >= columnCount()) {
        return 0;
    }
    return int32_t(std::clamp<int64_t>(columns_[size_t(column)].displaySize, 0, std::numeric_limits<int32_t>::max()));
}

bool RecordSet::checkRow(int32_t row) const {
    if (!rows_) {
        database_.noteFailure(std::string("没有打开记录集。"));
        return false;
    }
    if (row < 0 || row >= rows_->count()) {
        database_.noteFailure(std::string("记录号超出了范围。"));
        return false;
    }
    return true;
}

std::optional<std::string> RecordSet::fieldText(int32_t row, int32_t column) {
    if (!checkRow(row)) {
        return std::nullopt;
    }
    if (column < 0 || column >= columnCount()) {
        database_.noteFailure(std::string("列号超出了范围。"));
        return std::nullopt;
    }
    const Row* fields = rows_->row(row);
    if (!fields) {
        return std::nullopt;
    }
    return database_.codec().toGbk((*fields)[size_t(column)].text);
}

}  // namespace grid::odbc
