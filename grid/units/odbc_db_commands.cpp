#include "grid/units/odbc_db_commands.h"

#include <array>

#include "grid/units/odbc_db_unit.h"
#include "runtime/value/unit_registry.h"

namespace grid {
namespace {

using rt::Value;

OdbcDbUnit& unitArgument(int argumentCount, const Value* arguments) {
    return rt::unitObjectAs<OdbcDbUnit>(rt::Arguments(argumentCount, arguments).unit(0));
}

void open(Value* result, int argumentCount, const Value* arguments) {
    rt::Arguments given(argumentCount, arguments);
    rt::returnLogical(result, unitArgument(argumentCount, arguments).open(given.text(1), given.logical(3)));
}

void getConnectString(Value* result, int argumentCount, const Value* arguments) {
    rt::returnText(result, unitArgument(argumentCount, arguments).connectString());
}

void close(Value*, int argumentCount, const Value* arguments) { unitArgument(argumentCount, arguments).close(); }

constexpr std::array kCommands{
    NamedCommand{"open", open},
    NamedCommand{"getConnectString", getConnectString},
    NamedCommand{"close", close},
};

}  // namespace

std::span<const NamedCommand> odbcDbCommands() { return kCommands; }

}  // namespace grid
