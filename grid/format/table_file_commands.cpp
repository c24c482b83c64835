#include "grid/format/table_file_commands.h"

#include <array>
#include <string>

#include "grid/format/cell_block.h"
#include "grid/format/table_file_io.h"
#include "grid/model/command_arguments.h"
#include "runtime/value/file_name.h"

namespace grid {
namespace {

using rt::Arguments;
using rt::Value;

void saveToFile(Value* result, int argumentCount, const Value* argumentValues) {
    Arguments arguments(argumentCount, argumentValues);
    DataSrc& source = dataSourceArgument(arguments);
    rt::returnLogical(result, saveTableFile(source, rt::pathFromText(arguments.text(1)).string()));
}

// Beside a table the person opened: see saveBackupFile.
void saveBackupTo(Value* result, int argumentCount, const Value* argumentValues) {
    Arguments arguments(argumentCount, argumentValues);
    DataSrc& source = dataSourceArgument(arguments);
    rt::returnLogical(result, saveBackupFile(source, rt::pathFromText(arguments.text(1)).string(),
                                             rt::pathFromText(arguments.text(2)).string()));
}

void loadFromFile(Value* result, int argumentCount, const Value* argumentValues) {
    Arguments arguments(argumentCount, argumentValues);
    DataSrc& source = dataSourceArgument(arguments);
    rt::returnLogical(result, loadTableFile(source, rt::pathFromText(arguments.text(1)).string()) == ReadError::None);
}

void getCellBlock(Value* result, int argumentCount, const Value* argumentValues) {
    Arguments arguments(argumentCount, argumentValues);
    DataSrc& source = dataSourceArgument(arguments);
    rt::returnByteSet(result, encodeCellBlock(source, rangeArgument(arguments, 1)));
}

void putCellBlock(Value* result, int argumentCount, const Value* argumentValues) {
    Arguments arguments(argumentCount, argumentValues);
    DataSrc& source = dataSourceArgument(arguments);
    PasteOptions options{.grow = arguments.logical(4, true)};
    PasteOutcome outcome = pasteCellBlock(source, indexArgument(arguments, 1), indexArgument(arguments, 2),
                                          arguments.bytes(3), options);
    rt::returnLogical(result, outcome.succeeded);
}

constexpr std::array kCommands = {
    NamedCommand{"saveToFile", saveToFile},
    NamedCommand{"saveBackupTo", saveBackupTo},
    NamedCommand{"loadFromFile", loadFromFile},
    NamedCommand{"getCellBlock", getCellBlock},
    NamedCommand{"putCellBlock", putCellBlock},
};

}  // namespace

std::span<const NamedCommand> tableFileCommands() { return kCommands; }

}  // namespace grid
