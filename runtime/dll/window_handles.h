#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "runtime/value/value.h"

class QWidget;

namespace rt {

// Small numbers that stand for the program's top-level windows where the declared
// window functions expect window handles. A handle is given on first sight and never
// reused; a handle whose window is gone finds nothing.
uint32_t handleOfWindow(QWidget* window);
QWidget* windowOfHandle(uint32_t handle);

// Every top-level window of the program in the order of their handles.
std::vector<QWidget*> topLevelWindows();

// The class name the window functions match: the "windowClass" property when the
// window has one (the window runtime names its windows), else the widget's class.
QString windowClassName(const QWidget* window);

// Window functions may be called from a helper thread (the colour dialog's placement
// does); widgets live on the interface thread, so the work runs there and the caller
// waits for its result. Without an application object nothing runs and the result is
// integer 0.
Value onInterfaceThread(const std::function<Value()>& work);

}  // namespace rt
