#include "grid/provider/odbc/key_list.h"

#include <limits>

namespace grid::odbc {

std::u16string_view KeyList::value(size_t row, size_t column) const {
    size_t index = row * columns_ + column;
    size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::u16string_view(text_).substr(begin, ends_[index] - begin);
}

bool KeyList::append(std::span<const std::u16string_view> values) {
    size_t length = 0;
    for (std::u16string_view value : values) {
        length += value.size();
    }
    if (values.size() != columns_ || text_.size() + length > std::numeric_limits<uint32_t>::max()) {
        return false;
    }
    for (std::u16string_view value : values) {
        text_ += value;
        ends_.push_back(uint32_t(text_.size()));
    }
    return true;
}

void KeyList::erase(size_t row) {
    size_t first = row * columns_;
    size_t begin = first == 0 ? 0 : ends_[first - 1];
    size_t end = ends_[first + columns_ - 1];
    text_.erase(begin, end - begin);
    ends_.erase(ends_.begin() + std::ptrdiff_t(first), ends_.begin() + std::ptrdiff_t(first + columns_));
    for (size_t i = first; i < ends_.size(); ++i) {
        ends_[i] -= uint32_t(end - begin);
    }
}

bool KeyList::replace(size_t row, std::span<const std::u16string_view> values) {
    if (values.size() != columns_) {
        return false;
    }
    std::u16string joined;
    std::vector<uint32_t> lengths;
    for (std::u16string_view value : values) {
        joined += value;
        lengths.push_back(uint32_t(value.size()));
    }
    size_t first = row * columns_;
    size_t begin = first == 0 ? 0 : ends_[first - 1];
    size_t end = ends_[first + columns_ - 1];
    if (text_.size() - (end - begin) + joined.size() > std::numeric_limits<uint32_t>::max()) {
        return false;
    }
    text_.replace(begin, end - begin, joined);
    size_t at = begin;
    for (size_t column = 0; column < columns_; ++column) {
        at += lengths[column];
        ends_[first + column] = uint32_t(at);
    }
    int64_t shift = int64_t(joined.size()) - int64_t(end - begin);
    for (size_t i = first + columns_; i < ends_.size(); ++i) {
        ends_[i] = uint32_t(int64_t(ends_[i]) + shift);
    }
    return true;
}

void KeyList::clear() {
    text_.clear();
    ends_.clear();
}

}  // namespace grid::odbc
