#include "grid/provider/odbc/keyset_rows.h"

#include <malloc.h>

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "grid/provider/odbc/key_reader.h"
#include "grid/provider/odbc/statement.h"

namespace grid::odbc {

namespace {

// One text for the values of a composite key: each value after its length, so that
// no value can run into the next.
void appendIdentity(std::u16string& identity, std::u16string_view value) {
    identity += char16_t(value.size() >> 16);
    identity += char16_t(value.size() & 0xFFFF);
    identity += value;
}

}  // namespace

KeysetRows::KeysetRows(Database& database, const TableStatements& statements, std::vector<Column> keyColumns,
                       size_t shownColumns)
    : database_(database),
      statements_(statements),
      keyColumns_(std::move(keyColumns)),
      shownColumns_(shownColumns),
      keys_(keyColumns_.size()),
      cache_(cachedBlocks) {}

bool KeysetRows::load() {
    keys_.clear();
    cache_.clear();
    bool loaded = false;
    {
        Statement statement(database_);
        loaded = statement.execute(statements_.keys()) && readKeys(statement, keyColumns_, keys_);
    }
    // psqlODBC holds a whole result until its statement goes: for a million keys some
    // fifty megabytes, which the allocator would otherwise keep in the process.
    malloc_trim(0);
    return loaded;
}

int32_t KeysetRows::count() const {
    return int32_t(std::min<size_t>(keys_.size(), size_t(std::numeric_limits<int32_t>::max())));
}

const Row* KeysetRows::row(int32_t position) {
    if (position < 0 || position >= count()) {
        return nullptr;
    }
    int64_t block = position / blockRows;
    BlockCache::Block* rows = cache_.find(block);
    if (!rows) {
        rows = fetchBlock(block);
    }
    return rows ? &(*rows)[size_t(position % blockRows)] : nullptr;
}

std::u16string KeysetRows::identityAt(size_t position) const {
    std::u16string identity;
    for (size_t column = 0; column < keys_.columns(); ++column) {
        appendIdentity(identity, keys_.value(position, column));
    }
    return identity;
}

std::vector<std::u16string_view> KeysetRows::keyOf(const Row& row) const {
    std::vector<std::u16string_view> key;
    for (size_t i = shownColumns_; i < row.size(); ++i) {
        key.push_back(row[i].text);
    }
    return key;
}

BlockCache::Block* KeysetRows::fetchBlock(int64_t block) {
    size_t first = size_t(block) * blockRows;
    size_t end = std::min(first + blockRows, keys_.size());
    std::vector<Parameter> parameters;
    std::unordered_map<std::u16string, size_t> positions;
    for (size_t position = first; position < end; ++position) {
        for (size_t column = 0; column < keys_.columns(); ++column) {
            const Column& type = keyColumns_[column];
            parameters.push_back({std::u16string(keys_.value(position, column)), false, type.sqlType, type.size,
                                  type.decimalDigits});
        }
        positions.emplace(identityAt(position), position - first);
    }
    Statement statement(database_);
    if (!statement.execute(statements_.rowsByKeys(end - first), parameters)) {
        return nullptr;
    }
    size_t fieldCount = shownColumns_ + keys_.columns();
    BlockCache::Block rows(end - first);
    std::vector<bool> found(end - first);
    Row row;
    for (;;) {
        Statement::Fetched fetched = statement.fetch();
        if (fetched == Statement::Fetched::failed) {
            return nullptr;
        }
        if (fetched == Statement::Fetched::end) {
            break;
        }
        if (!statement.readRow(row, fieldCount)) {
            return nullptr;
        }
        std::u16string identity;
        for (std::u16string_view value : keyOf(row)) {
            appendIdentity(identity, value);
        }
        if (auto at = positions.find(identity); at != positions.end()) {
            rows[at->second] = row;
            found[at->second] = true;
        }
    }
    // A row someone else deleted shows as empty fields; its key stays, so a write to
    // it reports that the row is gone.
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!found[i]) {
            rows[i].assign(fieldCount, Field{});
            for (size_t column = 0; column < keys_.columns(); ++column) {
                rows[i][shownColumns_ + column] = {std::u16string(keys_.value(first + i, column)), false};
            }
        }
    }
    return &cache_.insert(block, std::move(rows));
}

bool KeysetRows::replace(int32_t position, Row row) {
    if (position < 0 || position >= count() || !keys_.replace(size_t(position), keyOf(row))) {
        return false;
    }
    if (BlockCache::Block* rows = cache_.find(position / blockRows)) {
        (*rows)[size_t(position % blockRows)] = std::move(row);
    }
    return true;
}

void KeysetRows::remove(int32_t position) {
    if (position < 0 || position >= count()) {
        return;
    }
    keys_.erase(size_t(position));
    cache_.dropFrom(position / blockRows);
}

bool KeysetRows::append(Row row) {
    if (!keys_.append(keyOf(row))) {
        return false;
    }
    cache_.drop((count() - 1) / blockRows);
    return true;
}

}  // namespace grid::odbc
