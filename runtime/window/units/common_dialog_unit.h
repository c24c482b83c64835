#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "runtime/value/call.h"

namespace rt {

// "desc|pattern|desc|pattern" as file-dialog name filters ("desc (pattern)"); a
// pattern list "*.bmp;*.jpg" becomes "*.bmp *.jpg".
QStringList nameFiltersOf(const QString& filter);

// The name the user typed, with the extension of the chosen filter added when the
// name has none (the default extension when the filter names none).
QString withDefaultExtension(const QString& fileName, const QString& chosenFilter, const QString& defaultExtension);

// Command: shows the dialog of a CommonDlg unit as its properties describe it.
// Returns true with the chosen name in its file-name property, false when cancelled.
void commonDialogOpen(Value* result, int argumentCount, const Value* arguments);

}  // namespace rt
