#include "grid/model/row_list.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace grid {

RowList::RowPointer& RowList::writableSlot(int32_t index) {
    ChunkPointer& chunk = chunks_[chunkOf(index)];
    if (chunk.use_count() > 1) chunk = std::make_shared<Chunk>(*chunk);
    return chunk->rows[slotOf(index)];
}

// Once the chunk is ours, a row with one owner is held by this slot alone: any other
// list or position that sees it holds another reference.
TableRow& RowList::writable(int32_t index) {
    RowPointer& row = writableSlot(index);
    if (row.useCount() > 1) row = RowRef::copyOf(*row);
    return *row;
}

std::vector<RowList::RowPointer> RowList::rowsFrom(size_t firstChunk) const {
    std::vector<RowPointer> rows;
    rows.reserve(static_cast<size_t>(size_) - std::min(static_cast<size_t>(size_), firstChunk * kChunkRows));
    for (size_t chunk = firstChunk; chunk < chunks_.size(); ++chunk) {
        rows.insert(rows.end(), chunks_[chunk]->rows.begin(), chunks_[chunk]->rows.end());
    }
    return rows;
}

void RowList::replaceChunksFrom(size_t firstChunk, std::vector<RowPointer> rows) {
    std::vector<ChunkPointer> chunks;
    chunks.reserve(firstChunk + (rows.size() + kChunkRows - 1) / kChunkRows);
    chunks.assign(chunks_.begin(), chunks_.begin() + static_cast<ptrdiff_t>(firstChunk));
    for (size_t start = 0; start < rows.size(); start += kChunkRows) {
        auto chunk = std::make_shared<Chunk>();
        auto begin = rows.begin() + static_cast<ptrdiff_t>(start);
        auto end = rows.begin() + static_cast<ptrdiff_t>(std::min(rows.size(), start + kChunkRows));
        chunk->rows.assign(std::make_move_iterator(begin), std::make_move_iterator(end));
        chunks.push_back(std::move(chunk));
    }
    chunks_.swap(chunks);
    size_ = static_cast<int32_t>(firstChunk * kChunkRows + rows.size());
}

void RowList::assign(int32_t count, const RowRef& prototype) {
    std::vector<RowPointer> rows(static_cast<size_t>(count), prototype);
    std::vector<ChunkPointer> kept;
    chunks_.swap(kept);
    try {
        replaceChunksFrom(0, std::move(rows));
    } catch (...) {
        chunks_.swap(kept);
        throw;
    }
}

void RowList::insert(int32_t at, int32_t count, const RowRef& prototype) {
    const size_t firstChunk = chunkOf(at);
    std::vector<RowPointer> rows = rowsFrom(firstChunk);
    rows.insert(rows.begin() + (at - static_cast<int32_t>(firstChunk * kChunkRows)), static_cast<size_t>(count),
                prototype);
    replaceChunksFrom(firstChunk, std::move(rows));
}

void RowList::erase(int32_t at, int32_t count) {
    const size_t firstChunk = chunkOf(at);
    std::vector<RowPointer> rows = rowsFrom(firstChunk);
    auto begin = rows.begin() + (at - static_cast<int32_t>(firstChunk * kChunkRows));
    rows.erase(begin, begin + count);
    replaceChunksFrom(firstChunk, std::move(rows));
}

void RowList::eraseSet(std::span<const int32_t> ascendingUnique) {
    if (ascendingUnique.empty()) return;
    const size_t firstChunk = chunkOf(ascendingUnique.front());
    const int32_t base = static_cast<int32_t>(firstChunk * kChunkRows);
    std::vector<RowPointer> rows = rowsFrom(firstChunk);
    // Moving the kept rows up over the erased ones allocates nothing; the rows stay
    // alive in the old chunks until the new ones have been built.
    auto erased = ascendingUnique.begin();
    size_t kept = 0;
    for (size_t slot = 0; slot < rows.size(); ++slot) {
        if (erased != ascendingUnique.end() && *erased - base == static_cast<int32_t>(slot)) {
            ++erased;
        } else {
            if (kept != slot) rows[kept] = std::move(rows[slot]);
            ++kept;
        }
    }
    rows.resize(kept);
    replaceChunksFrom(firstChunk, std::move(rows));
}

