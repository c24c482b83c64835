#include "runtime/window/focus_return.h"

#include <QApplication>

namespace rt {

FocusReturn::FocusReturn() : window_(QApplication::activeWindow()) {
    if (!window_)
        return;
    QWidget* widget = window_->focusWidget();
    for (; widget && widget != window_; widget = widget->parentWidget())
        focusChain_.emplace_back(widget);
}

void FocusReturn::restore() const {
    if (!window_ || !window_->isVisible() || !window_->isEnabled())
        return;
    window_->activateWindow();
    for (const QPointer<QWidget>& widget : focusChain_) {
        if (!widget || !widget->isVisible() || !widget->isEnabled() ||
            widget->focusPolicy() == Qt::NoFocus)
            continue;
        // Before the window is active again this only marks the widget; the
        // activation then gives it the focus.
        widget->setFocus(Qt::ActiveWindowFocusReason);
        return;
    }
}

}  // namespace rt
