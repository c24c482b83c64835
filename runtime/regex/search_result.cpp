#include "runtime/regex/search_result.h"

namespace rt {

std::string SearchResult::subMatchText(std::string_view searched, int32_t index, int32_t* offset) const {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return {};
    const SubMatch& entry = entries_[static_cast<size_t>(index)];
    if (!entry.matched) return {};
    if (offset) *offset = entry.offset;
    // A text other than the one searched may be shorter: cut only what it has.
    if (entry.offset < 0 || static_cast<size_t>(entry.offset) > searched.size()) return {};
    return std::string(searched.substr(static_cast<size_t>(entry.offset), static_cast<size_t>(entry.length)));
}

}  // namespace rt
