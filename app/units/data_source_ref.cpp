#include "app/units/data_source_ref.h"

#include "app/window_ids.h"
#include "grid/format/table_file_commands.h"
#include "grid/model/data_source_commands.h"
#include "grid/xlsx/workbook_commands.h"
#include "runtime/value/blocks.h"
#include "runtime/value/call.h"
#include "runtime/value/owned.h"

namespace app {
namespace {

rt::CommandRoutine dataSourceCommand(std::string_view name) {
    for (const grid::NamedCommand& command : grid::dataSourceCommands()) {
        if (command.name == name) return command.routine;
    }
    for (const grid::NamedCommand& command : grid::tableFileCommands()) {
        if (command.name == name) return command.routine;
    }
    for (const grid::NamedCommand& command : grid::xlsx::workbookCommands()) {
        if (command.name == name) return command.routine;
    }
    return nullptr;
}

rt::Value call(std::string_view name, std::initializer_list<rt::Value> arguments) {
    return rt::callCommand(dataSourceCommand(name), arguments);
}

}  // namespace

int32_t DataSourceRef::rowCount() const { return static_cast<int32_t>(call("getRowCount", {unit_.toValue()}).low); }

int32_t DataSourceRef::columnCount() const {
    return static_cast<int32_t>(call("getColumnCount", {unit_.toValue()}).low);
}

int32_t DataSourceRef::rowHeight(int32_t row) const {
    return static_cast<int32_t>(call("getRowHeight", {unit_.toValue(), rt::Value::integer(row)}).low);
}

int32_t DataSourceRef::columnWidth(int32_t column) const {
    return static_cast<int32_t>(call("getColumnWidth", {unit_.toValue(), rt::Value::integer(column)}).low);
}

void DataSourceRef::setRowHeight(int32_t firstRow, int32_t count, int32_t height) const {
    call("setRowHeight",
         {unit_.toValue(), rt::Value::integer(firstRow), rt::Value::integer(count), rt::Value::integer(height)});
}

void DataSourceRef::setColumnWidth(int32_t firstColumn, int32_t count, int32_t width) const {
    call("setColumnWidth",
         {unit_.toValue(), rt::Value::integer(firstColumn), rt::Value::integer(count), rt::Value::integer(width)});
}

std::string DataSourceRef::cellText(int32_t row, int32_t column) const {
    return rt::OwnedText(call("getCellText", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column)}))
        .str();
}

void DataSourceRef::setCellText(int32_t row, int32_t column, std::string_view text) const {
    std::string terminated(text);
    call("setCellText", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                         rt::Value::text(terminated.c_str())});
}

void DataSourceRef::clearCells(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount) const {
    call("clearCells", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                        rt::Value::integer(rowCount), rt::Value::integer(columnCount)});
}

void DataSourceRef::setCellKind(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                                int32_t kind) const {
    call("setCellKind", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                         rt::Value::integer(rowCount), rt::Value::integer(columnCount), rt::Value::integer(kind)});
}

void DataSourceRef::mergeCells(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount) const {
    call("mergeCells", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                        rt::Value::integer(rowCount), rt::Value::integer(columnCount)});
}

namespace {

// The range commands that take one more integer after the four range values.
void rangeCommand(rt::UnitRef unit, std::string_view name, int32_t row, int32_t column, int32_t rowCount,
                  int32_t columnCount, int32_t value) {
    call(name, {unit.toValue(), rt::Value::integer(row), rt::Value::integer(column), rt::Value::integer(rowCount),
                rt::Value::integer(columnCount), rt::Value::integer(value)});
}

}  // namespace

void DataSourceRef::setTextColor(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                                 uint32_t color) const {
    rangeCommand(unit_, "setTextColor", row, column, rowCount, columnCount, static_cast<int32_t>(color));
}

void DataSourceRef::setBackColor(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                                 uint32_t color) const {
    rangeCommand(unit_, "setBackColor", row, column, rowCount, columnCount, static_cast<int32_t>(color));
}

