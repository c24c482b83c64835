#pragma once

#include "runtime/value/value.h"

namespace rt::builtin {

// The functions of the in-process libraries, one routine each, taking exactly the
// arguments their declared counts say.

// shell32: (window, operation, file, parameters, directory, show) -> above 32 on success.
Value shellExecute(const Value* arguments);
// comdlg32: (record) -> logical; see color_dialog_function.cpp for the record.
Value chooseColor(const Value* arguments);
// shlwapi: (text, flags, 64-bit result address) -> logical.
Value stringToInt64(const Value* arguments);

// user32, on the program's own top-level windows.
Value getCursorPos(const Value* arguments);          // (point address)
Value setForegroundWindow(const Value* arguments);   // (window)
Value findWindowEx(const Value* arguments);          // (parent, after, class, title)
Value getWindowTextLength(const Value* arguments);   // (window)
Value getWindowText(const Value* arguments);         // (window, buffer, buffer size)
Value findWindow(const Value* arguments);            // (class, title)
Value getWindowRect(const Value* arguments);         // (window, rectangle address)
Value moveWindow(const Value* arguments);            // (window, x, y, width, height, repaint)

}  // namespace rt::builtin
