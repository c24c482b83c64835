#pragma once

#include <QPlainTextEdit>
#include <cstdint>

namespace grid {

// The in-place editor over a cell. Enter ends the edit, Ctrl+Enter breaks the line,
// Escape cancels; losing the focus ends it too. Tab is never typed into the text:
// the grid decides what it does. Ending reports the cell and the text
// once (unless cancelled) and closes the editor.
class CellEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    CellEditor(int32_t row, int32_t column, QWidget* parent);

    int32_t row() const { return row_; }
    int32_t column() const { return column_; }
    bool isFinished() const { return finished_; }

    // Reports the text and closes.
    void finish();
    // Closes without a report.
    void cancel();
    // The edit was opened by an input method that has not committed text yet: when
    // its composition ends with nothing, the edit is abandoned instead of committed.
    void setAwaitingComposition(bool awaiting) { awaitingComposition_ = awaiting; }

signals:
    void reported(int32_t row, int32_t column, const QString& text);
    // After finish or cancel, when the grid should take the focus back.
    void closed();
    // Tab or Shift+Tab (backward), with or without Ctrl.
    void tabPressed(bool backward, bool withControl);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void close(bool report);

    int32_t row_;
    int32_t column_;
    bool finished_ = false;
    bool awaitingComposition_ = false;
};

}  // namespace grid
