#include "runtime/dll/window_handles.h"

#include <QApplication>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <map>

namespace rt {
namespace {

struct HandleTable {
    std::map<uint32_t, QPointer<QWidget>> windows;
    uint32_t nextHandle = 0x10;
};

HandleTable& table() {
    static HandleTable handles;
    return handles;
}

}  // namespace

uint32_t handleOfWindow(QWidget* window) {
    if (!window) return 0;
    for (const auto& [handle, known] : table().windows) {
        if (known == window) return handle;
    }
    uint32_t handle = table().nextHandle++;
    table().windows[handle] = window;
    return handle;
}

QWidget* windowOfHandle(uint32_t handle) {
    auto found = table().windows.find(handle);
    return found == table().windows.end() ? nullptr : found->second.data();
}

std::vector<QWidget*> topLevelWindows() {
    std::vector<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowType() == Qt::Desktop) continue;
        windows.push_back(widget);
    }
    std::sort(windows.begin(), windows.end(),
              [](QWidget* a, QWidget* b) { return handleOfWindow(a) < handleOfWindow(b); });
    return windows;
}

QString windowClassName(const QWidget* window) {
    QVariant name = window->property("windowClass");
    return name.isValid() ? name.toString() : QString::fromLatin1(window->metaObject()->className());
}

Value onInterfaceThread(const std::function<Value()>& work) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!qobject_cast<QApplication*>(application)) return Value::integer(0);
    if (QThread::currentThread() == application->thread()) return work();
    Value result = Value::integer(0);
    QMetaObject::invokeMethod(application, [&] { result = work(); }, Qt::BlockingQueuedConnection);
    return result;
}

}  // namespace rt
