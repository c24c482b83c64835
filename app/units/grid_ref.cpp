#include "app/units/grid_ref.h"

#include <string_view>

#include "app/window_ids.h"
#include "grid/view/grid_commands.h"
#include "runtime/value/call.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app {
namespace {

rt::CommandRoutine gridCommand(std::string_view name) {
    for (const grid::NamedCommand& command : grid::gridCommands()) {
        if (command.name == name) return command.routine;
    }
    return nullptr;
}

// The grid unit's own property numbers.
constexpr int32_t kLineColorProperty = 1;
constexpr int32_t kZoomProperty = 3;

}  // namespace

rt::UnitAccess GridRef::access() const { return rt::UnitAccess(unit_.windowId, unit_.unitId); }

int32_t GridRef::integerCommand(const char* name) const {
    rt::Value result = rt::callCommand(gridCommand(name), {unit_.toValue()});
    return static_cast<int32_t>(result.low);
}

int32_t GridRef::selectionRow() const { return integerCommand("getSelectionRow"); }
int32_t GridRef::selectionColumn() const { return integerCommand("getSelectionColumn"); }
int32_t GridRef::selectionRowCount() const { return integerCommand("getSelectionRowCount"); }
int32_t GridRef::selectionColumnCount() const { return integerCommand("getSelectionColumnCount"); }
SelectedRange GridRef::selection() const {
    return {selectionRow(), selectionColumn(), selectionRowCount(), selectionColumnCount()};
}

void GridRef::fitToWindowWidth() const { rt::callCommand(gridCommand("fitToWindowWidth"), {unit_.toValue()}); }

void GridRef::commitEdit() const { rt::callCommand(gridCommand("commitEdit"), {unit_.toValue()}); }

void GridRef::moveCurrentCell(int32_t row, int32_t column) const {
    rt::callCommand(gridCommand("moveCurrentCell"),
                    {unit_.toValue(), rt::Value::integer(row), rt::Value::integer(column)});
}

int32_t GridRef::zoom() const { return access().integer(rt::kFirstOwnProperty + kZoomProperty); }

void GridRef::setZoom(int32_t percent) const { access().setInteger(rt::kFirstOwnProperty + kZoomProperty, percent); }

void GridRef::setLineColor(uint32_t color) const {
    access().setInteger(rt::kFirstOwnProperty + kLineColorProperty, static_cast<int32_t>(color));
}

GridRef mainGrid() { return GridRef({window_id::MainWindow, main_unit::Grid, rt::unit_kind::Grid}); }

}  // namespace app
