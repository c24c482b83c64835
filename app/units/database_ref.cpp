#include "app/units/database_ref.h"

#include "app/window_ids.h"
#include "grid/units/odbc_db_commands.h"
#include "runtime/value/call.h"
#include "runtime/value/owned.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app {
namespace {

rt::Value call(std::string_view name, std::initializer_list<rt::Value> arguments) {
    for (const grid::NamedCommand& command : grid::odbcDbCommands()) {
        if (command.name == name) return rt::callCommand(command.routine, arguments);
    }
    return {};
}

rt::UnitAccess accessOf(rt::UnitRef unit) { return rt::UnitAccess(unit.windowId, unit.unitId); }

// Own property numbers: the provider's connection text and query, the data source's
// provider name.
constexpr int32_t kConnectionProperty = rt::kFirstOwnProperty;
constexpr int32_t kQueryProperty = rt::kFirstOwnProperty + 1;
constexpr int32_t kProviderNameProperty = rt::kFirstOwnProperty;

}  // namespace

bool DatabaseRef::open(std::string_view connection) const {
    std::string terminated(connection);
    return call("open", {unit_.toValue(), rt::Value::text(terminated.c_str())}).low != 0;
}

std::string DatabaseRef::connectString() const { return rt::OwnedText(call("getConnectString", {unit_.toValue()})).str(); }

void DatabaseRef::close() const { call("close", {unit_.toValue()}); }

std::string ExternalProviderRef::connection() const { return accessOf(unit_).text(kConnectionProperty); }
void ExternalProviderRef::setConnection(std::string_view connection) const {
    accessOf(unit_).setText(kConnectionProperty, connection);
}
std::string ExternalProviderRef::query() const { return accessOf(unit_).text(kQueryProperty); }
void ExternalProviderRef::setQuery(std::string_view query) const { accessOf(unit_).setText(kQueryProperty, query); }

DatabaseRef mainDatabase() { return DatabaseRef({window_id::MainWindow, main_unit::Database, rt::unit_kind::OdbcDb}); }

ExternalProviderRef externalProvider() {
    return ExternalProviderRef({window_id::MainWindow, main_unit::ExternalProvider, rt::unit_kind::OdbcProvider});
}

void setMainProvider(std::string_view providerName) {
    rt::UnitAccess(window_id::MainWindow, main_unit::DataSource).setText(kProviderNameProperty, providerName);
}

}  // namespace app
