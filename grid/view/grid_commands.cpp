#include "grid/view/grid_commands.h"

#include <array>

#include "grid/view/grid_widget.h"
#include "runtime/value/unit_registry.h"

namespace grid {
namespace {

using rt::Value;

GridWidget& gridArgument(int argumentCount, const Value* arguments) {
    return rt::unitObjectAs<GridWidget>(rt::Arguments(argumentCount, arguments).unit(0));
}

void getSelectionRow(Value* result, int argumentCount, const Value* arguments) {
    rt::returnInteger(result, gridArgument(argumentCount, arguments).selectedRange().row + 1);
}

void getSelectionColumn(Value* result, int argumentCount, const Value* arguments) {
    rt::returnInteger(result, gridArgument(argumentCount, arguments).selectedRange().column + 1);
}

void getSelectionRowCount(Value* result, int argumentCount, const Value* arguments) {
    rt::returnInteger(result, gridArgument(argumentCount, arguments).selectedRange().rowCount);
}

void getSelectionColumnCount(Value* result, int argumentCount, const Value* arguments) {
    rt::returnInteger(result, gridArgument(argumentCount, arguments).selectedRange().columnCount);
}

void fitToWindowWidth(Value*, int argumentCount, const Value* arguments) {
    gridArgument(argumentCount, arguments).fitToWindowWidth();
}

// Beyond the selection getters: the application commits an open edit before a
// command of its own works on the table, so what was typed is never lost under it.
void commitEdit(Value*, int argumentCount, const Value* arguments) {
    gridArgument(argumentCount, arguments).commitEdit();
}

// Row and column from 1; the cell's whole merged block is selected and scrolled into
// view.
void moveCurrentCell(Value*, int argumentCount, const Value* arguments) {
    const rt::Arguments read(argumentCount, arguments);
    gridArgument(argumentCount, arguments).moveCurrentCell(read.integer(1) - 1, read.integer(2) - 1);
}

constexpr std::array kCommands{
    NamedCommand{"getSelectionRow", getSelectionRow},
    NamedCommand{"getSelectionColumn", getSelectionColumn},
    NamedCommand{"getSelectionRowCount", getSelectionRowCount},
    NamedCommand{"getSelectionColumnCount", getSelectionColumnCount},
    NamedCommand{"fitToWindowWidth", fitToWindowWidth},
    NamedCommand{"commitEdit", commitEdit},
    NamedCommand{"moveCurrentCell", moveCurrentCell},
};

}  // namespace

std::span<const NamedCommand> gridCommands() { return kCommands; }

}  // namespace grid
