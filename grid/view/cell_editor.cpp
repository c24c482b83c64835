#include "grid/view/cell_editor.h"

#include <QKeyEvent>

namespace grid {

CellEditor::CellEditor(int32_t row, int32_t column, QWidget* parent)
    : QPlainTextEdit(parent), row_(row), column_(column) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::Box);
    setTabChangesFocus(false);
    document()->setDocumentMargin(1);
}

void CellEditor::finish() { close(true); }

void CellEditor::cancel() { close(false); }

void CellEditor::close(bool report) {
    if (finished_) return;
    finished_ = true;
    if (report) emit reported(row_, column_, toPlainText());
    hide();
    emit closed();
    deleteLater();
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (event->modifiers() & Qt::ControlModifier) {
                insertPlainText(QStringLiteral("\n"));
            } else {
                finish();
            }
            return;
        case Qt::Key_Escape: cancel(); return;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            emit tabPressed(event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier),
                            event->modifiers() & Qt::ControlModifier);
            return;
        default: QPlainTextEdit::keyPressEvent(event);
    }
}

void CellEditor::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    // A popup (the input method's candidate list, a context menu) takes the focus
    // only for a moment; the edit goes on.
    if (event->reason() != Qt::PopupFocusReason) finish();
}

void CellEditor::inputMethodEvent(QInputMethodEvent* event) {
    QPlainTextEdit::inputMethodEvent(event);
    if (!awaitingComposition_) return;
    if (!event->commitString().isEmpty()) {
        awaitingComposition_ = false;
    } else if (event->preeditString().isEmpty() && toPlainText().isEmpty()) {
        cancel();
    }
}

}  // namespace grid
