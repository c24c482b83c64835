#include "tools/bgetool/table_json.h"

#include <algorithm>

#include "tools/bgetool/json_text.h"

namespace bgetool {
namespace {

class JsonObject {
public:
    JsonObject& field(std::string_view name, std::string_view jsonValue) {
        text_ += text_.empty() ? "{" : ",";
        text_ += "\"";
        text_ += name;
        text_ += "\":";
        text_ += jsonValue;
        return *this;
    }
    JsonObject& number(std::string_view name, int64_t value) { return field(name, std::to_string(value)); }
    std::string close() const { return text_.empty() ? "{}" : text_ + "}"; }

private:
    std::string text_;
};

template <typename SizeOf>
std::string sizeArray(int32_t count, SizeOf sizeOf) {
    std::string array = "[";
    for (int32_t i = 0; i < count; ++i) {
        if (i > 0) array += ",";
        array += std::to_string(sizeOf(i));
    }
    return array + "]";
}

std::string hexOf(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}

}  // namespace

namespace {

// A provider and a summary of a file answer the same questions about the frame.
template <typename Frame>
std::string frameJson(const Frame& frame) {
    const grid::PageSettings& page = frame.pageSettings();
    std::string pageJson = JsonObject()
                               .number("marginLeft", page.marginLeft)
                               .number("marginTop", page.marginTop)
                               .number("marginRight", page.marginRight)
                               .number("marginBottom", page.marginBottom)
                               .number("pageNumberPosition", page.pageNumberPosition)
                               .number("scale", page.scale)
                               .number("paperSize", page.paperSize)
                               .number("orientation", page.orientation)
                               .number("repeatLastRow", page.repeatLastRow)
                               .number("addTableLines", page.addTableLines)
                               .number("rowsPerPage", page.rowsPerPage)
                               .close();
    return JsonObject()
        .number("rows", frame.rowCount())
        .number("columns", frame.columnCount())
        .number("fixedRows", frame.fixedRows())
        .number("fixedColumns", frame.fixedColumns())
        .field("rowHeights", sizeArray(frame.rowCount(), [&](int32_t row) { return frame.rowHeight(row); }))
        .field("columnWidths", sizeArray(frame.columnCount(), [&](int32_t column) { return frame.columnWidth(column); }))
        .field("page", pageJson)
        .close();
}

}  // namespace

std::string tableInfoJson(const grid::DataProvider& provider) { return frameJson(provider); }

std::string tableInfoJson(const grid::TableSummary& summary) { return frameJson(summary); }

std::string cellJson(int32_t row, int32_t column, const grid::Cell& cell) {
    JsonObject object;
    object.number("row", row + 1)
        .number("column", column + 1)
        .number("flags", cell.flags())
        .number("textColor", cell.textColor())
        .number("backColor", cell.backColor())
        .field("fontName", jsonString(cell.fontNameView()))
        .number("fontSize", cell.fontSize())
        .number("margin", cell.margin())
        .number("kind", static_cast<int>(cell.kind()));
    if (grid::isDataKind(cell.kind())) {
        std::span<const uint8_t> data = cell.content();
        // Appended to a named string, not built from a literal: GCC 12 warns wrongly
        // about the latter in optimised builds.
        std::string hex = "\"";
        hex += hexOf(data.first(std::min<size_t>(data.size(), 32)));
        hex += '"';
        object.number("dataLength", static_cast<int64_t>(data.size())).field("dataHex", hex);
    } else {
        object.field("text", jsonString(cell.text()));
    }
    return object.close();
}

}  // namespace bgetool
