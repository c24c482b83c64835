#include "grid/provider/odbc/cursor_rows.h"

#include <algorithm>
#include <limits>

#include "grid/provider/odbc/row_count.h"

namespace grid::odbc {

CursorRows::CursorRows(Database& database, std::u16string query)
    : database_(database), query_(std::move(query)), statement_(database), cache_(cachedBlocks) {}

bool CursorRows::load() {
    std::optional<int64_t> counted = countRows(database_, u"SELECT count(*) FROM (" + query_ + u") q");
    if (!counted) {
        return false;
    }
    cursorRows_ = *counted;
    return statement_.useStaticCursor() && statement_.execute(query_) && statement_.describeColumns(columns_);
}

int32_t CursorRows::count() const {
    return int32_t(std::min<int64_t>(shownCursorRows() + int64_t(appended_.size()), std::numeric_limits<int32_t>::max()));
}

int64_t CursorRows::cursorPosition(int32_t position) const {
    if (position >= shownCursorRows()) {
        return -1;
    }
    int64_t at = position;
    for (int64_t removed : removed_) {
        if (removed > at) {
            break;
        }
        ++at;
    }
    return at;
}

const Row* CursorRows::row(int32_t position) {
    if (position < 0 || position >= count()) {
        return nullptr;
    }
    int64_t at = cursorPosition(position);
    if (at < 0) {
        return &appended_[size_t(position - shownCursorRows())];
    }
    if (auto changed = changed_.find(at); changed != changed_.end()) {
        return &changed->second;
    }
    int64_t block = at / blockRows;
    BlockCache::Block* rows = cache_.find(block);
    if (!rows) {
        rows = fetchBlock(block);
    }
    return rows ? &(*rows)[size_t(at % blockRows)] : nullptr;
}

BlockCache::Block* CursorRows::fetchBlock(int64_t block) {
    int64_t first = block * blockRows;
    int64_t end = std::min(first + blockRows, cursorRows_);
    // Rows the cursor no longer has (the table shrank since it was counted) are empty.
    BlockCache::Block rows(size_t(end - first), Row(columns_.size()));
    Statement::Fetched fetched = statement_.fetchAt(first);
    for (size_t i = 0; i < rows.size() && fetched == Statement::Fetched::row; ++i) {
        if (!statement_.readRow(rows[i], columns_.size())) {
            return nullptr;
        }
        if (i + 1 < rows.size()) {
            fetched = statement_.fetch();
        }
    }
    if (fetched == Statement::Fetched::failed) {
        return nullptr;
    }
    return &cache_.insert(block, std::move(rows));
}

bool CursorRows::replace(int32_t position, Row row) {
    if (position < 0 || position >= count()) {
        return false;
    }
    int64_t at = cursorPosition(position);
    if (at < 0) {
        appended_[size_t(position - shownCursorRows())] = std::move(row);
    } else {
        changed_[at] = std::move(row);
    }
    return true;
}

void CursorRows::remove(int32_t position) {
    if (position < 0 || position >= count()) {
        return;
    }
    int64_t at = cursorPosition(position);
    if (at < 0) {
        appended_.erase(appended_.begin() + (position - shownCursorRows()));
        return;
    }
    changed_.erase(at);
    removed_.insert(std::upper_bound(removed_.begin(), removed_.end(), at), at);
}

bool CursorRows::append(Row row) {
    appended_.push_back(std::move(row));
    return true;
}

}  // namespace grid::odbc
