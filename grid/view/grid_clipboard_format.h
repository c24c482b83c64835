#pragma once

#include <QString>

namespace grid {

// The private clipboard format "MGridCells": a cell block. Qt names a Windows
// clipboard format this way, so other programs on Windows see the same name.
inline const QString kCellBlockMimeType = QStringLiteral("application/x-qt-windows-mime;value=\"MGridCells\"");

}  // namespace grid
