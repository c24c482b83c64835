#include "runtime/window/unit_access.h"

#include <QApplication>
#include <QWidget>

#include "runtime/value/owned.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/menu_builder.h"
#include "runtime/window/property_values.h"
#include "runtime/window/window_runtime.h"

namespace rt {

std::string UnitAccess::text(int32_t index, int32_t element) const {
    return OwnedText(WindowRuntime::instance().readProperty(windowId_, unitId_, index, element)).str();
}

int32_t UnitAccess::integer(int32_t index, int32_t element) const {
    return integerOfValue(WindowRuntime::instance().readProperty(windowId_, unitId_, index, element));
}

bool UnitAccess::logical(int32_t index) const {
    return logicalOfValue(WindowRuntime::instance().readProperty(windowId_, unitId_, index));
}

void UnitAccess::setText(int32_t index, std::string_view text, int32_t element) const {
    std::string copy(text);
    WindowRuntime::instance().writeProperty(windowId_, unitId_, index, Value::text(copy.c_str()), element);
}

void UnitAccess::setInteger(int32_t index, int32_t value) const {
    WindowRuntime::instance().writeProperty(windowId_, unitId_, index, Value::integer(value));
}

void UnitAccess::setLogical(int32_t index, bool value) const {
    WindowRuntime::instance().writeProperty(windowId_, unitId_, index, Value::logical(value));
}

void UnitAccess::takeFocus() const { WindowRuntime::instance().focusUnit(windowId_, unitId_); }

bool loadWindow(uint32_t windowId, uint32_t parentWindowId, bool modal) {
    return WindowRuntime::instance().loadWindow(windowId, parentWindowId, modal);
}

void destroyWindow(uint32_t windowId) { WindowRuntime::instance().destroyWindow(windowId); }

void popUpMenu(uint32_t windowId, int32_t commandId, std::optional<QPoint> at) {
    const WindowTemplate* window = WindowRuntime::instance().templates().findWindow(windowId);
    if (!window) return;
    int32_t position = commandId - kFirstMenuCommand;
    for (const UnitTemplate& unit : window->units) {
        if (!unit.isMenuItem()) continue;
        if (position-- == 0) {
            WindowRuntime::instance().popUpMenu(windowId, unit.id, at);
            return;
        }
    }
}

std::optional<QPoint> keyboardSpot() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return std::nullopt;
    const QRect cursor = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (!cursor.isValid()) return focus->mapToGlobal(QPoint(0, 0));
    return focus->mapToGlobal(cursor.bottomLeft());
}

}  // namespace rt
