#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

namespace rt {

// Where the keyboard focus goes back to once a dialog or a box is gone: the widget
// that had it in the window that was active when the dialog came up. A dialog on a
// desktop hands the focus back this way, so a person types on where they were.
class FocusReturn {
public:
    // Notes the active window and its focus widget now, before the dialog takes the
    // activation (a modal window also disables the others, which takes their focus).
    FocusReturn();

    // Activates that window again and focuses its widget. Should the widget be gone
    // (an editor that closed when it lost the focus), the nearest of its containers
    // that takes the focus gets it. Nothing when the window is gone or disabled.
    void restore() const;
    QWidget* window() const { return window_; }

private:
    QPointer<QWidget> window_;
    // The focus widget first, then its containers up to the window.
    std::vector<QPointer<QWidget>> focusChain_;
};

}  // namespace rt
