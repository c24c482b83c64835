#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "grid/model/table_row.h"

namespace grid {

// The first and last of a run of row positions, both included.
struct RowSpan {
    int32_t first = 0;
    int32_t last = 0;
    friend bool operator==(const RowSpan&, const RowSpan&) = default;
};

// The rows of a table, held in chunks of shared rows. A copy of the list shares every
// chunk and row with the original, and whichever list writes to a shared chunk or row
// first gets its own copy of just that piece: a table kept for Undo costs what changed
// since, not the whole table. Rows made from one prototype share one storage until
// one of them is written, so a large new table costs little until it is filled.
class RowList {
public:
    int32_t size() const { return size_; }
    const TableRow& operator[](int32_t index) const { return *chunks_[chunkOf(index)]->rows[slotOf(index)]; }
    // The row at index, made this list's own first.
    TableRow& writable(int32_t index);

    // These throw std::bad_alloc and then leave the list as it was. Every new
    // position shares the prototype row.
    void assign(int32_t count, const RowRef& prototype);
    void insert(int32_t at, int32_t count, const RowRef& prototype);
    void erase(int32_t at, int32_t count);
    // Erases the rows at these positions, given in ascending order without repeats and
    // all inside the list, in one pass over the chunks from the first of them on.
    void eraseSet(std::span<const int32_t> ascendingUnique);
    // The row at first + i becomes the one that was at first + order[i]; order holds
    // each of 0..size-1 once. Rows move as they are, shared or not: nothing is copied.
    void reorder(int32_t first, std::span<const int32_t> order);
    // Changes the rows from first on, all or nothing: prepare runs on every row that
    // will change and may throw, but must leave the row's content as it is (reserve
    // room, for example); then change, which must not throw, runs on every row. Rows
    // that several positions share are changed once and stay shared.
    void transform(int32_t first, int32_t count, const std::function<void(TableRow&)>& prepare,
                   const std::function<void(TableRow&)>& change);
    // Gives every row newCount cells, all or nothing: first each row gets a new block
    // of default cells (which may throw and then changes nothing), then fill, which
    // must not throw, moves or copies cells from the old row into the new one. Rows
    // that several positions share are rebuilt once and stay shared.
    void resizeRows(int32_t newCount, const std::function<void(std::span<Cell> from, std::span<Cell> to)>& fill);

    // The positions at which the two lists hold different row storage; positions that
    // only one of them has count as different. Nothing when they hold the same rows.
    std::optional<RowSpan> differingRows(const RowList& other) const;

private:
    using RowPointer = RowRef;
    struct Chunk {
        std::vector<RowPointer> rows;
    };
    using ChunkPointer = std::shared_ptr<Chunk>;

    static constexpr int kChunkShift = 8;
    static constexpr int32_t kChunkRows = 1 << kChunkShift;

    static size_t chunkOf(int32_t index) { return static_cast<size_t>(index) >> kChunkShift; }
    static size_t slotOf(int32_t index) { return static_cast<size_t>(index) & (kChunkRows - 1); }
    // The slot of a row in a chunk that this list owns alone.
    RowPointer& writableSlot(int32_t index);
    // The rows of every chunk from firstChunk on, in order.
    std::vector<RowPointer> rowsFrom(size_t firstChunk) const;
    // Keeps the chunks before firstChunk and chunks the given rows after them.
    void replaceChunksFrom(size_t firstChunk, std::vector<RowPointer> rows);

    std::vector<ChunkPointer> chunks_;
    int32_t size_ = 0;
};

}  // namespace grid
