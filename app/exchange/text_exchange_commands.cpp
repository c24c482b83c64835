#include "app/exchange/text_exchange_commands.h"

#include <string>

#include "app/document/document_paths.h"
#include "app/edit/table_change.h"
#include "app/exchange/text_exchange.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/dialog_unit.h"
#include "app/units/file_dialog_ref.h"
#include "app/window_ids.h"
#include "grid/format/table_file_signature.h"
#include "grid/format/write_target.h"
#include "runtime/value/file_name.h"
#include "runtime/window/message_box.h"
#include "runtime/window/progress_box.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app {
namespace {

constexpr uint32_t kDialog = window_id::DelimiterDialog;
constexpr std::string_view kImportCaption = "导入数据";
constexpr std::string_view kExportCaption = "导出数据";
constexpr std::string_view kTextFilter = "文本文件(*.txt)|*.txt";
constexpr std::string_view kNewLineChoice = "换行符";
constexpr std::string_view kUtf8Choice = "UTF-8";
constexpr std::string_view kUtf8WithMarkChoice = "UTF-8（带BOM）";

constexpr int32_t kCaption = rt::kFirstOwnProperty + rt::window_property::Caption;

rt::UnitAccess dialogWindow() { return rt::UnitAccess(kDialog, 0); }

DelimitedFormat formatFromDialog() {
    std::string rowSeparator = DialogUnit(kDialog, "组合框2").text();
    return {.columnSeparator = DialogUnit(kDialog, "组合框1").text(),
            .rowSeparator = rowSeparator == kNewLineChoice ? std::nullopt : std::optional(rowSeparator),
            .quoted = DialogUnit(kDialog, "选择框_引号").isChecked()};
}

TextEncoding encodingFromDialog() {
    std::string shown = DialogUnit(kDialog, "组合框_编码").text();
    if (shown == kUtf8Choice) return TextEncoding::Utf8;
    if (shown == kUtf8WithMarkChoice) return TextEncoding::Utf8WithMark;
    return TextEncoding::Gbk;
}

void complain(std::string_view caption, const std::string& text) {
    rt::showMessageBox(text, rt::message_box::Ok | rt::message_box::ExclamationIcon, caption);
}

// The encoding to read the file in: the chosen one, unless the bytes look like UTF-8
// while GBK was chosen and the person agrees to read them as UTF-8. Nothing when the
// person cancels.
std::optional<TextEncoding> confirmEncoding(const std::string& file, std::string_view bytes) {
    TextEncoding chosen = encodingFromDialog();
    if (chosen != TextEncoding::Gbk || guessEncoding(bytes) != TextEncoding::Utf8) return chosen;
    rt::MessageBoxAnswer answer = rt::showMessageBox(
        "文件“" + file + "”看来是 UTF-8 编码的文本。\n要按 UTF-8 导入吗？（选“否”按 GBK 导入）",
        rt::message_box::YesNoCancel | rt::message_box::QuestionIcon, kImportCaption);
    if (answer == rt::MessageBoxAnswer::Yes) return TextEncoding::Utf8;
    if (answer == rt::MessageBoxAnswer::No) return TextEncoding::Gbk;
    return std::nullopt;
}

// The bar's stretch from part to part + 1 of parts equal parts: an import reads the
// text in the first half and writes the table in the second.
Progress partOf(rt::ProgressBox& box, int part, int parts) {
    return [&box, part, parts](int64_t done, int64_t total) {
        int64_t share = total > 0 ? done * 1000 / total : 0;
        return box.update(part * 1000 + share, parts * 1000);
    };
}

void importFile() {
    std::optional<std::string> file = chooseFile("导入", FileDialogType::Open, kTextFilter);
    if (!file) return;
    std::optional<std::string> bytes = readFileBytes(*file);
    if (!bytes) {
        complain(kImportCaption, "无法读取文件“" + *file + "”。");
        return;
    }
    std::optional<TextEncoding> encoding = confirmEncoding(*file, *bytes);
    if (!encoding) return;
    rt::GbkFromUtf8 text = decodeFileText(*bytes, *encoding);
    bytes.reset();
    if (text.unmappable > 0) {
        std::string question = "文件中有 " + std::to_string(text.unmappable) + " 个字符无法用 GBK 表示（第一个在第 " +
                               std::to_string(text.firstUnmappableLine) +
                               " 行），导入后它们将成为“?”。\n仍要导入吗？";
        if (rt::showMessageBox(question, rt::message_box::YesNo | rt::message_box::QuestionIcon, kImportCaption) !=
            rt::MessageBoxAnswer::Yes) {
            return;
        }
    }
    ImportResult result = ImportResult::Cancelled;
    {
        rt::ProgressBox progress(kImportCaption, "正在导入，请稍候...", "取消");
        std::optional<TextLines> lines = readDelimited(text.text, formatFromDialog(), partOf(progress, 0, 2));
        if (!lines) return;
        result = importLines(mainDataSource(), *lines, partOf(progress, 1, 2));
    }
    switch (result) {
        case ImportResult::Imported:
            recordTableChange();
            rt::destroyWindow(kDialog);
            break;
        case ImportResult::TooLarge:
            complain(kImportCaption, "文件“" + *file + "”的行或列太多，表格容纳不下，没有导入。");
            break;
        case ImportResult::NothingToImport:
        case ImportResult::Cancelled: break;
    }
}

// A text written over a table file loses the table; the file dialog's own question
// names only the file, so a person who took the table's name by mistake is told.
bool mayReplace(const std::string& file) {
    if (!grid::startsAsTableFile(rt::pathFromText(file))) return true;
    std::string question = "文件“" + file + "”是一个表格文件。\n导出的文本将替换它，其中的表格会丢失。\n仍要替换吗？";
    return rt::showMessageBox(question, rt::message_box::YesNo | rt::message_box::ExclamationIcon |
                                            rt::message_box::SecondButtonDefault,
                              kExportCaption) == rt::MessageBoxAnswer::Yes;
}

void exportFile() {
    // The table's own name with the text's extension, never the table file itself.
    std::optional<std::string> file = chooseFile("导出", FileDialogType::Save, kTextFilter,
                                                 baseNameOf(appState().documentName) + ".txt");
    if (!file || !mayReplace(*file)) return;
    std::optional<std::string> text;
    {
        rt::ProgressBox progress(kExportCaption, "正在导出，请稍候...", "取消");
        text = exportLines(mainDataSource(), formatFromDialog(), partOf(progress, 0, 1));
    }
    if (!text) return;
    if (!writeFileBytes(*file, encodeFileText(*text, encodingFromDialog()))) {
        std::string refused = grid::refusedTargetMessage(*file);
        complain(kExportCaption, refused.empty() ? "无法写入文件“" + *file + "”，表格没有导出。" : refused);
        return;
    }
    rt::destroyWindow(kDialog);
}

}  // namespace

// A dialog open in either mode is closed first, so that it always opens afresh in the
// chosen one.
void openDelimiterDialog(bool importing) {
    appState().delimiterImporting = importing;
    rt::destroyWindow(kDialog);
    rt::loadWindow(kDialog, window_id::MainWindow, false);
}

void prepareDelimiterDialog() {
    dialogWindow().setText(kCaption, appState().delimiterImporting ? kImportCaption : kExportCaption);
    for (const char* box : {"组合框1", "组合框2", "组合框_编码"}) DialogUnit(kDialog, box).selectItem(0);
}

void confirmDelimiterDialog() {
    if (dialogWindow().text(kCaption) == kImportCaption) {
        importFile();
    } else {
        exportFile();
    }
}

}  // namespace app
