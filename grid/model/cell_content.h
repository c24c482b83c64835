#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "grid/model/cell.h"

namespace grid {

// Setting text as the editor and setCellText do: refused for the data kinds; a kind-2
// cell keeps the text as given, a kind-1 cell converts it by its input type; an empty
// result leaves the cell without content.
bool setTextByRules(Cell& cell, std::string_view text);

// Setting bytes on a picture or data cell; refused for the text kinds. No bytes clear.
bool setDataByRules(Cell& cell, std::span<const uint8_t> bytes);

// What the view shows: one "*" per byte for a masked cell, the text otherwise, and
// nothing for the data kinds.
std::string displayText(const Cell& cell);

}  // namespace grid
