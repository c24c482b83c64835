#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app {

enum class FileDialogType : int32_t { Open = 0, Save = 1 };

inline constexpr std::string_view kTableFilter = "表格文件(*.bge)|*.bge";
// Opening also takes the files colleagues send, which become new tables.
inline constexpr std::string_view kOpenFilter =
    "表格文件(*.bge)|*.bge|Excel 工作簿(*.xlsx)|*.xlsx|OpenDocument 电子表格(*.ods)|*.ods|CSV 文件(*.csv)|*.csv";
// Save As also writes workbooks; the dialog adds the chosen type's extension.
inline constexpr std::string_view kSaveAsFilter = "表格文件(*.bge)|*.bge|Excel 工作簿(*.xlsx)|*.xlsx";
inline constexpr std::string_view kPictureFilter = "图片文件|*.gif;*.png;*.jpg";
inline constexpr std::string_view kTemplateFilter = "模板文件(*.mob)|*.mob";

// Sets the title, type and filter of "通用对话框1" and opens it: the chosen file name
// (a GBK text), or nothing when the user cancelled. Only a preset name replaces the
// file name that the previous use left in the dialog.
std::optional<std::string> chooseFile(std::string_view title, FileDialogType type, std::string_view filter,
                                      std::optional<std::string_view> presetName = std::nullopt);

}  // namespace app
