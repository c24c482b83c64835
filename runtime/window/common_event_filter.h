#pragma once

#include <QObject>

namespace rt {

class Unit;

// Turns mouse, keyboard, focus and wheel input to a unit's widget (and the widgets
// inside it) into the common events -1 .. -12 of that unit. A handler's false
// swallows the input; for a typed character, 0 swallows it and another value
// replaces it.
class CommonEventFilter : public QObject {
public:
    CommonEventFilter(Unit& unit, QObject* parent) : QObject(parent), unit_(unit) {}
    // Watches the widget, and with insideToo every widget inside it.
    static void attach(Unit& unit, QWidget* widget, bool insideToo = true);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyEvent(QObject* watched, QEvent* event);
    Unit& unit_;
    bool replaying_ = false;
};

}  // namespace rt
