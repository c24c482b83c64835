// The unit that stands for the window itself: its caption, frame and size.
#include <QApplication>
#include <QIcon>

#include "runtime/window/loaded_window.h"
#include "runtime/window/property_values.h"
#include "runtime/window/unit.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/units/standard_units.h"

namespace rt {
namespace {

// Frame styles: 0 none, 1 resizable, 2 fixed, 3 resizable tool window, 4 fixed tool
// window, 5 resizable with client edge, 6 fixed with client edge.
bool isResizable(int32_t style) { return style == 1 || style == 3 || style == 5; }
bool isToolWindow(int32_t style) { return style == 3 || style == 4; }

// The stored rectangle is the outer size of a window of the platform these templates
// were designed on. The desktop here draws its own frame, so the client area gets
// what that frame would have left: a caption, borders and, with a menu, a menu bar.
QSize clientSizeFor(const UnitTemplate& record, int32_t style, bool hasMenu) {
    int caption = style == 0 ? 0 : isToolWindow(style) ? 17 : 23;
    int border = style == 0 ? 0 : isResizable(style) ? 4 : 3;
    int menu = hasMenu ? 20 : 0;
    return QSize(std::max(0, record.width - 2 * border), std::max(0, record.height - caption - 2 * border - menu));
}

class WindowUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget*) override {
        PropertyBlock stored = storedProperties();
        LoadedWindow& shown = window();
        shown.setWindowTitle(fromGbk(stored.text("caption")));
        style_ = stored.integer("frame", 1);
        Qt::WindowFlags flags = Qt::Window;
        if (style_ == 0) flags |= Qt::FramelessWindowHint;
        if (!isResizable(style_)) flags |= Qt::MSWindowsFixedSizeDialogHint;
        shown.setWindowFlags(shown.windowFlags() | flags);
        if (stored.find("icon")) shown.setWindowIcon(QApplication::windowIcon());
        shown.setClientSize(clientSizeFor(record(), style_, shown.hasMenu()), isResizable(style_));
        shown.move(record().left, record().top);
        return nullptr;
    }
    Value readOwnProperty(int32_t index, int32_t) override {
        if (index == window_property::Caption) return textValue(window().windowTitle());
        if (index == window_property::FrameStyle) return Value::integer(style_);
        if (index == window_property::ClientWidth) return Value::integer(window().clientArea()->width());
        if (index == window_property::ClientHeight) return Value::integer(window().clientArea()->height());
        return {};
    }
    void writeOwnProperty(int32_t index, int32_t, const Value& value) override {
        if (index == window_property::Caption) window().setWindowTitle(qtTextOfValue(value));
    }

private:
    int32_t style_ = 1;
};

}  // namespace

void registerWindowUnitKind() {
    registerUnitKind(unit_kind::Window, constructUnit<WindowUnit>);
}

}  // namespace rt
