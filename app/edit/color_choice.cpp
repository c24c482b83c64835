#include "app/edit/color_choice.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "app/window_ids.h"
#include "runtime/dll/window_handles.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/window_runtime.h"

namespace app {
namespace {

using rt::dll::ScreenPoint;
using rt::dll::ScreenRect;

// The dialog's title; every window of the program with it is the colour dialog.
constexpr const char* kDialogTitle = "颜色";
// How long the placement waits for the dialog to appear before it gives up.
constexpr auto kLongestWait = std::chrono::seconds(5);

uint32_t firstWindowTitledColor() {
    for (uint32_t window = rt::dll::findWindowAfter(0, 0, nullptr, nullptr); window != 0;
         window = rt::dll::findWindowAfter(0, window, nullptr, nullptr)) {
        // The whole title: a main window showing a table named 颜色表.bge holds the
        // word too, and must not be moved in the dialog's place.
        if (rt::dll::windowText(window) == kDialogTitle) return window;
    }
    return 0;
}

// Runs beside the dialog, which blocks the interface thread in its own loop: one pass
// over the windows, then a bounded wait for the dialog to show up.
void placeDialog(ScreenPoint pointer, ScreenRect screen, const std::atomic<bool>& dialogClosed) {
    uint32_t dialog = firstWindowTitledColor();
    const auto giveUp = std::chrono::steady_clock::now() + kLongestWait;
    while (dialog == 0 && !dialogClosed && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        dialog = rt::dll::findWindow(nullptr, kDialogTitle);
    }
    if (dialog == 0 || dialogClosed) return;
    std::optional<ScreenRect> frame = rt::dll::windowRect(dialog);
    if (!frame) return;
    rt::dll::moveWindow(dialog, dialogFrameAt(pointer, *frame, screen));
    rt::dll::setForegroundWindow(dialog);
}

ScreenRect screenAreaAt(ScreenPoint pointer) {
    QScreen* screen = QGuiApplication::screenAt(QPoint(pointer.x, pointer.y));
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return {pointer.x, pointer.y, pointer.x, pointer.y};
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.right() + 1, area.bottom() + 1};
}

}  // namespace

ScreenRect dialogFrameAt(ScreenPoint pointer, const ScreenRect& dialog, const ScreenRect& screen) {
    const int32_t width = dialog.right - dialog.left;
    const int32_t height = dialog.bottom - dialog.top;
    const int32_t left = std::max(std::min(pointer.x, screen.right - width), screen.left);
    const int32_t top = std::max(std::min(pointer.y, screen.bottom - height), screen.top);
    return {left, top, left + width, top + height};
}

std::optional<uint32_t> chooseColorAtPointer() {
    const ScreenPoint pointer = rt::dll::cursorPosition();
    const uint32_t owner = rt::handleOfWindow(rt::WindowRuntime::instance().loadedWindow(window_id::MainWindow));
    std::atomic<bool> dialogClosed = false;
    std::atomic<bool> placed = false;
    std::thread placement([&, screen = screenAreaAt(pointer)] {
        placeDialog(pointer, screen, dialogClosed);
        placed = true;
    });
    std::optional<uint32_t> chosen = rt::dll::chooseColor(owner, 0);
    dialogClosed = true;
    // The placement may be waiting for this thread to run a window function for it:
    // keep serving those until it has finished, or the two would wait for each other.
    while (!placed) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    placement.join();
    return chosen;
}

}  // namespace app
