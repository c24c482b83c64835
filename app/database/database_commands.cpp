#include "app/database/database_commands.h"

#include "app/document/document_commands.h"
#include "app/edit/table_change.h"
#include "app/settings/table_settings.h"
#include "app/state/app_state.h"
#include "app/units/database_ref.h"
#include "app/window_ids.h"
#include "grid/provider/connection_password.h"
#include "grid/units/gbk_text_codec.h"
#include "runtime/window/message_box.h"
#include "runtime/window/unit_access.h"

namespace app {
namespace {

constexpr std::string_view kSettingsSection = "数据库";
constexpr std::string_view kConnectionKey = "连接文本";
constexpr std::string_view kExternalProvider = "外部数据提供者1";
constexpr std::string_view kMemoryProvider = "通用提供者1";

// The settings file is plain text that others may read: the password is asked for
// again on the next connect instead.
std::string rememberedConnection(std::string_view connection) {
    grid::GbkTextCodec codec;
    return codec.toGbk(grid::withoutPassword(codec.toUtf16(connection)));
}

}  // namespace

void connectDatabase(std::string_view connection) {
    settleUnsavedChanges(rt::message_box::YesNo);
    DatabaseRef database = mainDatabase();
    if (!database.open(connection)) return;
    ExternalProviderRef provider = externalProvider();
    provider.setConnection(database.connectString());
    appState().databaseConnected = 1;
    showUndoAvailability();
    chooseQuery();
    setMainProvider(kExternalProvider);
    settingsFile().write(kSettingsSection, kConnectionKey, rememberedConnection(provider.connection()));
}

void connectRecentDatabase() { connectDatabase(settingsFile().read(kSettingsSection, kConnectionKey, "")); }

void chooseQuery() {
    AppState& state = appState();
    if (state.databaseConnected != 1) {
        rt::showMessageBox("未连接数据库！", rt::message_box::Ok | rt::message_box::ErrorIcon, "错误：");
        return;
    }
    ExternalProviderRef provider = externalProvider();
    state.pendingQuery = provider.query();
    rt::loadWindow(window_id::SqlQueryDialog, window_id::MainWindow, true);
    if (!state.pendingQuery.empty()) provider.setQuery(state.pendingQuery);
    state.pendingQuery.clear();
}

void disconnectDatabase() {
    AppState& state = appState();
    if (state.databaseConnected != 1) return;
    state.databaseConnected = 0;
    setMainProvider(kMemoryProvider);
    showUndoAvailability();
    mainDatabase().close();
    // The provider holds a connection of its own; an empty query closes it, so that
    // nothing keeps the database (or a SQLite file) busy after disconnecting.
    externalProvider().setQuery("");
}

void closeDatabaseOnExit() {
    if (appState().databaseConnected == 1) mainDatabase().close();
}

}  // namespace app
