#include "app/units/print_ref.h"

#include <string_view>

#include "app/edit/table_change.h"
#include "app/window_ids.h"
#include "grid/print/print_commands.h"
#include "runtime/value/call.h"
#include "runtime/value/owned.h"

namespace app {
namespace {

rt::Value call(std::string_view name, std::initializer_list<rt::Value> arguments) {
    for (const grid::NamedCommand& command : grid::printCommands()) {
        if (command.name == name) return rt::callCommand(command.routine, arguments);
    }
    return {};
}

rt::UnitRef mainGridUnit() { return {window_id::MainWindow, main_unit::Grid, rt::unit_kind::Grid}; }
rt::UnitRef mainDataSourceUnit() { return {window_id::MainWindow, main_unit::DataSource, rt::unit_kind::DataSrc}; }

}  // namespace

bool MainPrinting::pageSetup() const { return call("pageSetup", {mainDataSourceUnit().toValue()}).low != 0; }

void MainPrinting::preview() const { call("printPreview", {mainGridUnit().toValue()}); }

std::string MainPrinting::print() const {
    return rt::OwnedText(call("print", {mainGridUnit().toValue()})).str();
}

void watchPageSettingsChanges() { grid::setPageSettingsObserver(recordPageSettingsChange); }

}  // namespace app
