#include "runtime/window/window_runtime.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QPointer>
#include <algorithm>

#include "runtime/error/event_suspension.h"
#include "runtime/error/runtime_error.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/blocks.h"
#include "runtime/value/call.h"
#include "runtime/value/unit_registry.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/property_values.h"
#include "runtime/window/unit.h"
#include "runtime/window/unit_properties.h"

namespace rt {
namespace {

void setFlag(uint32_t& flags, uint32_t flag, bool on) { flags = on ? (flags | flag) : (flags & ~flag); }

}  // namespace

WindowRuntime& WindowRuntime::instance() {
    static WindowRuntime runtime;
    return runtime;
}

void WindowRuntime::initialise(std::span<const uint8_t> segment, std::span<const ApplicationRoutine> routines,
                               std::span<const char* const> routineNames) {
    auto read = readTemplateSegment(segment);
    if (!read) reportRuntimeError(error_message::kTemplateSegmentBroken, 0);
    templates_ = std::move(*read);
    routines_.assign(routines.begin(), routines.end());
    routineNames_.assign(routineNames.begin(), routineNames.end());
}

LoadedWindow* WindowRuntime::loadedWindow(uint32_t windowId) const {
    auto found = loaded_.find(windowId);
    return found == loaded_.end() ? nullptr : found->second;
}

Unit* WindowRuntime::loadedUnit(uint32_t windowId, uint32_t unitId) const {
    LoadedWindow* window = loadedWindow(windowId);
    return window ? window->unit(unitId) : nullptr;
}

uint32_t WindowRuntime::unitIdByName(uint32_t windowId, std::string_view name) const {
    const WindowTemplate* window = templates_.findWindow(windowId);
    const UnitTemplate* unit = window ? window->findUnitByName(name) : nullptr;
    return unit ? unit->id : 0;
}

bool WindowRuntime::loadWindow(uint32_t windowId, uint32_t parentWindowId, bool modal) {
    const WindowTemplate* windowTemplate = templates_.findWindow(windowId);
    if (!windowTemplate) return false;
    if (LoadedWindow* open = loadedWindow(windowId)) {
        if (open->isMinimized()) {
            open->showNormal();
        } else {
            open->raise();
            open->activateWindow();
        }
        return true;
    }
    LoadedWindow* parent = nullptr;
    if (!modal && parentWindowId != 0) {
        parent = loadedWindow(parentWindowId);
        if (!parent) return false;
    }

    // Noted before the new window takes the activation and a modal one disables the
    // others, which takes their focus.
    FocusReturn focusReturn;
    QCoreApplication::processEvents();
    suspendEvents();
    auto* window = new LoadedWindow(*windowTemplate);
    window->setFocusReturn(focusReturn);
    if (parent) window->setParent(parent, window->windowFlags() | Qt::Window);
    loaded_[windowId] = window;
    window->build();
    for (const auto& unit : window->units()) registerUnitObject(unit->ref(), unit->commandObject());
    QCoreApplication::processEvents();
    resumeEvents();

    // A handler may destroy the window it was raised for.
    auto stillLoaded = [&] { return loadedWindow(windowId) == window; };
    for (int32_t event : {window_event::Created, window_event::Moved, window_event::SizeChanged}) {
        if (stillLoaded()) deliverEvent(windowId, 0, event, {});
    }
    if (!stillLoaded()) return true;

    if (modal) {
        for (auto& [otherId, other] : loaded_) {
            if (other == window) continue;
            window->disabledWindows().emplace_back(other, other->isEnabled());
            other->setEnabled(false);
        }
        window->setModalWindow(true);
    }
    if (window->ownUnit().record().isVisible()) {
        window->show();
        if (modal && stillLoaded()) {
            QEventLoop loop;
            modalLoops_[windowId] = &loop;
            loop.exec();
        }
    }
    return true;
}

void WindowRuntime::loadStartupWindow(uint32_t windowId) {
    if (!loadWindow(windowId)) reportRuntimeError(error_message::kStartupWindowFailed, 0);
}

int WindowRuntime::runMessageLoop() {
    if (loaded_.empty()) return 0;
    return QApplication::exec();
}

void WindowRuntime::destroyWindow(uint32_t windowId) {
    LoadedWindow* window = loadedWindow(windowId);
    if (!window) return;
    windowClosing(*window);
    window->hide();
    window->deleteLater();
}

bool WindowRuntime::windowMayClose(LoadedWindow& window) {
    return !deliverEvent(window.id(), 0, window_event::MayClose, {}).saysFalse();
}

void WindowRuntime::windowClosing(LoadedWindow& window) {
    if (!loadedWindow(window.id())) return;
    deliverEvent(window.id(), 0, window_event::WillBeDestroyed, {});
    forget(window);
}

void WindowRuntime::forget(LoadedWindow& window) {
    window.markClosing();
    for (const auto& unit : window.units()) unregisterUnitObject(unit->ref());
    loaded_.erase(window.id());
    for (auto& [other, wasEnabled] : window.disabledWindows()) {
        if (other) other->setEnabled(wasEnabled);
    }
    window.disabledWindows().clear();
    // The window the closing one came up over gets its focus back, unless the person
    // went on in another window meanwhile.
    const FocusReturn& focusReturn = window.focusReturn();
    QWidget* active = QApplication::activeWindow();
    if (!active || active == &window || active == focusReturn.window()) focusReturn.restore();
    auto loop = modalLoops_.find(window.id());
    if (loop != modalLoops_.end()) {
        loop->second->quit();
        modalLoops_.erase(loop);
    }
}

HandlerResult WindowRuntime::deliverEvent(uint32_t windowId, uint32_t unitId, int32_t event,
                                          const EventArguments& arguments) {
    if (areEventsSuspended()) return HandlerResult::nothing();
    LoadedWindow* window = loadedWindow(windowId);
    if (!window) reportRuntimeError(error_message::kEventWindowNotFound, 0);
    if (unitId == 0) unitId = window->ownUnit().id();

    int32_t handler = -1;
    if (UnitTemplate* item = window->menuItem(unitId)) {
        handler = item->menu.handler;
    } else {
        Unit* unit = window->unit(unitId);
        if (!unit) reportRuntimeError(error_message::kEventUnitNotFound, 0);
        const UnitTemplate* bindings = &unit->record();
        // Follow the sharing links while they name units of the same kind; a chain
        // can be no longer than the window has units.
        for (size_t step = 0; bindings->eventShareLink != 0 && step < window->units().size(); ++step) {
            Unit* shared = window->unit(bindings->eventShareLink);
            if (!shared || shared->kind() != unit->kind()) break;
            bindings = &shared->record();
        }
        if (unit->kind() != unit_kind::Window && !isRegisteredUnitKind(unit->kind())) {
            reportRuntimeError(error_message::kEventUnitInvalid, 0);
        }
        handler = bindings->handlerFor(event);
    }
    if (handler < 0 || handler >= static_cast<int32_t>(routines_.size()) || !routines_[handler]) {
        return HandlerResult::nothing();
    }
    UnitRef previous = currentEventSource_;
    const Unit* source = window->unit(unitId);
    currentEventSource_ = {windowId, unitId, source ? source->kind() : unit_kind::MenuItem};
    if (routineObserver_) routineObserver_(handler, arguments);
    HandlerResult result = routines_[handler](arguments);
    currentEventSource_ = previous;
    return result;
}

void WindowRuntime::shareEvents(uint32_t windowId, uint32_t unitId, uint32_t sharedUnitId) {
    if (UnitTemplate* record = liveRecord(windowId, unitId)) record->eventShareLink = sharedUnitId;
}

UnitTemplate* WindowRuntime::templateRecord(uint32_t windowId, uint32_t unitId) {
    for (WindowTemplate& window : templates_.windows) {
        if (window.id != windowId) continue;
        if (unitId == 0 && !window.units.empty()) return &window.units.front();
        for (UnitTemplate& unit : window.units) {
            if (unit.id == unitId) return &unit;
        }
    }
    return nullptr;
}

UnitTemplate* WindowRuntime::liveRecord(uint32_t windowId, uint32_t unitId) {
    LoadedWindow* window = loadedWindow(windowId);
    if (!window) return templateRecord(windowId, unitId);
    if (UnitTemplate* item = window->menuItem(unitId)) return item;
    Unit* unit = window->unit(unitId);
    return unit ? &unit->record() : nullptr;
}

Value WindowRuntime::readProperty(uint32_t windowId, uint32_t unitId, int32_t index, int32_t element) {
    if (!templates_.findWindow(windowId)) reportRuntimeError(error_message::kUnitWindowNotLoaded, 0);
    UnitTemplate* record = liveRecord(windowId, unitId);
    if (!record) reportRuntimeError(error_message::kWindowOrUnitMissing, 0);
    if (record->isMenuItem()) {
        const MenuItemData& item = record->menu;
        switch (index) {
            case menu_property::Caption: return textValue(item.caption);
            case menu_property::Checked: return Value::logical(item.stateFlags & menu_state::Checked);
            case menu_property::Disabled: return Value::logical(item.stateFlags & menu_state::Disabled);
            case menu_property::Visible: return Value::logical(!(item.stateFlags & menu_state::Hidden));
            default: return {};
        }
    }
    if (index < kFirstOwnProperty) return readCommonProperty(windowId, record->id, index);
    Unit* unit = loadedUnit(windowId, record->id);
    if (!unit) reportRuntimeError(error_message::kWindowNotLoaded, 0);
    return unit->readOwnProperty(index - kFirstOwnProperty, element);
}

Value WindowRuntime::readCommonProperty(uint32_t windowId, uint32_t unitId, int32_t index) {
    UnitTemplate* record = liveRecord(windowId, unitId);
    Unit* unit = loadedUnit(windowId, unitId);
    LoadedWindow* window = loadedWindow(windowId);
    QWidget* widget = unit ? unit->widget() : nullptr;
    if (window && unit == &window->ownUnit()) widget = window;
    if (widget) {
        QRect frame = widget->isWindow() ? widget->frameGeometry() : widget->geometry();
        switch (index) {
            case common_property::Left: return Value::integer(frame.x());
            case common_property::Top: return Value::integer(frame.y());
            case common_property::Width: return Value::integer(frame.width());
            case common_property::Height: return Value::integer(frame.height());
            case common_property::Visible: return Value::logical(!widget->isHidden());
            case common_property::Disabled: return Value::logical(widget->testAttribute(Qt::WA_Disabled));
            default: break;
        }
    }
    switch (index) {
        case common_property::Left: return Value::integer(record->left);
        case common_property::Top: return Value::integer(record->top);
        case common_property::Width: return Value::integer(record->width);
        case common_property::Height: return Value::integer(record->height);
        case common_property::Tag: return textValue(record->tag);
        case common_property::Visible: return Value::logical(record->isVisible());
        case common_property::Disabled: return Value::logical(record->isDisabled());
        case common_property::MousePointer:
            return Value::fromPointer(makeByteSet(record->mousePointer), tagOf(ValueType::ByteSet));
        default: return {};
    }
}

void WindowRuntime::writeProperty(uint32_t windowId, uint32_t unitId, int32_t index, const Value& value,
                                  int32_t element) {
    if (!templates_.findWindow(windowId)) reportRuntimeError(error_message::kUnitWindowNotLoaded, 0);
    UnitTemplate* record = liveRecord(windowId, unitId);
    if (!record) reportRuntimeError(error_message::kWindowOrUnitMissing, 0);
    if (record->isMenuItem()) {
        MenuItemData before = record->menu;
        MenuItemData& item = record->menu;
        switch (index) {
            case menu_property::Caption: item.caption = textArgumentOf(value); break;
            case menu_property::Checked: setFlag(item.stateFlags, menu_state::Checked, logicalOfValue(value)); break;
            case menu_property::Disabled: setFlag(item.stateFlags, menu_state::Disabled, logicalOfValue(value)); break;
            case menu_property::Visible: setFlag(item.stateFlags, menu_state::Hidden, !logicalOfValue(value)); break;
            default: return;
        }
        // Rebuilding the whole menu bar is only worth it when something changed.
        if (!(item == before)) {
            if (LoadedWindow* window = loadedWindow(windowId)) window->rebuildMenu();
        }
        return;
    }
    if (index < kFirstOwnProperty) {
        writeCommonProperty(windowId, record->id, index, value);
        return;
    }
    Unit* unit = loadedUnit(windowId, record->id);
    if (!unit) reportRuntimeError(error_message::kWindowNotLoaded, 0);
    unit->writeOwnProperty(index - kFirstOwnProperty, element, value);
}

void WindowRuntime::writeCommonProperty(uint32_t windowId, uint32_t unitId, int32_t index, const Value& value) {
    UnitTemplate* record = liveRecord(windowId, unitId);
    Unit* unit = loadedUnit(windowId, unitId);
    LoadedWindow* window = loadedWindow(windowId);
    QWidget* widget = unit ? unit->widget() : nullptr;
    if (window && unit == &window->ownUnit()) widget = window;
    int32_t number = integerOfValue(value);
    switch (index) {
        case common_property::Left: record->left = number; break;
        case common_property::Top: record->top = number; break;
        case common_property::Width: record->width = number; break;
        case common_property::Height: record->height = number; break;
        case common_property::Tag: record->tag = textArgumentOf(value); return;
        case common_property::Visible: setFlag(record->stateFlags, unit_state::Visible, logicalOfValue(value)); break;
        case common_property::Disabled: setFlag(record->stateFlags, unit_state::Disabled, logicalOfValue(value)); break;
        case common_property::MousePointer: {
            auto bytes = Arguments(1, &value).bytes(0);
            record->mousePointer.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            return;
        }
        default: return;
    }
    if (!widget) return;
    if (index <= common_property::Height) {
        if (widget->isWindow()) {
            // The stored size is the outer one; the frame the desktop adds comes off it.
            QSize frameExtra = widget->frameGeometry().size() - widget->size();
            widget->move(record->left, record->top);
            widget->resize(std::max(0, record->width - frameExtra.width()),
                           std::max(0, record->height - frameExtra.height()));
        } else {
            widget->setGeometry(record->left, record->top, record->width, record->height);
        }
    } else if (index == common_property::Visible) {
        widget->setVisible(record->isVisible());
    } else if (index == common_property::Disabled) {
        widget->setEnabled(!record->isDisabled());
    }
}

void WindowRuntime::focusUnit(uint32_t windowId, uint32_t unitId) {
    Unit* unit = loadedUnit(windowId, unitId);
    if (unit && unit->widget()) unit->widget()->setFocus(Qt::OtherFocusReason);
}

void WindowRuntime::popUpMenu(uint32_t windowId, uint32_t menuItemId, std::optional<QPoint> at) {
    if (LoadedWindow* window = loadedWindow(windowId)) window->popUpMenu(menuItemId, at.value_or(QCursor::pos()));
}

int32_t WindowRuntime::routineIndex(std::string_view name) const {
    auto found = std::find(routineNames_.begin(), routineNames_.end(), name);
    return found == routineNames_.end() ? -1 : static_cast<int32_t>(found - routineNames_.begin());
}

void WindowRuntime::setRoutineObserver(std::function<void(int32_t, const EventArguments&)> observer) {
    routineObserver_ = std::move(observer);
}

}  // namespace rt
