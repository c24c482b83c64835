#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/platform/profile_file.h"

namespace app {

// The keys of section "表格" of the settings file.
namespace table_key {
inline constexpr std::string_view Section = "表格";
inline constexpr std::string_view Rows = "行数";
inline constexpr std::string_view Columns = "列数";
inline constexpr std::string_view WindowWidth = "窗口宽";
inline constexpr std::string_view WindowHeight = "窗口高";
inline constexpr std::string_view ColumnWidth = "列宽";
inline constexpr std::string_view RowHeight = "行高";
}  // namespace table_key

// The texts a missing key stands for.
struct TableDefaults {
    std::string_view rows;
    std::string_view columns;
    std::string_view windowWidth;
    std::string_view windowHeight;
    std::string_view columnWidth;
    std::string_view rowHeight;
};

// A new table and the table properties dialog fill in missing keys differently; both
// sets are part of how the program has always behaved, so both stay.
inline constexpr TableDefaults kNewTableDefaults{"30", "8", "800", "600", "250", "65"};
inline constexpr TableDefaults kPropertiesDialogDefaults{"30", "8", "735", "510", "300", "65"};

// The settings as numbers: counts in rows and columns, the window in pixels, widths
// and heights in 0.1 mm. Text that is no number reads as 0.
struct TableSettings {
    int32_t rows = 0;
    int32_t columns = 0;
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    int32_t columnWidth = 0;
    int32_t rowHeight = 0;
};

TableSettings readTableSettings(const rt::ProfileFile& settings, const TableDefaults& defaults);

// The settings file that AppState names.
rt::ProfileFile settingsFile();

}  // namespace app
