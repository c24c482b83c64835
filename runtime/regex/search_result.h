#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// Where one capture group matched, in bytes from the start of the searched text.
struct SubMatch {
    int32_t offset = 0;
    int32_t length = 0;
    bool matched = false;
};

// The positions of one match: entry 0 for the whole match, entry n for group n. It
// keeps no text; the readers are given the searched text again and cut from it.
class SearchResult {
public:
    SearchResult() = default;
    explicit SearchResult(std::vector<SubMatch> entries) : entries_(std::move(entries)) {}

    // No match.
    bool empty() const { return entries_.empty(); }
    const std::vector<SubMatch>& entries() const { return entries_; }

    // The text of the whole match, and its offset when asked. Empty text, with the
    // offset untouched, when there is no match; empty text for an empty match.
    std::string matchText(std::string_view searched, int32_t* offset = nullptr) const {
        return subMatchText(searched, 0, offset);
    }
    // The same for group `index` (0 the whole match); empty for a group the pattern
    // does not have, or a text too short for the recorded position.
    std::string subMatchText(std::string_view searched, int32_t index, int32_t* offset = nullptr) const;

private:
    std::vector<SubMatch> entries_;
};

}  // namespace rt
