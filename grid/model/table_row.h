#pragma once

#include <atomic>
#include <cstdint>
#include <span>

#include "grid/model/cell.h"

namespace grid {

// One row of a table: its height in 0.1 mm and its cells from left to right, in one
// block of memory together with the count of the lists and positions that hold it. A
// table of a million cells is a hundred thousand rows, so each row costs one
// allocation and no bookkeeping beyond these sixteen bytes.
class alignas(Cell) TableRow {
public:
    TableRow(const TableRow&) = delete;
    TableRow& operator=(const TableRow&) = delete;

    std::span<Cell> cells() { return {first(), static_cast<size_t>(count_)}; }
    std::span<const Cell> cells() const { return {first(), static_cast<size_t>(count_)}; }

    int32_t height = 0;

private:
    friend class RowRef;
    TableRow(int32_t count, int32_t height) : height(height), count_(count) {}

    Cell* first() { return reinterpret_cast<Cell*>(this + 1); }
    const Cell* first() const { return reinterpret_cast<const Cell*>(this + 1); }

    int32_t count_ = 0;
    std::atomic<uint32_t> refs_{1};
};

static_assert(sizeof(TableRow) % alignof(Cell) == 0, "the cells follow the row's header");

// A counted reference to a row: copies share the row, and the last one to go frees it.
// The count is atomic because the recovery writer holds rows of a copied table on its
// own thread.
class RowRef {
public:
    RowRef() = default;
    // A row of count copies of cell; throws std::bad_alloc and then leaves nothing.
    static RowRef filled(int32_t count, const Cell& cell, int32_t height);
    // A row of count cells in the default format, for the caller to fill.
    static RowRef blank(int32_t count, int32_t height);
    // A row of its own with the same height and cells.
    static RowRef copyOf(const TableRow& row);

    RowRef(const RowRef& other) noexcept : row_(other.row_) { retain(); }
    RowRef(RowRef&& other) noexcept : row_(other.row_) { other.row_ = nullptr; }
    RowRef& operator=(const RowRef& other) noexcept;
    RowRef& operator=(RowRef&& other) noexcept;
    ~RowRef() { release(); }

    TableRow* get() const { return row_; }
    TableRow& operator*() const { return *row_; }
    TableRow* operator->() const { return row_; }
    // How many references share the row; 0 for none.
    uint32_t useCount() const { return row_ ? row_->refs_.load(std::memory_order_acquire) : 0; }
    friend bool operator==(const RowRef& a, const RowRef& b) { return a.row_ == b.row_; }

private:
    // Room for the row and count cells, the header made and no cell yet.
    static TableRow* allocate(int32_t count, int32_t height);
    static void destroy(TableRow* row, size_t madeCells);
    void retain() const {
        if (row_) row_->refs_.fetch_add(1, std::memory_order_relaxed);
    }
    void release();

    TableRow* row_ = nullptr;
};

}  // namespace grid
