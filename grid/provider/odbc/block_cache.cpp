#include "grid/provider/odbc/block_cache.h"

namespace grid::odbc {

BlockCache::Block* BlockCache::find(int64_t index) {
    auto found = entries_.find(index);
    if (found == entries_.end()) {
        return nullptr;
    }
    order_.splice(order_.begin(), order_, found->second);
    return &found->second->second;
}

BlockCache::Block& BlockCache::insert(int64_t index, Block block) {
    drop(index);
    order_.emplace_front(index, std::move(block));
    entries_[index] = order_.begin();
    while (order_.size() > capacity_ && order_.size() > 1) {
        entries_.erase(order_.back().first);
        order_.pop_back();
    }
    return order_.front().second;
}

void BlockCache::drop(int64_t index) {
    auto found = entries_.find(index);
    if (found != entries_.end()) {
        order_.erase(found->second);
        entries_.erase(found);
    }
}

void BlockCache::dropFrom(int64_t index) {
    for (auto entry = order_.begin(); entry != order_.end();) {
        if (entry->first >= index) {
            entries_.erase(entry->first);
            entry = order_.erase(entry);
        } else {
            ++entry;
        }
    }
}

void BlockCache::clear() {
    order_.clear();
    entries_.clear();
}

}  // namespace grid::odbc
