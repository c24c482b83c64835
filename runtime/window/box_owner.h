#pragma once

#include <QApplication>
#include <QWidget>

namespace rt {

// The window a modal box comes up over: the active one while it is shown. A window
// that is already hidden is on its way out (a window is hidden when it is destroyed,
// and deleted a moment later); a box on the stack that it owned would be deleted
// with it while the box still waits for its answer.
inline QWidget* boxOwner() {
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : nullptr;
}

}  // namespace rt
