#pragma once

#include <algorithm>
#include <string_view>

namespace app {

// Reads the texts of a data source's text block one after the other; past the end
// every text is empty, as the text of a cell outside the table is.
class TextBlockCursor {
public:
    explicit TextBlockCursor(std::string_view block) : block_(block) {}

    std::string_view next() {
        if (at_ >= block_.size()) return {};
        size_t end = std::min(block_.find('\0', at_), block_.size());
        std::string_view text = block_.substr(at_, end - at_);
        at_ = end + 1;
        return text;
    }

private:
    std::string_view block_;
    size_t at_ = 0;
};

}  // namespace app
