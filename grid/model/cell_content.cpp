#include "grid/model/cell_content.h"

#include "grid/model/input_conversion.h"

namespace grid {

bool setTextByRules(Cell& cell, std::string_view text) {
    CellKind kind = cell.kind();
    if (isDataKind(kind)) return false;
    if (kind == CellKind::VerbatimText || inputTypeOf(cell.flags()) == InputType::Normal) {
        cell.setTextContent(text);
    } else {
        cell.setTextContent(convertByInputType(text, inputTypeOf(cell.flags())));
    }
    return true;
}

bool setDataByRules(Cell& cell, std::span<const uint8_t> bytes) {
    if (!isDataKind(cell.kind())) return false;
    cell.setContent(bytes);
    return true;
}

std::string displayText(const Cell& cell) {
    std::string_view text = cell.text();
    if (cell.flags() & CellFlags::kMasked) return std::string(text.size(), '*');
    return std::string(text);
}

}  // namespace grid
