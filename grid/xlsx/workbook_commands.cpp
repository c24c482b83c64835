#include "grid/xlsx/workbook_commands.h"

#include <array>
#include <string>

#include "grid/model/command_arguments.h"
#include "grid/xlsx/workbook_export.h"
#include "runtime/value/file_name.h"

namespace grid::xlsx {
namespace {

void exportWorkbookCommand(rt::Value* result, int argumentCount, const rt::Value* argumentValues) {
    rt::Arguments arguments(argumentCount, argumentValues);
    DataSrc& source = dataSourceArgument(arguments);
    std::string error;
    bool written =
        source.provider() != nullptr &&
        exportWorkbook(*source.provider(), rt::pathFromText(arguments.text(1)).string(), error);
    rt::returnLogical(result, written);
}

constexpr std::array kCommands = {
    NamedCommand{"exportWorkbook", exportWorkbookCommand},
};

}  // namespace

std::span<const NamedCommand> workbookCommands() {
    return kCommands;
}

}  // namespace grid::xlsx
