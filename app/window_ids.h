#pragma once

#include <cstdint>

namespace app {

// The windows of the application, by the ids their templates carry.
namespace window_id {
inline constexpr uint32_t MainWindow = 0x52010001;
inline constexpr uint32_t InsertRowColDialog = 0x5201013B;
inline constexpr uint32_t TablePropertiesDialog = 0x5201143A;
inline constexpr uint32_t CellPropertiesDialog = 0x52011497;
inline constexpr uint32_t InsertTimeDialog = 0x52011518;
inline constexpr uint32_t FilterDialog = 0x52011525;
inline constexpr uint32_t ZoomDialog = 0x52011662;
inline constexpr uint32_t SqlQueryDialog = 0x52011788;
inline constexpr uint32_t AboutDialog = 0x5201511B;
inline constexpr uint32_t PasteWithSymbolsDialog = 0x520151C3;
inline constexpr uint32_t HelpDialog = 0x52019D8C;
inline constexpr uint32_t DelimiterDialog = 0x5202D304;
inline constexpr uint32_t SheetChoiceDialog = 0x5202D401;
inline constexpr uint32_t FindDialog = 0x5202D403;
inline constexpr uint32_t ReplaceDialog = 0x5202D405;
inline constexpr uint32_t SortDialog = 0x5202D407;
}  // namespace window_id

// Units of the main window that the routines address.
namespace main_unit {
inline constexpr uint32_t Database = 0x16010001;
inline constexpr uint32_t ExternalProvider = 0x16010009;
inline constexpr uint32_t StatusBar = 0x16010002;
inline constexpr uint32_t CommonDialog = 0x16010005;
inline constexpr uint32_t Provider = 0x16010006;
inline constexpr uint32_t FormatToolBar = 0x16010007;
inline constexpr uint32_t MainToolBar = 0x16010008;
inline constexpr uint32_t DataSource = 0x1601000A;
inline constexpr uint32_t Grid = 0x16010003;
}  // namespace main_unit

}  // namespace app
