#pragma once

#include <QPoint>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/template/template_segment.h"
#include "runtime/value/value.h"
#include "runtime/window/event_types.h"

class QEventLoop;

namespace rt {

class LoadedWindow;
class Unit;

// The window runtime: the templates read at start-up, the windows loaded from them,
// event delivery to the application's routines, and property access by index.
class WindowRuntime {
public:
    static WindowRuntime& instance();

    // Reads the template segment and keeps the routine table that handler indexes
    // point into. An unreadable segment is the runtime error "载入窗口模板数据段出错!".
    void initialise(std::span<const uint8_t> segment, std::span<const ApplicationRoutine> routines,
                    std::span<const char* const> routineNames);
    const TemplateSegment& templates() const { return templates_; }

    // Loads a window from its template. False for an unknown window or a parent that
    // is not loaded. A window already on the screen is activated (or restored) and
    // nothing new is made. A modal window disables the others and returns only when
    // it is gone.
    bool loadWindow(uint32_t windowId, uint32_t parentWindowId = 0, bool modal = false);
    // The same for the start-up window; failure is the runtime error "载入启动窗口失败".
    void loadStartupWindow(uint32_t windowId);
    // Runs until no window is left.
    int runMessageLoop();
    // Destroys a window without asking it (the will-be-destroyed event still runs).
    void destroyWindow(uint32_t windowId);

    LoadedWindow* loadedWindow(uint32_t windowId) const;
    // The unit with this id on a loaded window, or null.
    Unit* loadedUnit(uint32_t windowId, uint32_t unitId) const;
    // The id of the unit with this name in a window's template, or 0.
    uint32_t unitIdByName(uint32_t windowId, std::string_view name) const;

    HandlerResult deliverEvent(uint32_t windowId, uint32_t unitId, int32_t event, const EventArguments& arguments);
    // The unit whose event the running handler serves; zeros outside handlers.
    UnitRef currentEventSource() const { return currentEventSource_; }
    // Makes a unit use another unit's event bindings from now on (0 = its own).
    void shareEvents(uint32_t windowId, uint32_t unitId, uint32_t sharedUnitId);

    // Property access by index: 0-7 common (menu items 0-3), from 8 the kind's own.
    Value readProperty(uint32_t windowId, uint32_t unitId, int32_t index, int32_t element = -1);
    void writeProperty(uint32_t windowId, uint32_t unitId, int32_t index, const Value& value, int32_t element = -1);

    // Gives a loaded unit's widget the keyboard focus, or marks it to have the focus
    // once its window is active. Units without a widget ignore it.
    void focusUnit(uint32_t windowId, uint32_t unitId);

    // Pops up the contents of a menu item at a screen point (the pointer when none).
    void popUpMenu(uint32_t windowId, uint32_t menuItemId, std::optional<QPoint> at = std::nullopt);

    int32_t routineIndex(std::string_view name) const;
    const std::vector<std::string>& routineNames() const { return routineNames_; }
    // Called with the routine index before every handler runs (tests watch routing).
    void setRoutineObserver(std::function<void(int32_t routine, const EventArguments&)> observer);

    // For LoadedWindow: the may-close question and the end of a window.
    bool windowMayClose(LoadedWindow& window);
    void windowClosing(LoadedWindow& window);

private:
    WindowRuntime() = default;
    UnitTemplate* templateRecord(uint32_t windowId, uint32_t unitId);
    UnitTemplate* liveRecord(uint32_t windowId, uint32_t unitId);
    Value readCommonProperty(uint32_t windowId, uint32_t unitId, int32_t index);
    void writeCommonProperty(uint32_t windowId, uint32_t unitId, int32_t index, const Value& value);
    void forget(LoadedWindow& window);

    TemplateSegment templates_;
    std::vector<ApplicationRoutine> routines_;
    std::vector<std::string> routineNames_;
    std::map<uint32_t, LoadedWindow*> loaded_;
    std::map<uint32_t, QEventLoop*> modalLoops_;
    UnitRef currentEventSource_;
    std::function<void(int32_t, const EventArguments&)> routineObserver_;
};

}  // namespace rt
