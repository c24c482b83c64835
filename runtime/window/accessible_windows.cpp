#include "runtime/window/accessible_windows.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace rt {
namespace {

// Qt's own factory answers first for its own classes; this one is asked for ours, the
// most derived class first. A class of ours made straight on QWidget has nothing of a
// Qt control to offer, so as a top-level window it is offered as what it is.
QAccessibleInterface* windowInterfaceFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->isWindow()) return nullptr;
    const Qt::WindowType type = widget->windowType();
    if (type != Qt::Window && type != Qt::Dialog) return nullptr;
    const QMetaObject* meta = widget->metaObject();
    while (meta && className != QLatin1String(meta->className())) meta = meta->superClass();
    if (!meta || meta->superClass() != &QWidget::staticMetaObject) return nullptr;
    // The caption is the name: QAccessibleWidget reads a window's title when it has no
    // accessible name of its own.
    return new QAccessibleWidget(widget, type == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window);
}

}  // namespace

void installAccessibleWindows() { QAccessible::installFactory(windowInterfaceFactory); }

}  // namespace rt
