#pragma once

#include <cstdint>

namespace app {

// The format menu's commands on the main grid's selection. Each that changes the
// table records the change: the document is modified and an undo state kept.

// Alignment codes 1-9 place text in the nine positions of a cell.
void alignSelection(int32_t code);
// Picture display codes 10-14; only when the first selected cell holds picture data.
void showPicturesAs(int32_t code);
// Line bits: 1 left, 2 top, 4 right, 8 bottom, 16 the inner horizontal and 32 the inner
// vertical lines, 64 single, 128 double diagonal, 256 cross.
inline constexpr uint32_t kAllEdges = 1 | 2 | 4 | 8 | 16 | 32;
void drawSelectionLines(uint32_t lines);
void eraseSelectionLines(uint32_t lines);
// Input types 0-8, from "通常型" to "日期时间型".
void setSelectionInputType(int32_t type);
// Asks for a picture file and stores its bytes in the first selected cell; a file
// that is no picture the grid can show is refused with a message.
void insertPictureFromFile();
// Asks for a colour, placed at the pointer, and gives it to the selected cells' text
// or background.
void colorSelectionText();
void colorSelectionBackground();

}  // namespace app
