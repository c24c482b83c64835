#include "app/document/document_folder.h"

#include <QFileInfo>

#include "app/state/app_state.h"
#include "runtime/platform/file_dialog_folder.h"
#include "runtime/value/file_name.h"

namespace app {

void openFileDialogsInDocumentFolder() {
    rt::setDocumentFolderSource([] {
        const std::string& path = appState().currentFilePath;
        if (path.empty()) return QString();
        return QFileInfo(QString::fromStdString(rt::pathFromText(path).string())).absolutePath();
    });
}

}  // namespace app
