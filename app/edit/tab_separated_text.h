#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

// Cells as other programs take them from the clipboard: cells of a row separated by
// tabs, rows by line breaks (none after the last row, which other programs would
// read as one more, empty row). A text that holds a tab, a line break or starts
// with a double quote is put in double quotes with its own quotes doubled, so that a
// program that reads it back sees one cell, not several.
class TabSeparatedText {
public:
    void addCell(std::string_view text);
    void endRow();
    const std::string& text() const { return text_; }

private:
    std::string text_;
    bool rowStarted_ = false;
    bool rowEnded_ = false;
};

}  // namespace app
