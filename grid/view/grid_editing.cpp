#include "grid/view/grid_widget.h"

#include <QFontMetrics>
#include <QTextCursor>
#include <cstdlib>

#include "grid/view/cell_editor.h"
#include "grid/view/cell_font.h"
#include "grid/view/editor_geometry.h"
#include "grid/view/merged_blocks.h"
#include "runtime/platform/gbk_codec.h"

namespace grid {
namespace {

// The editor works with line feeds; stored texts break lines with CR LF, as the
// table files written elsewhere do.
std::string storedText(const QString& edited) {
    QString text = edited;
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return rt::toGbk(text);
}

QString editedText(std::string_view stored) {
    QString text = rt::fromGbk(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace

bool GridWidget::startEdit(std::optional<QString> initialText) {
    if (!hasTable() || source_->isReadOnly()) return false;
    const CellRange range = selectedRange();
    if (!source_->containsCell(range.row, range.column)) return false;
    std::optional<Cell> cell = source_->cellAt(range.row, range.column, true);
    if (!cell || (cell->flags() & CellFlags::kLocked)) return false;
    // An edit still open elsewhere keeps what was typed into it.
    commitEdit();
    selectCell(range.row, range.column);
    const CellRange block = blockOf(*source_, range.row, range.column);

    auto* editor = new CellEditor(block.row, block.column, viewport());
    const LogicalScale scale = layoutState().scale;
    editor->setFont(cellFont(cell->fontNameView(), scale.pixelsY(std::abs(cell->fontSize())), cell->flags()));
    QPalette colors = editor->palette();
    colors.setColor(QPalette::Text, colorOf(cell->textColor()));
    colors.setColor(QPalette::Base, colorOf(cell->backColor() == kNoColor ? backColor_ : cell->backColor()));
    editor->setPalette(colors);
    editor->setPlainText(initialText ? *initialText : editedText(cell->text()));
    // Setting the text leaves the caret at its start, where what is typed next would
    // go in front of the cell's text.
    editor->moveCursor(QTextCursor::End);
    connect(editor, &CellEditor::reported, this, &GridWidget::editorReported);
    // Enter and Escape hand the focus back to the grid; an editor that closes because
    // the focus went elsewhere leaves it there. The window's focus widget, not
    // hasFocus(), tells which: keys reach it also while the window is not the active
    // one (on a desktop without a window manager it never is).
    connect(editor, &CellEditor::closed, this, [this, editor] {
        if (editor_ == editor) editor_ = nullptr;
        if (window()->focusWidget() == editor) setFocus(Qt::OtherFocusReason);
    });
    connect(editor, &QPlainTextEdit::textChanged, this, &GridWidget::placeEditor);
    connect(editor, &CellEditor::tabPressed, this, &GridWidget::pressTab);
    editor_ = editor;
    placeEditor();
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    return true;
}

void GridWidget::placeEditor() {
    if (!editor_ || !hasTable()) return;
    const CellRange block = blockOf(*source_, editor_->row(), editor_->column());
    const QRect cell = layout().rangeRect(block);
    QFontMetrics metrics(editor_->font());
    const QRect wanted = editorRect(rt::toGbk(editor_->toPlainText()), cell, viewport()->size(),
                                    metrics.horizontalAdvance(QLatin1Char('W')), metrics.height());
    if (wanted != editor_->geometry()) editor_->setGeometry(wanted);
}

void GridWidget::commitEdit() {
    if (editor_ && !editor_->isFinished()) editor_->finish();
}

void GridWidget::closeEditor() {
    if (!editor_) return;
    editor_->disconnect(this);
    editor_->cancel();
    editor_ = nullptr;
}

void GridWidget::editorReported(int32_t row, int32_t column, const QString& text) {
    if (!source_ || source_->isReadOnly()) return;
    std::optional<Cell> cell = source_->cellAt(row, column, true);
    if (!cell) return;
    const std::string stored = storedText(text);
    if (stored == cell->text()) return;
    source_->setCellText(row, column, stored);
    raise(GridEvent::CellsChanged, {row + 1, column + 1, 1, 1});
}

}  // namespace grid
