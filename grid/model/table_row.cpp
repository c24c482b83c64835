#include "grid/model/table_row.h"

#include <memory>
#include <new>
#include <utility>

namespace grid {

TableRow* RowRef::allocate(int32_t count, int32_t height) {
    void* memory = ::operator new(sizeof(TableRow) + sizeof(Cell) * static_cast<size_t>(count));
    return new (memory) TableRow(count, height);
}

void RowRef::destroy(TableRow* row, size_t madeCells) {
    std::destroy_n(row->first(), madeCells);
    row->~TableRow();
    ::operator delete(row);
}

RowRef RowRef::filled(int32_t count, const Cell& cell, int32_t height) {
    TableRow* row = allocate(count, height);
    size_t made = 0;
    try {
        for (; made < static_cast<size_t>(count); ++made) new (row->first() + made) Cell(cell);
    } catch (...) {
        destroy(row, made);
        throw;
    }
    RowRef ref;
    ref.row_ = row;
    return ref;
}

RowRef RowRef::blank(int32_t count, int32_t height) {
    TableRow* row = allocate(count, height);
    std::uninitialized_value_construct_n(row->first(), static_cast<size_t>(count));
    RowRef ref;
    ref.row_ = row;
    return ref;
}

RowRef RowRef::copyOf(const TableRow& source) {
    TableRow* row = allocate(source.count_, source.height);
    try {
        std::uninitialized_copy_n(source.first(), static_cast<size_t>(source.count_), row->first());
    } catch (...) {
        // uninitialized_copy_n has destroyed what it made.
        destroy(row, 0);
        throw;
    }
    RowRef ref;
    ref.row_ = row;
    return ref;
}

RowRef& RowRef::operator=(const RowRef& other) noexcept {
    other.retain();
    release();
    row_ = other.row_;
    return *this;
}

RowRef& RowRef::operator=(RowRef&& other) noexcept {
    if (this != &other) {
        release();
        row_ = std::exchange(other.row_, nullptr);
    }
    return *this;
}

void RowRef::release() {
    if (row_ && row_->refs_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        destroy(row_, static_cast<size_t>(row_->count_));
    }
    row_ = nullptr;
}

}  // namespace grid
