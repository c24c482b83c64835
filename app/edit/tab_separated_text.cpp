#include "app/edit/tab_separated_text.h"

namespace app {
namespace {

bool needsQuotes(std::string_view text) {
    return text.find_first_of("\t\r\n") != std::string_view::npos || (!text.empty() && text.front() == '"');
}

}  // namespace

void TabSeparatedText::addCell(std::string_view text) {
    if (rowEnded_) text_ += "\r\n";
    rowEnded_ = false;
    if (rowStarted_) text_ += '\t';
    rowStarted_ = true;
    if (!needsQuotes(text)) {
        text_ += text;
        return;
    }
    // Double quotes are single bytes that never occur inside a double-byte
    // character, so doubling them byte by byte is safe on GBK text.
    text_ += '"';
    for (char byte : text) {
        if (byte == '"') text_ += '"';
        text_ += byte;
    }
    text_ += '"';
}

void TabSeparatedText::endRow() {
    rowEnded_ = true;
    rowStarted_ = false;
}

}  // namespace app
