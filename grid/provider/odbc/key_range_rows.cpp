#include "grid/provider/odbc/key_range_rows.h"

#include <algorithm>
#include <limits>

#include "grid/provider/odbc/row_count.h"
#include "grid/provider/odbc/statement.h"

namespace grid::odbc {

namespace {

// A hundred thousand remembered keys keep a jump anywhere in a table of twenty million
// rows within a few hundred rows of a known key, for a few megabytes.
constexpr size_t maximumAnchors = 100000;
// Below this a count takes a fraction of a second and the estimate is not worth its
// error.
constexpr int64_t estimateFrom = 2000000;

}  // namespace

KeyRangeRows::KeyRangeRows(Database& database, const TableStatements& statements, Column keyColumn, size_t shownColumns)
    : database_(database),
      statements_(statements),
      keyColumn_(std::move(keyColumn)),
      shownColumns_(shownColumns),
      cache_(cachedBlocks) {}

bool KeyRangeRows::load(bool mayEstimate) {
    cache_.clear();
    anchors_.clear();
    appended_.clear();
    appendedKeys_.clear();
    if (mayEstimate) {
        std::optional<int64_t> estimate = estimatedRows(database_, statements_.everyRow());
        if (estimate && *estimate >= estimateFrom) {
            counted_ = *estimate;
            estimated_ = true;
            return true;
        }
    }
    std::optional<int64_t> counted = countRows(database_, statements_.rowCount());
    counted_ = counted.value_or(0);
    estimated_ = false;
    return counted.has_value();
}

void KeyRangeRows::settleCount(int64_t rows) {
    counted_ = rows;
    estimated_ = false;
    // Blocks read back from the end stood at positions taken from the estimate.
    cache_.clear();
    anchors_.clear();
}

int32_t KeyRangeRows::count() const {
    return int32_t(std::min<int64_t>(counted_ + int64_t(appended_.size()), std::numeric_limits<int32_t>::max()));
}

const Row* KeyRangeRows::row(int32_t position) {
    if (position < 0 || position >= count()) {
        return nullptr;
    }
    if (position >= counted_) {
        return &appended_[size_t(position - counted_)];
    }
    int64_t block = position / blockRows;
    BlockCache::Block* rows = cache_.find(block);
    if (!rows) {
        rows = fetchBlock(block);
    }
    return rows ? &(*rows)[size_t(position % blockRows)] : nullptr;
}

// The cheapest way to the rows first .. first + rows - 1: from a cached neighbour
// without skipping anything, else with the fewest rows skipped from a remembered key
// or from either end.
KeyRangeRows::Plan KeyRangeRows::plan(int64_t first, int64_t rows) {
    int64_t block = first / blockRows;
    if (first > 0) {
        if (BlockCache::Block* before = cache_.find(block - 1); before && !keyOf(before->back()).empty()) {
            return {u">", &keyOf(before->back()), false, 0};
        }
    }
    if (BlockCache::Block* after = cache_.find(block + 1); after && !keyOf(after->front()).empty()) {
        return {u"<", &keyOf(after->front()), true, 0};
    }
    // Each way costs the rows it skips, backwards ones more: a backward index scan
    // reads its pages against their order, about 1.6 times slower a row (measured on
    // PostgreSQL), so the middle of a table is reached from the top.
    int64_t last = first + rows - 1;
    Plan best{u"", nullptr, false, first};
    double bestCost = double(first);
    auto consider = [&](Plan way) {
        double cost = double(way.offset) * (way.descending ? 1.6 : 1.0);
        if (cost < bestCost) {
            best = way;
            bestCost = cost;
        }
    };
    consider({u"", nullptr, true, counted_ - 1 - last});
    auto next = anchors_.upper_bound(first);
    if (next != anchors_.begin()) {
        auto below = std::prev(next);
        consider({u">=", &below->second, false, first - below->first});
    }
    if (auto above = anchors_.lower_bound(last); above != anchors_.end()) {
        consider({u"<=", &above->second, true, above->first - last});
    }
    return best;
}

BlockCache::Block* KeyRangeRows::fetchBlock(int64_t block) {
    int64_t first = block * blockRows;
    int64_t wanted = std::min<int64_t>(blockRows, counted_ - first);
    Plan way = plan(first, wanted);
    std::vector<Parameter> parameters;
    if (way.key) {
        parameters.push_back(Parameter::of({*way.key, false}, keyColumn_));
    }
    // Rows skipped by the key alone are read from the key's index only, without their
    // fields: a jump to the middle of ten million rows takes half the time.
    std::u16string startKey;
    if (way.offset > 0) {
        Statement skip(database_);
        Field key;
        if (!skip.execute(statements_.keyRange(way.bound, way.descending, 1, way.offset, true), parameters)) {
            return nullptr;
        }
        Statement::Fetched fetched = skip.fetch();
        if (fetched == Statement::Fetched::failed || (fetched == Statement::Fetched::row && !skip.readField(1, key))) {
            return nullptr;
        }
        if (fetched == Statement::Fetched::row && !key.isNull) {
            startKey = std::move(key.text);
            way = {way.descending ? u"<=" : u">=", &startKey, way.descending, 0};
            parameters = {Parameter::of({startKey, false}, keyColumn_)};
        }
    }
    // Rows appended here are shown at the end: read past them.
    size_t limit = size_t(wanted) + appendedKeys_.size();
    Statement statement(database_);
    if (!statement.execute(statements_.keyRange(way.bound, way.descending, limit, way.offset), parameters)) {
        return nullptr;
    }
    BlockCache::Block rows;
    Row row;
    while (int64_t(rows.size()) < wanted) {
        Statement::Fetched fetched = statement.fetch();
        if (fetched == Statement::Fetched::failed) {
            return nullptr;
        }
        if (fetched == Statement::Fetched::end) {
            break;
        }
        if (!statement.readRow(row, shownColumns_ + 1)) {
            return nullptr;
        }
        if (!appendedKeys_.contains(keyOf(row))) {
            rows.push_back(row);
        }
    }
    if (way.descending) {
        std::reverse(rows.begin(), rows.end());
    }
    // Fewer rows than counted: others removed some since. The places left read as
    // empty rows without a key, which no write can find; the rows come right when they
    // are read again.
    if (way.descending) {
        rows.insert(rows.begin(), size_t(wanted) - rows.size(), Row(shownColumns_ + 1));
    } else {
        rows.resize(size_t(wanted), Row(shownColumns_ + 1));
    }
    remember(first, rows.front());
    return &cache_.insert(block, std::move(rows));
}

void KeyRangeRows::remember(int64_t position, const Row& row) {
    if (keyOf(row).empty() && row[shownColumns_].isNull) {
        return;
    }
    if (anchors_.size() >= maximumAnchors) {
        // Keep every other one: the jumps grow a little longer, the memory no larger.
        bool keep = true;
        for (auto at = anchors_.begin(); at != anchors_.end(); keep = !keep) {
            at = keep ? std::next(at) : anchors_.erase(at);
        }
    }
    anchors_[position] = keyOf(row);
}

bool KeyRangeRows::replace(int32_t position, Row row) {
    if (position < 0 || position >= count()) {
        return false;
    }
    if (position >= counted_) {
        Row& held = appended_[size_t(position - counted_)];
        appendedKeys_.erase(keyOf(held));
        appendedKeys_.insert(keyOf(row));
        held = std::move(row);
        return true;
    }
    BlockCache::Block* rows = cache_.find(position / blockRows);
    if (!rows) {
        return true;
    }
    Row& held = (*rows)[size_t(position % blockRows)];
    if (keyOf(held) != keyOf(row)) {
        // A new key moves the row elsewhere in the key's order: it stays shown where
        // it is, but no other block may be read on from its old key.
        int64_t block = position / blockRows;
        BlockCache::Block kept = std::move(*rows);
        cache_.clear();
        anchors_.clear();
        kept[size_t(position % blockRows)] = std::move(row);
        cache_.insert(block, std::move(kept));
        return true;
    }
    held = std::move(row);
    return true;
}

void KeyRangeRows::remove(int32_t position) {
    if (position < 0 || position >= count()) {
        return;
    }
    if (position >= counted_) {
        auto at = appended_.begin() + (position - counted_);
        appendedKeys_.erase(keyOf(*at));
        appended_.erase(at);
        return;
    }
    --counted_;
    cache_.dropFrom(position / blockRows);
    anchors_.erase(anchors_.lower_bound(position), anchors_.end());
}

bool KeyRangeRows::append(Row row) {
    if (count() == std::numeric_limits<int32_t>::max()) {
        return false;
    }
    appendedKeys_.insert(keyOf(row));
    appended_.push_back(std::move(row));
    return true;
}

}  // namespace grid::odbc
