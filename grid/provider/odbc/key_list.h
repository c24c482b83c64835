#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace grid::odbc {

// The primary-key values of every row of a record set, in the record set's order: the
// row at position N is the one whose key is at N. Kept as one run of UTF-16 text with
// the end of each value, so a million integer keys take about 18 MB.
class KeyList {
public:
    explicit KeyList(size_t columns) : columns_(columns) {}

    size_t columns() const { return columns_; }
    size_t size() const { return columns_ == 0 ? 0 : ends_.size() / columns_; }
    std::u16string_view value(size_t row, size_t column) const;

    // False when the list cannot hold more text (four billion characters).
    bool append(std::span<const std::u16string_view> values);
    void erase(size_t row);
    bool replace(size_t row, std::span<const std::u16string_view> values);
    void clear();

private:
    size_t columns_;
    std::u16string text_;
    std::vector<uint32_t> ends_;
};

}  // namespace grid::odbc