void DataSourceRef::setAlignment(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                                 int32_t code) const {
    rangeCommand(unit_, "setAlignment", row, column, rowCount, columnCount, code);
}

void DataSourceRef::drawLines(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                              uint32_t lines) const {
    rangeCommand(unit_, "drawLines", row, column, rowCount, columnCount, static_cast<int32_t>(lines));
}

void DataSourceRef::eraseLines(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                               uint32_t lines) const {
    rangeCommand(unit_, "eraseLines", row, column, rowCount, columnCount, static_cast<int32_t>(lines));
}

void DataSourceRef::setInputType(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                                 int32_t type) const {
    rangeCommand(unit_, "setInputType", row, column, rowCount, columnCount, type);
}

void DataSourceRef::setFontSize(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                                int32_t size) const {
    rangeCommand(unit_, "setFontSize", row, column, rowCount, columnCount, size);
}

void DataSourceRef::setFontName(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                                std::string_view name) const {
    std::string terminated(name);
    call("setFontName", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                         rt::Value::integer(rowCount), rt::Value::integer(columnCount),
                         rt::Value::text(terminated.c_str())});
}

void DataSourceRef::setFontStyle(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                                 int32_t style) const {
    rangeCommand(unit_, "setFontStyle", row, column, rowCount, columnCount, style);
}

void DataSourceRef::setMargin(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                              int32_t margin) const {
    rangeCommand(unit_, "setMargin", row, column, rowCount, columnCount, margin);
}

uint32_t DataSourceRef::textColor(int32_t row, int32_t column) const {
    return call("getTextColor", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column)}).low;
}

uint32_t DataSourceRef::backColor(int32_t row, int32_t column) const {
    return call("getBackColor", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column)}).low;
}

int32_t DataSourceRef::fontSize(int32_t row, int32_t column) const {
    return static_cast<int32_t>(
        call("getFontSize", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column)}).low);
}

std::string DataSourceRef::fontName(int32_t row, int32_t column) const {
    return rt::OwnedText(call("getFontName", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column)}))
        .str();
}

int32_t DataSourceRef::fontStyle(int32_t row, int32_t column) const {
    return static_cast<int32_t>(
        call("getFontStyle", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column)}).low);
}

int32_t DataSourceRef::margin(int32_t row, int32_t column) const {
    return static_cast<int32_t>(
        call("getMargin", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column)}).low);
}

int32_t DataSourceRef::cellKind(int32_t row, int32_t column) const {
    return static_cast<int32_t>(
        call("getCellKind", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column)}).low);
}

void DataSourceRef::setCellData(int32_t row, int32_t column, const std::vector<uint8_t>& bytes) const {
    rt::OwnedBlock data(rt::Value::byteSet(rt::makeByteSet(bytes)));
    call("setCellData", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                         rt::Value::byteSet(data.get())});
}

void DataSourceRef::splitCells(int32_t row, int32_t column) const {
    call("splitCells", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column)});
}

bool DataSourceRef::insertRows(int32_t at, int32_t count) const {
    return call("insertRows", {unit_.toValue(), rt::Value::integer(at), rt::Value::integer(count)}).low != 0;
}

bool DataSourceRef::appendRows(int32_t count) const {
    return call("appendRows", {unit_.toValue(), rt::Value::integer(count)}).low != 0;
}

bool DataSourceRef::deleteRows(int32_t at, int32_t count) const {
    return call("deleteRows", {unit_.toValue(), rt::Value::integer(at), rt::Value::integer(count)}).low != 0;
}

bool DataSourceRef::insertColumns(int32_t at, int32_t count) const {
    return call("insertColumns", {unit_.toValue(), rt::Value::integer(at), rt::Value::integer(count)}).low != 0;
}

bool DataSourceRef::deleteColumns(int32_t at, int32_t count) const {
    return call("deleteColumns", {unit_.toValue(), rt::Value::integer(at), rt::Value::integer(count)}).low != 0;
}

std::vector<uint8_t> DataSourceRef::cellBlock(int32_t row, int32_t column, int32_t rowCount,
                                              int32_t columnCount) const {
    rt::OwnedByteSet block(call("getCellBlock", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                                                 rt::Value::integer(rowCount), rt::Value::integer(columnCount)}));
    return {block.bytes().begin(), block.bytes().end()};
}

