#include "grid/view/grid_widget.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "grid/format/cell_block.h"
#include "grid/view/grid_clipboard_format.h"

namespace grid {

void GridWidget::copySelection() {
    if (!hasTable()) return;
    const std::vector<uint8_t> block = encodeCellBlock(*source_, selectedRange());
    if (block.empty()) return;
    auto* data = new QMimeData;
    data->setData(kCellBlockMimeType, QByteArray(reinterpret_cast<const char*>(block.data()),
                                                 static_cast<qsizetype>(block.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool GridWidget::pasteFromClipboard() {
    if (!hasTable() || source_->isReadOnly()) return false;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(kCellBlockMimeType)) return false;
    const QByteArray bytes = data->data(kCellBlockMimeType);
    const CellRange target = selectedRange();
    const PasteOutcome outcome = pasteCellBlock(
        *source_, target.row, target.column,
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())),
        PasteOptions{.grow = hasFlag(GridFlags::kPasteMayGrow), .skipLockedCells = true});
    if (!outcome.succeeded) return false;
    if (outcome.tableWasReset) raise(GridEvent::TableSizeChanged);
    raise(GridEvent::CellsChanged, {target.row + 1, target.column + 1, outcome.rowCount, outcome.columnCount});
    return true;
}

}  // namespace grid
