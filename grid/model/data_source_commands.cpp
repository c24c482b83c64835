#include "grid/model/data_source_commands.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "grid/model/command_arguments.h"
#include "grid/model/row_sort.h"
#include "grid/model/table_replace.h"
#include "grid/model/table_search.h"
#include "runtime/value/byte_reader.h"

namespace grid {
namespace {

using rt::Arguments;
using rt::Value;

// Every command routine has this shape; the result starts as three zero words.
#define DATA_SOURCE_COMMAND(name) \
    void name([[maybe_unused]] Value* result, int argumentCount, const Value* argumentValues)
#define READ_ARGUMENTS()                                 \
    Arguments arguments(argumentCount, argumentValues); \
    DataSrc& source = dataSourceArgument(arguments)

// Colours are 32-bit words; an integer argument carries them with its sign bit.
uint32_t colorArgument(const Arguments& arguments, int index, uint32_t fallback) {
    return static_cast<uint32_t>(arguments.integer(index, static_cast<int32_t>(fallback)));
}

int16_t shortArgument(const Arguments& arguments, int index, int16_t fallback) {
    return static_cast<int16_t>(std::clamp(arguments.integer(index, fallback), -32768, 32767));
}

std::optional<Cell> cellArgument(const Arguments& arguments, const DataSrc& source) {
    return source.cellAt(indexArgument(arguments, 1), indexArgument(arguments, 2), false);
}

// Row or column numbers from 1 as little-endian 32-bit words, made 0-based; a last
// word cut short is ignored.
std::vector<int32_t> indexSetArgument(const Arguments& arguments, int index) {
    rt::ByteReader reader(arguments.bytes(index));
    std::vector<int32_t> indices;
    indices.reserve(reader.remaining() / sizeof(int32_t));
    for (int32_t number = 0; reader.read(number);) indices.push_back(number > 0 ? number - 1 : -1);
    return indices;
}

DATA_SOURCE_COMMAND(getRowHeight) {
    READ_ARGUMENTS();
    rt::returnInteger(result, source.rowHeight(indexArgument(arguments, 1)));
}

DATA_SOURCE_COMMAND(setRowHeight) {
    READ_ARGUMENTS();
    source.setRowHeight(indexArgument(arguments, 1), arguments.integer(2, 1), arguments.integer(3));
}

DATA_SOURCE_COMMAND(getColumnWidth) {
    READ_ARGUMENTS();
    rt::returnInteger(result, source.columnWidth(indexArgument(arguments, 1)));
}

DATA_SOURCE_COMMAND(setColumnWidth) {
    READ_ARGUMENTS();
    source.setColumnWidth(indexArgument(arguments, 1), arguments.integer(2, 1), arguments.integer(3));
}

DATA_SOURCE_COMMAND(getCellKind) {
    READ_ARGUMENTS();
    std::optional<Cell> cell = cellArgument(arguments, source);
    rt::returnInteger(result, static_cast<int32_t>(cell ? cell->kind() : CellKind::Text));
}

DATA_SOURCE_COMMAND(setCellKind) {
    READ_ARGUMENTS();
    int32_t kind = arguments.integer(5, 1);
    source.setKind(rangeArgument(arguments, 1), kind >= 2 && kind <= 4 ? static_cast<CellKind>(kind) : CellKind::Text);
}

DATA_SOURCE_COMMAND(getTextColor) {
    READ_ARGUMENTS();
    std::optional<Cell> cell = cellArgument(arguments, source);
    rt::returnInteger(result, cell ? static_cast<int32_t>(cell->textColor()) : 0);
}

DATA_SOURCE_COMMAND(setTextColor) {
    READ_ARGUMENTS();
    source.setTextColor(rangeArgument(arguments, 1), colorArgument(arguments, 5, 0));
}

DATA_SOURCE_COMMAND(getBackColor) {
    READ_ARGUMENTS();
    std::optional<Cell> cell = cellArgument(arguments, source);
    rt::returnInteger(result, static_cast<int32_t>(cell ? cell->backColor() : 0xFFFFFFu));
}

DATA_SOURCE_COMMAND(setBackColor) {
    READ_ARGUMENTS();
    source.setBackColor(rangeArgument(arguments, 1), colorArgument(arguments, 5, 0xFF000000u));
}

DATA_SOURCE_COMMAND(getFontName) {
    READ_ARGUMENTS();
    std::optional<Cell> cell = cellArgument(arguments, source);
    std::string_view name = cell ? cell->fontNameView() : std::string_view();
    rt::returnText(result, name.empty() ? kDefaultFontName : name);
}

DATA_SOURCE_COMMAND(setFontName) {
    READ_ARGUMENTS();
    source.setFontName(rangeArgument(arguments, 1), arguments.text(5));
}

DATA_SOURCE_COMMAND(getFontSize) {
    READ_ARGUMENTS();
    std::optional<Cell> cell = cellArgument(arguments, source);
    rt::returnInteger(result, cell ? cell->fontSize() : 0);
}

DATA_SOURCE_COMMAND(setFontSize) {
    READ_ARGUMENTS();
    source.setFontSize(rangeArgument(arguments, 1), shortArgument(arguments, 5, 40));
}

DATA_SOURCE_COMMAND(getFontStyle) {
    READ_ARGUMENTS();
    std::optional<Cell> cell = cellArgument(arguments, source);
    uint32_t style = cell ? (cell->flags() & CellFlags::kFontStyleMask) >> CellFlags::kFontStyleShift : 0;
    rt::returnInteger(result, static_cast<int32_t>(style));
}

DATA_SOURCE_COMMAND(setFontStyle) {
    READ_ARGUMENTS();
    source.setFontStyle(rangeArgument(arguments, 1), arguments.integer(5, 0));
}

DATA_SOURCE_COMMAND(getMargin) {
    READ_ARGUMENTS();
    std::optional<Cell> cell = cellArgument(arguments, source);
    rt::returnInteger(result, cell ? cell->margin() : 0);
}

DATA_SOURCE_COMMAND(setMargin) {
    READ_ARGUMENTS();
    source.setMargin(rangeArgument(arguments, 1), arguments.integer(5, 9));
}

DATA_SOURCE_COMMAND(setInputType) {
    READ_ARGUMENTS();
    int32_t type = arguments.integer(5, 0);
    source.setInputType(rangeArgument(arguments, 1),
                        type >= 1 && type <= 8 ? static_cast<InputType>(type) : InputType::Normal);
}

DATA_SOURCE_COMMAND(setAlignment) {
    READ_ARGUMENTS();
    source.setAlignment(rangeArgument(arguments, 1), arguments.integer(5, 1));
}

DATA_SOURCE_COMMAND(getCellText) {
    READ_ARGUMENTS();
    std::optional<Cell> cell = source.cellAt(indexArgument(arguments, 1), indexArgument(arguments, 2), true);
    rt::returnText(result, cell ? cell->text() : std::string_view());
}

DATA_SOURCE_COMMAND(setCellText) {
    READ_ARGUMENTS();
    source.setCellText(indexArgument(arguments, 1), indexArgument(arguments, 2), arguments.text(3));
}

DATA_SOURCE_COMMAND(setCellData) {
    READ_ARGUMENTS();
    source.setCellData(indexArgument(arguments, 1), indexArgument(arguments, 2), arguments.bytes(3));
}

DATA_SOURCE_COMMAND(getTextBlock) {
    READ_ARGUMENTS();
    std::string texts = source.cellTexts(rangeArgument(arguments, 1));
    rt::returnByteSet(result, {reinterpret_cast<const uint8_t*>(texts.data()), texts.size()});
}

DATA_SOURCE_COMMAND(putTextBlock) {
    READ_ARGUMENTS();
    CellRange range = rangeArgument(arguments, 1);
    std::span<const uint8_t> block = arguments.bytes(5);
    source.putTexts(range.row, range.column, range.rowCount, range.columnCount,
                    {reinterpret_cast<const char*>(block.data()), block.size()});
}

DATA_SOURCE_COMMAND(mergeCells) {
    READ_ARGUMENTS();
    source.mergeCells(rangeArgument(arguments, 1));
}

DATA_SOURCE_COMMAND(splitCells) {
    READ_ARGUMENTS();
    source.splitCells(indexArgument(arguments, 1), indexArgument(arguments, 2));
}

DATA_SOURCE_COMMAND(drawLines) {
    READ_ARGUMENTS();
    source.drawLines(rangeArgument(arguments, 1), static_cast<uint32_t>(arguments.integer(5, 15)));
}

DATA_SOURCE_COMMAND(eraseLines) {
    READ_ARGUMENTS();
    source.eraseLines(rangeArgument(arguments, 1), static_cast<uint32_t>(arguments.integer(5, 15)));
}

DATA_SOURCE_COMMAND(clearCells) {
    READ_ARGUMENTS();
    source.clearCells(rangeArgument(arguments, 1));
}

DATA_SOURCE_COMMAND(getRowCount) {
    READ_ARGUMENTS();
    rt::returnInteger(result, source.rowCount());
}

DATA_SOURCE_COMMAND(getColumnCount) {
    READ_ARGUMENTS();
    rt::returnInteger(result, source.columnCount());
}

DATA_SOURCE_COMMAND(insertRows) {
    READ_ARGUMENTS();
    rt::returnLogical(result, source.insertRows(indexArgument(arguments, 1), arguments.integer(2, 1)));
}

DATA_SOURCE_COMMAND(appendRows) {
    READ_ARGUMENTS();
    rt::returnLogical(result, source.appendRows(arguments.integer(1, 1)));
}

DATA_SOURCE_COMMAND(deleteRows) {
    READ_ARGUMENTS();
    rt::returnLogical(result, source.deleteRows(indexArgument(arguments, 1), arguments.integer(2, 1)));
}

DATA_SOURCE_COMMAND(deleteRowSet) {
    READ_ARGUMENTS();
    rt::returnLogical(result, source.deleteRowSet(indexSetArgument(arguments, 1)));
}

DATA_SOURCE_COMMAND(insertColumns) {
    READ_ARGUMENTS();
    rt::returnLogical(result, source.insertColumns(indexArgument(arguments, 1), arguments.integer(2, 1)));
}

DATA_SOURCE_COMMAND(deleteColumns) {
    READ_ARGUMENTS();
    rt::returnLogical(result, source.deleteColumns(indexArgument(arguments, 1), arguments.integer(2, 1)));
}

DATA_SOURCE_COMMAND(deleteColumnSet) {
    READ_ARGUMENTS();
    rt::returnLogical(result, source.deleteColumnSet(indexSetArgument(arguments, 1)));
}

DATA_SOURCE_COMMAND(captureState) {
    READ_ARGUMENTS();
    rt::returnInteger(result, source.captureState());
}

DATA_SOURCE_COMMAND(restoreState) {
    READ_ARGUMENTS();
    rt::returnLogical(result, source.restoreState(arguments.integer(1)));
}

DATA_SOURCE_COMMAND(releaseState) {
    READ_ARGUMENTS();
    source.releaseState(arguments.integer(1));
}

DATA_SOURCE_COMMAND(matchesState) {
    READ_ARGUMENTS();
    rt::returnLogical(result, source.matchesState(arguments.integer(1)));
}

// The rows first and last, then pairs of a key column and its order (0 ascending,
// anything else descending); a key column without its order sorts ascending.
DATA_SOURCE_COMMAND(sortRows) {
    READ_ARGUMENTS();
    RowSort sort{.firstRow = indexArgument(arguments, 1), .lastRow = indexArgument(arguments, 2), .keys = {}};
    for (int index = 3; index < arguments.count(); index += 2) {
        sort.keys.push_back({indexArgument(arguments, index), arguments.integer(index + 1, 0) != 0});
    }
    rt::returnLogical(result, grid::sortRows(source, sort) == SortOutcome::Sorted);
}

// The area of findText and replaceText: the range from the given argument on, or the
// whole table when it is left out.
CellRange searchAreaArgument(const Arguments& arguments, int first, const DataSrc& source) {
    if (!arguments.isGiven(first)) return {0, 0, source.rowCount(), source.columnCount()};
    return rangeArgument(arguments, first);
}

// The number of cells that hold the text; -1 for the empty text or a regular
// expression that does not compile.
DATA_SOURCE_COMMAND(findText) {
    READ_ARGUMENTS();
    TextPattern pattern;
    if (!pattern.create(arguments.text(1), searchOptionsFromFlags(arguments.integer(2, 0)))) {
        rt::returnInteger(result, -1);
        return;
    }
    const int64_t count = countMatches(source, searchAreaArgument(arguments, 3, source), pattern);
    rt::returnInteger(result, static_cast<int32_t>(count));
}

// The number of cells changed, or -1 as for findText.
DATA_SOURCE_COMMAND(replaceText) {
    READ_ARGUMENTS();
    TextPattern pattern;
    if (!pattern.create(arguments.text(1), searchOptionsFromFlags(arguments.integer(3, 0)))) {
        rt::returnInteger(result, -1);
        return;
    }
    const int64_t count = replaceAll(source, searchAreaArgument(arguments, 4, source), pattern, arguments.text(2));
    rt::returnInteger(result, static_cast<int32_t>(count));
}

DATA_SOURCE_COMMAND(beginBatch) {
    READ_ARGUMENTS();
    source.beginBatch();
}

DATA_SOURCE_COMMAND(endBatch) {
    READ_ARGUMENTS();
    source.endBatch();
}

constexpr std::array kCommands = {
    NamedCommand{"getRowHeight", getRowHeight},     NamedCommand{"setRowHeight", setRowHeight},
    NamedCommand{"getColumnWidth", getColumnWidth}, NamedCommand{"setColumnWidth", setColumnWidth},
    NamedCommand{"getCellKind", getCellKind},       NamedCommand{"setCellKind", setCellKind},
    NamedCommand{"getTextColor", getTextColor},     NamedCommand{"setTextColor", setTextColor},
    NamedCommand{"getBackColor", getBackColor},     NamedCommand{"setBackColor", setBackColor},
    NamedCommand{"getFontName", getFontName},       NamedCommand{"setFontName", setFontName},
    NamedCommand{"getFontSize", getFontSize},       NamedCommand{"setFontSize", setFontSize},
    NamedCommand{"getFontStyle", getFontStyle},     NamedCommand{"setFontStyle", setFontStyle},
    NamedCommand{"getMargin", getMargin},           NamedCommand{"setMargin", setMargin},
    NamedCommand{"setInputType", setInputType},     NamedCommand{"setAlignment", setAlignment},
    NamedCommand{"getCellText", getCellText},       NamedCommand{"setCellText", setCellText},
    NamedCommand{"setCellData", setCellData},       NamedCommand{"mergeCells", mergeCells},
    NamedCommand{"splitCells", splitCells},         NamedCommand{"drawLines", drawLines},
    NamedCommand{"eraseLines", eraseLines},         NamedCommand{"clearCells", clearCells},
    NamedCommand{"getRowCount", getRowCount},       NamedCommand{"getColumnCount", getColumnCount},
    NamedCommand{"insertRows", insertRows},         NamedCommand{"appendRows", appendRows},
    NamedCommand{"deleteRows", deleteRows},         NamedCommand{"insertColumns", insertColumns},
    NamedCommand{"deleteColumns", deleteColumns},   NamedCommand{"captureState", captureState},
    NamedCommand{"restoreState", restoreState},     NamedCommand{"releaseState", releaseState},
    NamedCommand{"beginBatch", beginBatch},         NamedCommand{"endBatch", endBatch},
    NamedCommand{"getTextBlock", getTextBlock},     NamedCommand{"putTextBlock", putTextBlock},
    NamedCommand{"deleteRowSet", deleteRowSet},     NamedCommand{"deleteColumnSet", deleteColumnSet},
    NamedCommand{"matchesState", matchesState},     NamedCommand{"sortRows", sortRows},
    NamedCommand{"findText", findText},             NamedCommand{"replaceText", replaceText},
};

}  // namespace

std::span<const NamedCommand> dataSourceCommands() { return kCommands; }

}  // namespace grid
