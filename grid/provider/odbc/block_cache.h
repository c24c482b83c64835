#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <utility>
#include <vector>

#include "grid/provider/odbc/field.h"

namespace grid::odbc {

// The blocks of rows fetched last, at most `capacity` of them; the block used least
// recently goes first. This bounds the memory of a record set whatever its size.
class BlockCache {
public:
    using Block = std::vector<Row>;

    explicit BlockCache(size_t capacity) : capacity_(capacity) {}

    // The block, now the most recently used one; null when it is not held.
    Block* find(int64_t index);
    Block& insert(int64_t index, Block block);
    void drop(int64_t index);
    // Drops every block from index on (rows after a removed one moved up).
    void dropFrom(int64_t index);
    void clear();
    size_t size() const { return order_.size(); }

private:
    using Entry = std::pair<int64_t, Block>;

    size_t capacity_;
    std::list<Entry> order_;  // most recently used first
    std::unordered_map<int64_t, std::list<Entry>::iterator> entries_;
};

}  // namespace grid::odbc