bool DataSourceRef::putCellBlock(int32_t row, int32_t column, const std::vector<uint8_t>& block, bool grow) const {
    rt::OwnedBlock bytes(rt::Value::byteSet(rt::makeByteSet(block)));
    return call("putCellBlock", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                                 rt::Value::byteSet(bytes.get()), rt::Value::logical(grow)})
               .low != 0;
}

std::string DataSourceRef::textBlock(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount) const {
    rt::OwnedByteSet block(call("getTextBlock", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                                                 rt::Value::integer(rowCount), rt::Value::integer(columnCount)}));
    return {reinterpret_cast<const char*>(block.bytes().data()), block.bytes().size()};
}

void DataSourceRef::putTextBlock(int32_t row, int32_t column, int32_t rowCount, int32_t columnCount,
                                 std::string_view block) const {
    rt::OwnedBlock bytes(rt::Value::byteSet(rt::makeByteSet(block)));
    call("putTextBlock", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                          rt::Value::integer(rowCount), rt::Value::integer(columnCount),
                          rt::Value::byteSet(bytes.get())});
}

namespace {

bool deleteNumberSet(rt::UnitRef unit, std::string_view command, const std::vector<int32_t>& numbers) {
    std::vector<uint8_t> bytes;
    bytes.reserve(numbers.size() * 4);
    for (int32_t number : numbers) {
        auto value = static_cast<uint32_t>(number);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
    rt::OwnedBlock set(rt::Value::byteSet(rt::makeByteSet(bytes)));
    return call(command, {unit.toValue(), rt::Value::byteSet(set.get())}).low != 0;
}

}  // namespace

bool DataSourceRef::deleteRowSet(const std::vector<int32_t>& rows) const {
    return deleteNumberSet(unit_, "deleteRowSet", rows);
}

bool DataSourceRef::deleteColumnSet(const std::vector<int32_t>& columns) const {
    return deleteNumberSet(unit_, "deleteColumnSet", columns);
}

int32_t DataSourceRef::captureState() const {
    return static_cast<int32_t>(call("captureState", {unit_.toValue()}).low);
}

bool DataSourceRef::restoreState(int32_t state) const {
    return call("restoreState", {unit_.toValue(), rt::Value::integer(state)}).low != 0;
}

void DataSourceRef::releaseState(int32_t state) const {
    call("releaseState", {unit_.toValue(), rt::Value::integer(state)});
}

bool DataSourceRef::matchesState(int32_t state) const {
    return call("matchesState", {unit_.toValue(), rt::Value::integer(state)}).low != 0;
}

void DataSourceRef::beginBatch() const { call("beginBatch", {unit_.toValue()}); }

void DataSourceRef::endBatch() const { call("endBatch", {unit_.toValue()}); }

bool DataSourceRef::saveToFile(std::string_view path) const {
    std::string terminated(path);
    return call("saveToFile", {unit_.toValue(), rt::Value::text(terminated.c_str())}).low != 0;
}

bool DataSourceRef::saveBackupTo(std::string_view backupPath, std::string_view originalPath) const {
    std::string backup(backupPath);
    std::string original(originalPath);
    return call("saveBackupTo",
                {unit_.toValue(), rt::Value::text(backup.c_str()), rt::Value::text(original.c_str())})
               .low != 0;
}

bool DataSourceRef::loadFromFile(std::string_view path) const {
    std::string terminated(path);
    return call("loadFromFile", {unit_.toValue(), rt::Value::text(terminated.c_str())}).low != 0;
}

bool DataSourceRef::exportWorkbook(std::string_view path) const {
    std::string terminated(path);
    return call("exportWorkbook", {unit_.toValue(), rt::Value::text(terminated.c_str())}).low != 0;
}

DataSourceRef mainDataSource() {
    return DataSourceRef({window_id::MainWindow, main_unit::DataSource, rt::unit_kind::DataSrc});
}

}  // namespace app
