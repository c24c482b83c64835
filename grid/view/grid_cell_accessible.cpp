#include "grid/view/grid_cell_accessible.h"

#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>

#include "grid/view/grid_table_accessible.h"
#include "grid/view/grid_widget.h"
#include "grid/view/merged_blocks.h"
#include "runtime/platform/gbk_codec.h"

namespace grid {

GridCellAccessible::GridCellAccessible(GridWidget* grid, int32_t row, int32_t column)
    : grid_(grid), row_(row), column_(column), announced_(shownText()) {}

bool GridCellAccessible::isValid() const {
    return grid_ && grid_->dataSource() && grid_->dataSource()->containsCell(row_, column_);
}

CellRange GridCellAccessible::block() const {
    if (!isValid()) return {row_, column_, 1, 1};
    return blockOf(*grid_->dataSource(), row_, column_);
}

QString GridCellAccessible::shownText() const {
    if (!isValid()) return {};
    const std::optional<Cell> cell = grid_->dataSource()->cellAt(row_, column_, true);
    if (!cell) return {};
    if (cell->kind() == CellKind::Picture) return cell->contentLength() > 0 ? QStringLiteral(u"图片") : QString();
    QString text = rt::fromGbk(cell->text());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// Sent as the old text taken away and the new one put in: the bridge passes those
// two on as they are.
void GridCellAccessible::announceTextChange() {
    const QString now = shownText();
    if (now == announced_) return;
    const QString before = std::exchange(announced_, now);
    if (!before.isEmpty()) {
        QAccessibleTextRemoveEvent removed(this, 0, before);
        QAccessible::updateAccessibility(&removed);
    }
    if (!now.isEmpty()) {
        QAccessibleTextInsertEvent inserted(this, 0, now);
        QAccessible::updateAccessibility(&inserted);
    }
}

QWindow* GridCellAccessible::window() const {
    return grid_ ? grid_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* GridCellAccessible::parent() const {
    return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
}

QString GridCellAccessible::text(QAccessible::Text kind) const {
    return kind == QAccessible::Name ? shownText() : QString();
}

QRect GridCellAccessible::rect() const {
    if (!isValid()) return {};
    const QRect inViewport = grid_->layout().rangeRect(block()) & grid_->viewport()->rect();
    if (inViewport.isEmpty()) return {};
    return QRect(grid_->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size());
}

QAccessible::State GridCellAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.focusable = true;
    state.selectable = true;
    state.selected = isSelected();
    const Selection& selection = grid_->selection();
    state.focused = grid_->hasFocus() && row_ == selection.anchorRow && column_ == selection.anchorColumn;
    state.invisible = rect().isEmpty();
    state.offscreen = state.invisible;
    state.readOnly = grid_->dataSource()->isReadOnly();
    return state;
}

void* GridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return nullptr;
}

bool GridCellAccessible::isSelected() const {
    if (!grid_) return false;
    const CellRange selected = grid_->selectedRange();
    return row_ >= selected.row && row_ <= selected.lastRow() && column_ >= selected.column &&
           column_ <= selected.lastColumn();
}

// The headers of a cell are the blocks of the fixed rows above it (of the fixed
// columns left of it), each once, from the top (the left).
QList<QAccessibleInterface*> GridCellAccessible::headerCells(bool ofColumn) const {
    QList<QAccessibleInterface*> headers;
    auto* table = dynamic_cast<GridTableAccessible*>(parent());
    if (!isValid() || !table) return headers;
    const DataProvider* provider = grid_->dataSource()->provider();
    const int32_t fixed = ofColumn ? provider->fixedRows() : provider->fixedColumns();
    for (int32_t line = 0; line < fixed; ++line) {
        GridCellAccessible* header = ofColumn ? table->cellOf(line, column_) : table->cellOf(row_, line);
        if (header && !headers.contains(header)) headers.append(header);
    }
    return headers;
}

QString GridCellAccessible::text(int startOffset, int endOffset) const {
    const QString whole = shownText();
    startOffset = std::clamp(startOffset, 0, static_cast<int>(whole.size()));
    if (endOffset < 0 || endOffset > whole.size()) endOffset = static_cast<int>(whole.size());
    return whole.mid(startOffset, std::max(endOffset - startOffset, 0));
}

// The cell's font for the whole text, named as the bridge expects (IAccessible2's
// text attributes), so a reader can say that a cell is bold.
QString GridCellAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    const std::optional<Cell> cell = isValid() ? grid_->dataSource()->cellAt(row_, column_, false) : std::nullopt;
    if (!cell) return {};
    // Font heights are kept in 0.1 mm; a point is 254/72 of those.
    const int points = static_cast<int>(std::lround(std::abs(cell->fontSize()) * 72.0 / 254.0));
    const std::string_view face = cell->fontNameView().empty() ? kDefaultFontName : cell->fontNameView();
    QString described = QStringLiteral("font-family:%1;font-size:%2pt;font-weight:%3;")
                            .arg(rt::fromGbk(face))
                            .arg(points)
                            .arg(cell->flags() & CellFlags::kBold ? 700 : 400);
    if (cell->flags() & CellFlags::kItalic) described += QStringLiteral("font-style:italic;");
    if (cell->flags() & CellFlags::kUnderline) described += QStringLiteral("text-underline-style:solid;");
    if (cell->flags() & CellFlags::kStrikeout) described += QStringLiteral("text-line-through-type:single;");
    return described;
}

}  // namespace grid
