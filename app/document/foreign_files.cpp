#include "app/document/foreign_files.h"

#include <QTemporaryDir>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/document/document_commands.h"
#include "app/document/document_paths.h"
#include "app/document/document_title.h"
#include "app/document/new_table.h"
#include "app/edit/table_change.h"
#include "app/exchange/delimited_reader.h"
#include "app/exchange/text_exchange.h"
#include "app/filter/filter_commands.h"
#include "app/recovery/recovery_keeper.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/window_ids.h"
#include "grid/model/table.h"
#include "app/document/workbook_process.h"
#include "grid/workbook/lost_content.h"
#include "grid/workbook/workbook_reader.h"
#include "runtime/value/file_name.h"
#include "runtime/window/message_box.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app {
namespace {

using grid::workbook::WorkbookError;
using namespace rt::message_box;

constexpr int32_t kProviderRowCount = rt::kFirstOwnProperty + 0;
constexpr int32_t kProviderColumnCount = rt::kFirstOwnProperty + 1;

enum class ForeignKind { Xlsx, Ods, Csv };

std::optional<ForeignKind> foreignKindOf(std::string_view path) {
    if (std::optional<grid::workbook::WorkbookKind> workbook = grid::workbook::workbookKindOf(std::string(path))) {
        return *workbook == grid::workbook::WorkbookKind::Ods ? ForeignKind::Ods : ForeignKind::Xlsx;
    }
    std::string lower(path.substr(path.size() >= 4 ? path.size() - 4 : 0));
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == ".csv") return ForeignKind::Csv;
    return std::nullopt;
}

void reportError(const std::string& text) { rt::showMessageBox(text, Ok | ErrorIcon, "错误："); }

std::string workbookFailure(std::string_view path, int32_t error) {
    const std::string file = "“" + std::string(path) + "”";
    switch (static_cast<WorkbookError>(error)) {
        case WorkbookError::Unreadable: return "无法读取文件" + file + "，当前表格保持不变。";
        case WorkbookError::NotAWorkbook: return "文件" + file + "不是它的扩展名所说的工作簿，当前表格保持不变。";
        case WorkbookError::Encrypted: return "工作簿" + file + "有密码保护，无法打开。\n请在原来的程序中取消密码后再试。";
        case WorkbookError::TooLarge: return "工作簿" + file + "中的工作表太大，表格容纳不下，当前表格保持不变。";
        case WorkbookError::OutOfMemory: return "内存不足，无法打开工作簿" + file + "，当前表格保持不变。";
        case WorkbookError::NoSheet: return "工作簿" + file + "中没有工作表，当前表格保持不变。";
        default: return "工作簿" + file + "已损坏，无法打开，当前表格保持不变。";
    }
}

// The sheet to open, from 1: the only one, or the one the person picks; nothing when
// they cancel.
std::optional<int32_t> chooseSheet(const std::vector<std::string>& names) {
    if (names.size() <= 1) return 1;
    AppState& state = appState();
    state.sheetChoices = names;
    state.chosenSheet = 0;
    rt::loadWindow(window_id::SheetChoiceDialog, window_id::MainWindow, true);
    state.sheetChoices.clear();
    if (state.chosenSheet <= 0) return std::nullopt;
    return state.chosenSheet;
}

// The table shown is the file's content under the file's name, but belongs to no
// file yet: 保存 asks where to put it.
void showAsNewTable(std::string_view path) {
    recordLoadedTable();
    discardFilterSnapshot();
    AppState& state = appState();
    state.currentFilePath.clear();
    state.documentName = baseNameOf(splitPath(path).fileName);
    state.modified = 0;
    composeTitle();
    discardRecoveryCopy();
    startAtFirstCell();
    focusTable();
}

// Whether the reading went well; what went wrong is reported, naming the file.
bool readWell(std::string_view path, const WorkbookReading& reading) {
    if (reading.readerMissing) {
        reportError("找不到读取工作簿的程序 bgetool，无法打开“" + std::string(path) + "”。\n请重新安装电子表格。");
        return false;
    }
    if (reading.failedToRun) {
        reportError(workbookFailure(path, static_cast<int32_t>(WorkbookError::Damaged)));
        return false;
    }
    if (reading.error != 0) {
        reportError(workbookFailure(path, reading.error));
        return false;
    }
    return true;
}

// The workbook is read by a process of its own, which lists the sheets and then writes
// the chosen one as a private table file for the editor to load.
bool openWorkbook(std::string_view path) {
    const WorkbookReading listing = readWorkbookApart(path);
    if (!readWell(path, listing)) return false;
    std::optional<int32_t> sheet = chooseSheet(listing.sheetNames);
    if (!sheet) return false;
    QTemporaryDir directory;
    if (!directory.isValid()) {
        reportError("无法建立临时文件夹，没有打开“" + std::string(path) + "”。");
        return false;
    }
    const std::filesystem::path table = std::filesystem::path(directory.path().toStdString()) / "sheet.bge";
    if (!readWell(path, readWorkbookApart(path, *sheet, table.string()))) return false;
    if (!mainDataSource().loadFromFile(rt::textFromPath(table))) {
        reportError(workbookFailure(path, static_cast<int32_t>(WorkbookError::Damaged)));
        return false;
    }
    showAsNewTable(path);
    std::string lost;
    for (int32_t kind : listing.lost) {
        if (!lost.empty()) lost += "、";
        lost += grid::workbook::lostKindName(static_cast<grid::workbook::LostKind>(kind));
    }
    if (!lost.empty()) rt::showMessageBox("以下内容未能导入：" + lost + "。", Ok | InformationIcon, "提示：");
    return true;
}

// Comma-separated text as office suites write it: fields in double quotes may hold
// commas, quotes and line breaks; UTF-8 with or without its mark, or GBK.
bool openCsv(std::string_view path) {
    std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        reportError("无法读取文件“" + std::string(path) + "”，当前表格保持不变。");
        return false;
    }
    rt::GbkFromUtf8 text = decodeFileText(*bytes, guessEncoding(*bytes));
    bytes.reset();
    std::optional<TextLines> lines = readDelimited(text.text, DelimitedFormat{.columnSeparator = ",", .quoted = true});
    if (!lines) return false;
    if (!grid::fitsLimits(static_cast<int64_t>(lines->fieldCounts.size()), lines->widest)) {
        reportError("文件“" + std::string(path) + "”的行或列太多，表格容纳不下，当前表格保持不变。");
        return false;
    }
    newTable();
    // The table takes the text's own extent: a one-cell table grows to it.
    rt::UnitAccess provider(window_id::MainWindow, main_unit::Provider);
    provider.setInteger(kProviderRowCount, 1);
    provider.setInteger(kProviderColumnCount, 1);
    importLines(mainDataSource(), *lines);
    showAsNewTable(path);
    if (text.unmappable > 0) {
        rt::showMessageBox("文件中有 " + std::to_string(text.unmappable) + " 个字符无法用 GBK 表示，已成为“?”。",
                           Ok | InformationIcon, "提示：");
    }
    return true;
}

}  // namespace

bool isForeignFile(std::string_view path) { return foreignKindOf(path).has_value(); }

bool openForeignFile(std::string_view path) {
    std::optional<ForeignKind> kind = foreignKindOf(path);
    if (!kind) return false;
    return *kind == ForeignKind::Csv ? openCsv(path) : openWorkbook(path);
}

}  // namespace app
