#include "grid/view/editor_geometry.h"

#include <algorithm>
#include <string>
#include <vector>

namespace grid {
namespace {

struct TextShape {
    int longest = 0;
    int lines = 0;
};

// Lines end at line feeds (carriage returns do not count) and wrap at `limit` bytes,
// after the line's last blank when it has one. A double-byte character counts 2.
TextShape shapeOf(std::string_view text, int limit) {
    TextShape shape;
    std::string line;
    auto endLine = [&](size_t length) {
        shape.longest = std::max(shape.longest, static_cast<int>(length));
        ++shape.lines;
    };
    for (char byte : text) {
        if (byte == '\r') continue;
        if (byte == '\n') {
            endLine(line.size());
            line.clear();
            continue;
        }
        line.push_back(byte);
        if (static_cast<int>(line.size()) >= limit) {
            size_t blank = line.find_last_of(' ');
            if (blank != std::string::npos && blank + 1 < line.size()) {
                endLine(blank + 1);
                line.erase(0, blank + 1);
            } else {
                endLine(line.size());
                line.clear();
            }
        }
    }
    endLine(line.size());
    return shape;
}

// Moves an edge that sticks out past `limit` back to it, but never the start past 0.
void keepInside(int& start, int length, int limit) {
    if (start + length > limit) start = std::max(limit - length, 0);
}

}  // namespace

QRect editorRect(std::string_view text, const QRect& cell, QSize client, int charWidth, int charHeight) {
    charWidth = std::max(charWidth, 1);
    const int limit = std::max((client.width() - 2 * charWidth) / charWidth, 1);
    const TextShape shape = shapeOf(text, limit);
    const int width = std::max((std::min(shape.longest | 7, limit) + 1) * charWidth + 5, cell.width());
    const int height = std::max(shape.lines * charHeight + 8, cell.height());
    int left = cell.left();
    int top = cell.top();
    keepInside(left, width, client.width());
    keepInside(top, height, client.height());
    return QRect(left, top, width, height);
}

}  // namespace grid
