#include "app/recovery/recovery_offer.h"

#include <string>

#include "app/document/document_commands.h"
#include "app/document/document_title.h"
#include "app/edit/table_change.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "runtime/value/file_name.h"
#include "runtime/window/message_box.h"

namespace app {
namespace {

using namespace rt::message_box;

bool restore(const LeftCopy& copy) {
    if (!mainDataSource().loadFromFile(rt::textFromPath(copy.folder / kCopyFileName))) return false;
    recordLoadedTable();
    AppState& state = appState();
    state.currentFilePath = copy.description.originalPath;
    state.documentName = copy.description.documentName;
    state.modified = 1;
    composeTitle();
    focusTable();
    return true;
}

void reportDamagedCopy(const LeftCopy& copy) {
    const RecoveryDescription& description = copy.description;
    const std::string& table = description.originalPath.empty() ? description.documentName : description.originalPath;
    rt::showMessageBox("无法恢复表格“" + table + "”：恢复副本已损坏。", Ok | ErrorIcon, "错误：");
}

}  // namespace

std::optional<LeftCopy> offerLeftCopies(const std::vector<LeftCopy>& copies, FolderClaims& claims) {
    std::optional<LeftCopy> restored;
    for (const LeftCopy& copy : copies) {
        if (restored) {
            claims.release(copy.folder);
            continue;
        }
        rt::MessageBoxAnswer answer =
            rt::showMessageBox(recoveryQuestion(copy.description), YesNo | QuestionIcon, "询问：");
        if (answer == rt::MessageBoxAnswer::Yes) {
            if (restore(copy)) {
                restored = copy;
                continue;
            }
            reportDamagedCopy(copy);
            removeFolder(copy.folder, claims);
        } else if (answer == rt::MessageBoxAnswer::No) {
            removeFolder(copy.folder, claims);
        } else {
            claims.release(copy.folder);
        }
    }
    return restored;
}

}  // namespace app
