#include "runtime/window/common_event_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include "runtime/platform/gbk_codec.h"
#include "runtime/window/unit.h"
#include "runtime/window/virtual_keys.h"

namespace rt {
namespace {

int32_t mouseEventNumber(QEvent::Type type, Qt::MouseButton button) {
    bool left = button == Qt::LeftButton;
    bool right = button == Qt::RightButton;
    switch (type) {
        case QEvent::MouseButtonPress: return left ? -1 : right ? -4 : 0;
        case QEvent::MouseButtonRelease: return left ? -2 : right ? -5 : 0;
        case QEvent::MouseButtonDblClick: return left ? -3 : 0;
        case QEvent::MouseMove: return -6;
        default: return 0;
    }
}

// The character as the application sees it: its GBK code, two bytes as one number.
int32_t characterCodeOf(const QString& text) {
    std::string gbk = toGbk(text.left(1));
    if (gbk.size() == 1) return static_cast<uint8_t>(gbk[0]);
    if (gbk.size() == 2) return (static_cast<uint8_t>(gbk[0]) << 8) | static_cast<uint8_t>(gbk[1]);
    return 0;
}

QString characterOfCode(int32_t code) {
    std::string gbk;
    if (code > 0xFF) gbk += static_cast<char>((code >> 8) & 0xFF);
    gbk += static_cast<char>(code & 0xFF);
    return fromGbk(gbk);
}

}  // namespace

void CommonEventFilter::attach(Unit& unit, QWidget* widget, bool insideToo) {
    auto* filter = new CommonEventFilter(unit, widget);
    widget->installEventFilter(filter);
    if (!insideToo) return;
    for (QWidget* inner : widget->findChildren<QWidget*>()) inner->installEventFilter(filter);
}

bool CommonEventFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            int32_t number = mouseEventNumber(event->type(), mouse->button());
            if (number == 0) return false;
            // Positions are those in the unit's own widget, wherever the inner widget is.
            QPoint at = unit_.widget() ? unit_.widget()->mapFromGlobal(mouse->globalPosition().toPoint())
                                       : mouse->position().toPoint();
            return unit_.raise(number, {at.x(), at.y(), keyStateOf(mouse->modifiers())}).saysFalse();
        }
        case QEvent::FocusIn: unit_.raise(-7); return false;
        case QEvent::FocusOut: unit_.raise(-8); return false;
        case QEvent::Wheel: {
            auto* wheel = static_cast<QWheelEvent*>(event);
            int32_t notches = wheel->angleDelta().y() / 120;
            return unit_.raise(-12, {notches, keyStateOf(wheel->modifiers())}).saysFalse();
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease: return keyEvent(watched, event);
        default: return false;
    }
}

bool CommonEventFilter::keyEvent(QObject* watched, QEvent* event) {
    if (replaying_) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // A disabled unit raises no keyboard events.
    if (widget && !widget->isEnabled()) return false;
    int32_t code = virtualKeyOf(key->key());
    int32_t number = event->type() == QEvent::KeyPress ? -9 : -10;
    if (unit_.raise(number, {code, keyStateOf(key->modifiers())}).saysFalse()) return true;
    if (event->type() != QEvent::KeyPress || key->text().isEmpty() || !key->text()[0].isPrint()) return false;
    HandlerResult typed = unit_.raise(-11, {characterCodeOf(key->text())});
    if (!typed.returned) return false;
    if (typed.value == 0) return true;
    if (typed.value == characterCodeOf(key->text())) return false;
    // Another character takes the typed one's place.
    QKeyEvent replacement(QEvent::KeyPress, 0, key->modifiers(), characterOfCode(typed.value));
    replaying_ = true;
    QCoreApplication::sendEvent(watched, &replacement);
    replaying_ = false;
    return true;
}

}  // namespace rt
