#include "app/document/document_commands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <optional>
#include <string>

#include "app/document/document_paths.h"
#include "app/document/document_title.h"
#include "app/edit/table_change.h"
#include "app/filter/filter_commands.h"
#include "app/recovery/recovery_keeper.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/file_dialog_ref.h"
#include "app/units/grid_ref.h"
#include "app/units/status_bar_ref.h"
#include "app/window_ids.h"
#include "grid/format/write_target.h"
#include "runtime/value/file_name.h"
#include "runtime/window/message_box.h"
#include "runtime/window/unit_access.h"

namespace app {
namespace {

using namespace rt::message_box;

void reportError(const std::string& text) { rt::showMessageBox(text, Ok | ErrorIcon, "错误："); }

// A name someone else planted in a shared folder is said as such: checking the disk
// would not help the person.
void reportWriteFailure(std::string_view path, const std::string& otherwise) {
    std::string refused = grid::refusedTargetMessage(std::string(path));
    reportError(refused.empty() ? otherwise : refused);
}

void reportSaveFailure(std::string_view path) {
    reportWriteFailure(path, "无法保存到文件“" + std::string(path) + "”，表格没有保存。\n请检查磁盘空间、写入权限和文件名。");
}

void reportOpenFailure(std::string_view path) {
    reportError("无法打开表格文件“" + std::string(path) + "”，当前表格保持不变。");
}

void reportExportFailure(std::string_view path) {
    reportWriteFailure(path, "无法导出到文件“" + std::string(path) + "”。\n请检查磁盘空间、写入权限和文件名。");
}

// Only a backup this person's editor could have written is restored: a file someone
// else left under that name in a shared folder is not theirs.
bool isOwnBackup(const std::string& path) {
    struct stat status;
    return ::lstat(rt::pathFromText(path).c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_uid == ::geteuid();
}

bool namesWorkbook(std::string_view path) {
    constexpr std::string_view kExtension = ".xlsx";
    if (path.size() < kExtension.size()) return false;
    std::string_view tail = path.substr(path.size() - kExtension.size());
    for (size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != kExtension[i]) return false;
    }
    return true;
}

// A workbook is a copy for other programs, which cannot be opened again as this
// table: the document keeps its file, its name and its modified mark.
SaveOutcome exportDocumentTo(std::string_view path) {
    if (!mainDataSource().exportWorkbook(path)) {
        reportExportFailure(path);
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Exported;
}

// The flag is cleared only by a write that happened: clearing it after a failed one
// would let the next close throw the changes away without asking.
SaveOutcome saveDocumentTo(std::string_view path) {
    if (!mainDataSource().saveToFile(path)) {
        reportSaveFailure(path);
        return SaveOutcome::Failed;
    }
    appState().modified = 0;
    discardRecoveryCopy();
    return SaveOutcome::Saved;
}

}  // namespace

bool openTableFile(std::string_view path) {
    DataSourceRef table = mainDataSource();
    // A failed load leaves the table as it was, so writing the backup now would
    // replace the file's real backup with some other table.
    if (!table.loadFromFile(path)) {
        reportOpenFailure(path);
        return false;
    }
    // The table is open either way; the person learns that 还原备份 has nothing new.
    const std::string backup = backupPathFor(path);
    showFileStatus(table.saveBackupTo(backup, path) ? std::string() : "未能生成备份文件“" + backup + "”。");
    recordLoadedTable();
    discardFilterSnapshot();
    AppState& state = appState();
    state.currentFilePath = std::string(path);
    state.documentName = splitPath(path).fileName;
    composeTitle();
    discardRecoveryCopy();
    startAtFirstCell();
    focusTable();
    return true;
}

SaveOutcome saveTable() {
    const std::string& path = appState().currentFilePath;
    if (path.empty()) return saveTableAs();
    return saveDocumentTo(path);
}

SaveOutcome saveTableAs() {
    std::optional<std::string> chosen =
        chooseFile("另存为", FileDialogType::Save, kSaveAsFilter, baseNameOf(appState().documentName));
    if (!chosen) return SaveOutcome::Cancelled;
    return namesWorkbook(*chosen) ? exportDocumentTo(*chosen) : saveDocumentTo(*chosen);
}

bool settleUnsavedChanges(uint32_t buttons) {
    const AppState& state = appState();
    if (state.modified == 0 || state.databaseConnected != 0) return true;
    rt::MessageBoxAnswer answer = rt::showMessageBox("当前表格已被改过，是否保存？", buttons | QuestionIcon, "询问：");
    if (answer == rt::MessageBoxAnswer::Yes) return saveTable() == SaveOutcome::Saved;
    return answer == rt::MessageBoxAnswer::No;
}

void saveTemplate() {
    std::optional<std::string> chosen = chooseFile("保存模板", FileDialogType::Save, kTemplateFilter);
    if (chosen && !mainDataSource().saveToFile(*chosen)) reportSaveFailure(*chosen);
}

void openTemplate() {
    std::optional<std::string> chosen = chooseFile("打开模板", FileDialogType::Open, kTemplateFilter);
    if (!chosen) return;
    if (mainDataSource().loadFromFile(*chosen)) {
        recordLoadedTable();
        focusTable();
    } else {
        reportOpenFailure(*chosen);
    }
}

void restoreBackup() {
    const std::string& path = appState().currentFilePath;
    if (path.empty()) {
        rt::showMessageBox("必须先打开原文件才能还原对应备份文件！", Ok | ExclamationIcon, "提示：");
        return;
    }
    std::string backup = backupPathFor(path);
    if (!isOwnBackup(backup)) {
        rt::showMessageBox("找不到备份文件！", Ok | ExclamationIcon, "错误：");
        return;
    }
    if (mainDataSource().loadFromFile(backup)) {
        recordLoadedTable();
        focusTable();
    }
}

void focusTable() { rt::UnitAccess(window_id::MainWindow, main_unit::Grid).takeFocus(); }

// The grid reports a move only when the cell changes, so the panes are written here
// too: at start-up the first cell is already current and nothing else would.
void startAtFirstCell() {
    mainGrid().moveCurrentCell(1, 1);
    showCurrentCellStatus();
    showSelectionSizeStatus();
}

}  // namespace app
