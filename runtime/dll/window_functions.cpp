#include <QCursor>
#include <QWidget>
#include <cstring>

#include "runtime/dll/builtin_functions.h"
#include "runtime/dll/window_handles.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/blocks.h"

namespace rt::builtin {
namespace {

void writeWords(const Value& address, std::initializer_list<int32_t> words) {
    if (void* target = address.pointer()) std::memcpy(target, words.begin(), words.size() * sizeof(int32_t));
}

// A null text pointer matches anything; a given text must match exactly.
bool matches(const Value& wanted, const QString& actual) {
    return !wanted.pointer() || fromGbk(textOf(wanted.pointer())) == actual;
}

Value findAmong(const std::vector<QWidget*>& windows, uint32_t after, const Value& className, const Value& title) {
    bool searching = after == 0;
    for (QWidget* window : windows) {
        if (!searching) {
            searching = handleOfWindow(window) == after;
            continue;
        }
        if (matches(className, windowClassName(window)) && matches(title, window->windowTitle())) {
            return Value::integer(static_cast<int32_t>(handleOfWindow(window)));
        }
    }
    return Value::integer(0);
}

std::vector<QWidget*> childWindowsOf(QWidget* parent) {
    std::vector<QWidget*> children;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) children.push_back(child);
    return children;
}

}  // namespace

Value getCursorPos(const Value* arguments) {
    Value address = arguments[0];
    return onInterfaceThread([address] {
        QPoint position = QCursor::pos();
        writeWords(address, {position.x(), position.y()});
        return Value::logical(true);
    });
}

Value setForegroundWindow(const Value* arguments) {
    uint32_t handle = arguments[0].low;
    return onInterfaceThread([handle] {
        QWidget* window = windowOfHandle(handle);
        if (!window) return Value::logical(false);
        window->raise();
        window->activateWindow();
        return Value::logical(true);
    });
}

Value findWindowEx(const Value* arguments) {
    uint32_t parent = arguments[0].low;
    uint32_t after = arguments[1].low;
    Value className = arguments[2];
    Value title = arguments[3];
    return onInterfaceThread([=] {
        if (parent == 0) return findAmong(topLevelWindows(), after, className, title);
        QWidget* window = windowOfHandle(parent);
        return window ? findAmong(childWindowsOf(window), after, className, title) : Value::integer(0);
    });
}

Value findWindow(const Value* arguments) {
    const Value forwarded[] = {Value::integer(0), Value::integer(0), arguments[0], arguments[1]};
    return findWindowEx(forwarded);
}

Value getWindowTextLength(const Value* arguments) {
    uint32_t handle = arguments[0].low;
    return onInterfaceThread([handle] {
        QWidget* window = windowOfHandle(handle);
        return Value::integer(window ? static_cast<int32_t>(toGbk(window->windowTitle()).size()) : 0);
    });
}

Value getWindowText(const Value* arguments) {
    uint32_t handle = arguments[0].low;
    auto* buffer = static_cast<char*>(arguments[1].pointer());
    auto capacity = static_cast<int32_t>(arguments[2].low);
    return onInterfaceThread([=] {
        QWidget* window = windowOfHandle(handle);
        if (!window || !buffer || capacity <= 0) return Value::integer(0);
        std::string title = toGbk(window->windowTitle());
        size_t length = 0;
        // Copy whole characters only, leaving room for the NUL.
        while (length < title.size()) {
            size_t next = length + (static_cast<uint8_t>(title[length]) >= 0x81 ? 2 : 1);
            if (next > title.size() || next > static_cast<size_t>(capacity - 1)) break;
            length = next;
        }
        std::memcpy(buffer, title.data(), length);
        buffer[length] = '\0';
        return Value::integer(static_cast<int32_t>(length));
    });
}

Value getWindowRect(const Value* arguments) {
    uint32_t handle = arguments[0].low;
    Value address = arguments[1];
    return onInterfaceThread([=] {
        QWidget* window = windowOfHandle(handle);
        if (!window) return Value::logical(false);
        QRect frame = window->frameGeometry();
        writeWords(address, {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()});
        return Value::logical(true);
    });
}

Value moveWindow(const Value* arguments) {
    uint32_t handle = arguments[0].low;
    auto x = static_cast<int32_t>(arguments[1].low);
    auto y = static_cast<int32_t>(arguments[2].low);
    auto width = static_cast<int32_t>(arguments[3].low);
    auto height = static_cast<int32_t>(arguments[4].low);
    return onInterfaceThread([=] {
        QWidget* window = windowOfHandle(handle);
        if (!window) return Value::logical(false);
        // The size given includes the frame, as the rectangle read back does.
        QSize frameExtra = window->frameGeometry().size() - window->size();
        window->move(x, y);
        window->resize(std::max(0, width - frameExtra.width()), std::max(0, height - frameExtra.height()));
        return Value::logical(true);
    });
}

}  // namespace rt::builtin
