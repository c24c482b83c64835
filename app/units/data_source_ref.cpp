#include "app/units/data_source_ref.h"

#include "app/window_ids.h"
#include "grid/format/table_file_commands.h"
#include "grid/model/data_source_commands.h"
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

std::vector<uint8_t> DataSourceRef::cellBlock(int32_t row, int32_t column, int32_t rowCount,
                                              int32_t columnCount) const {
    rt::OwnedByteSet block(call("getCellBlock", {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column),
                                                 rt::Value::integer(rowCount), rt::Value::integer(columnCount)}));
    return {block.bytes().begin(), block.bytes().end()};
}

std::vector<uint8_t> DataSourceRef::wholeTableBlock() const { return cellBlock(1, 1, rowCount(), columnCount()); }

bool DataSourceRef::saveToFile(std::string_view path) const {
    std::string terminated(path);
    return call("saveToFile", {unit_.toValue(), rt::Value::text(terminated.c_str())}).low != 0;
}

bool DataSourceRef::loadFromFile(std::string_view path) const {
    std::string terminated(path);
    return call("loadFromFile", {unit_.toValue(), rt::Value::text(terminated.c_str())}).low != 0;
}

DataSourceRef mainDataSource() {
    return DataSourceRef({window_id::MainWindow, main_unit::DataSource, rt::unit_kind::DataSrc});
}

}  // namespace app
