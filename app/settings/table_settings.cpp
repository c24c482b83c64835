#include "app/settings/table_settings.h"

#include <cmath>
#include <limits>

#include "app/state/app_state.h"
#include "runtime/value/file_name.h"
#include "runtime/value/number_text.h"

namespace app {
namespace {

// Sizes may be written with a fraction; they truncate toward zero, and anything
// beyond the 32-bit range (or no number at all) must not become undefined.
int32_t truncatedSize(std::string_view text) {
    double number = std::trunc(rt::textToNumber(text));
    if (std::isnan(number)) return 0;
    if (number >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (number <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(number);
}

}  // namespace

TableSettings readTableSettings(const rt::ProfileFile& settings, const TableDefaults& defaults) {
    using namespace table_key;
    auto text = [&](std::string_view key, std::string_view fallback) { return settings.read(Section, key, fallback); };
    TableSettings result;
    result.rows = rt::integerOf(text(Rows, defaults.rows));
    result.columns = rt::integerOf(text(Columns, defaults.columns));
    result.windowWidth = rt::integerOf(text(WindowWidth, defaults.windowWidth));
    result.windowHeight = rt::integerOf(text(WindowHeight, defaults.windowHeight));
    result.columnWidth = truncatedSize(text(ColumnWidth, defaults.columnWidth));
    result.rowHeight = truncatedSize(text(RowHeight, defaults.rowHeight));
    return result;
}

rt::ProfileFile settingsFile() { return rt::ProfileFile(rt::pathFromText(appState().settingsPath)); }

}  // namespace app
