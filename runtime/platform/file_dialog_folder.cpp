#include "runtime/platform/file_dialog_folder.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace rt {
namespace {

std::function<QString()>& documentFolderSource() {
    static std::function<QString()> source;
    return source;
}

QString& lastFolder() {
    static QString folder;
    return folder;
}

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

}  // namespace

void setDocumentFolderSource(std::function<QString()> source) { documentFolderSource() = std::move(source); }

QString fileDialogFolder() {
    if (documentFolderSource()) {
        const QString documentFolder = documentFolderSource()();
        if (isFolder(documentFolder)) return QFileInfo(documentFolder).absoluteFilePath();
    }
    if (isFolder(lastFolder())) return lastFolder();
    return QDir::homePath();
}

void prepareFileDialog(QFileDialog& dialog, const QString& suggestedName) {
    const QString folder = fileDialogFolder();
    dialog.setDirectory(folder);
    const QString name = QFileInfo(suggestedName).fileName();
    if (!name.isEmpty()) dialog.selectFile(QDir(folder).filePath(name));
}

void rememberChosenFile(const QString& path) {
    if (!path.isEmpty()) lastFolder() = QFileInfo(path).absolutePath();
}

QString runFileDialog(QFileDialog& dialog, const QString& suggestedName) {
    prepareFileDialog(dialog, suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().front();
    rememberChosenFile(chosen);
    return chosen;
}

}  // namespace rt
