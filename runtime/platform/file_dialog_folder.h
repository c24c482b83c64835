#pragma once

#include <QString>
#include <functional>

class QFileDialog;

namespace rt {

// Every file dialog opens where the person works: in the folder of the table being
// edited, else in the folder of the file last chosen in any file dialog, else in the
// home folder. Never in the working directory, which is the program's own folder
// among its build or install files.
//
// The last folder lives only as long as the program runs. The settings file is
// written only when the person confirms the table properties, never behind their
// back, and once a table is open its own folder comes first anyway.

// The application tells where its current table lives (empty for a new table).
void setDocumentFolderSource(std::function<QString()> source);

// The folder the next dialog opens in; always an existing folder.
QString fileDialogFolder();

// Points the dialog at that folder and offers the suggested name in it (only the
// name counts, not a folder it may carry from an earlier use).
void prepareFileDialog(QFileDialog& dialog, const QString& suggestedName = {});
// The folder of a chosen file becomes the last folder.
void rememberChosenFile(const QString& path);
// Prepares, runs and remembers: the chosen file, or empty when cancelled.
QString runFileDialog(QFileDialog& dialog, const QString& suggestedName = {});

}  // namespace rt