void RowList::reorder(int32_t first, std::span<const int32_t> order) {
    if (order.empty()) return;
    const size_t firstChunk = chunkOf(first);
    std::vector<RowPointer> rows = rowsFrom(firstChunk);
    std::vector<RowPointer> moved(order.size());
    const size_t offset = static_cast<size_t>(first) - firstChunk * kChunkRows;
    for (size_t i = 0; i < order.size(); ++i) moved[i] = std::move(rows[offset + static_cast<size_t>(order[i])]);
    std::move(moved.begin(), moved.end(), rows.begin() + static_cast<ptrdiff_t>(offset));
    replaceChunksFrom(firstChunk, std::move(rows));
}

void RowList::transform(int32_t first, int32_t count, const std::function<void(TableRow&)>& prepare,
                        const std::function<void(TableRow&)>& change) {
    // First every row becomes this list's own, prepared, with nothing changed yet: a
    // failure here leaves equal rows behind. A row that other positions or lists
    // share is copied once; the original stays alive in the map while we work, so no
    // copy can take over its address.
    std::unordered_map<const TableRow*, std::pair<RowPointer, RowPointer>> copies;
    std::vector<TableRow*> ownRows;
    ownRows.reserve(static_cast<size_t>(count));
    for (int32_t index = first; index < first + count; ++index) {
        RowPointer& slot = writableSlot(index);
        if (slot.useCount() == 1) {
            prepare(*slot);
            ownRows.push_back(slot.get());
            continue;
        }
        auto found = copies.find(slot.get());
        if (found == copies.end()) {
            RowRef copy = RowRef::copyOf(*slot);
            prepare(*copy);
            found = copies.emplace(slot.get(), std::pair(slot, std::move(copy))).first;
        }
        slot = found->second.second;
    }
    for (TableRow* row : ownRows) change(*row);
    for (auto& entry : copies) change(*entry.second.second);
}

void RowList::resizeRows(int32_t newCount,
                         const std::function<void(std::span<Cell> from, std::span<Cell> to)>& fill) {
    // Every chunk becomes ours first, so that a row no other list holds is held once
    // per position that shows it; such a row's cells can be moved, any other row's
    // are copied into a row of our own before anything changes.
    for (size_t chunk = 0; chunk < chunks_.size(); ++chunk) {
        if (chunks_[chunk].use_count() > 1) chunks_[chunk] = std::make_shared<Chunk>(*chunks_[chunk]);
    }
    struct Rebuild {
        RowRef source;
        RowRef target;
        uint32_t positions = 0;
    };
    std::unordered_map<const TableRow*, Rebuild> rebuilds;
    for (const ChunkPointer& chunk : chunks_) {
        for (const RowRef& row : chunk->rows) {
            Rebuild& rebuild = rebuilds[row.get()];
            if (!rebuild.source.get()) rebuild.source = row;
            ++rebuild.positions;
        }
    }
    for (auto& [address, rebuild] : rebuilds) {
        rebuild.target = RowRef::blank(newCount, rebuild.source->height);
        // The map's own reference counts too.
        if (rebuild.source.useCount() > rebuild.positions + 1) rebuild.source = RowRef::copyOf(*rebuild.source);
    }
    for (auto& [address, rebuild] : rebuilds) fill(rebuild.source->cells(), rebuild.target->cells());
    for (const ChunkPointer& chunk : chunks_) {
        for (RowRef& row : chunk->rows) row = rebuilds.find(row.get())->second.target;
    }
}

std::optional<RowSpan> RowList::differingRows(const RowList& other) const {
    const int32_t common = std::min(size_, other.size_);
    std::optional<RowSpan> span;
    auto include = [&span](int32_t index) {
        if (!span) span = RowSpan{index, index};
        span->first = std::min(span->first, index);
        span->last = std::max(span->last, index);
    };
    for (size_t chunk = 0; chunk * kChunkRows < static_cast<size_t>(common); ++chunk) {
        if (chunks_[chunk] == other.chunks_[chunk]) continue;
        const int32_t start = static_cast<int32_t>(chunk * kChunkRows);
        const int32_t end = std::min(common, start + kChunkRows);
        for (int32_t index = start; index < end; ++index) {
            if (chunks_[chunk]->rows[slotOf(index)] != other.chunks_[chunk]->rows[slotOf(index)]) include(index);
        }
    }
    if (size_ != other.size_) {
        include(common);
        include(std::max(size_, other.size_) - 1);
    }
    return span;
}

}  // namespace grid
