#include "runtime/window/loaded_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

#include "runtime/window/accessible_names.h"
#include "runtime/window/common_event_filter.h"
#include "runtime/window/menu_builder.h"
#include "runtime/window/tab_order.h"
#include "runtime/window/window_runtime.h"

namespace rt {

LoadedWindow::LoadedWindow(const WindowTemplate& windowTemplate)
    : id_(windowTemplate.id), records_(windowTemplate.units), clientArea_(new QWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setProperty("windowClass", QStringLiteral("RmWindow"));
    setCentralWidget(clientArea_);
    // The records are in place for good now: units keep references into them.
    units_.reserve(records_.size());
    for (UnitTemplate& record : records_) {
        if (!record.isMenuItem()) units_.push_back(makeUnit(*this, record));
    }
}

LoadedWindow::~LoadedWindow() {
    closing_ = true;
    // The widgets go first, while the units their input filters and notices report
    // to still exist; then the units, last made first gone: a unit that uses another
    // (a grid its data source, a data source its provider) was made after it.
    delete clientArea_;
    clientArea_ = nullptr;
    while (!units_.empty()) units_.pop_back();
}

void LoadedWindow::build() {
    for (const auto& unit : units_) {
        QWidget* widget = unit->createWidget(unit.get() == units_.front().get() ? nullptr : clientArea_);
        if (!widget) continue;
        unit->attachWidget(widget);
    }
    // Containers may come after the units they hold, so units move into them only
    // once every unit exists.
    for (const auto& unit : units_) {
        const UnitTemplate& record = unit->record();
        QWidget* widget = unit->widget();
        if (!widget || unit.get() == units_.front().get()) continue;
        if (record.parent != 0) {
            Unit* container = this->unit(record.parent);
            if (container && container->widget()) widget->setParent(container->widget());
        }
        widget->setGeometry(record.left, record.top, record.width, record.height);
        widget->setVisible(record.isVisible());
        widget->setEnabled(!record.isDisabled());
        CommonEventFilter::attach(*unit, widget);
    }
    nameInputsAfterTheirLabels(units_);
    orderTabsByReading(*clientArea_, units_);
    for (const auto& unit : units_) unit->unitsCreated();
    // Input on the window's own area, outside every unit, belongs to the window.
    CommonEventFilter::attach(ownUnit(), clientArea_, false);
    rebuildMenu();
    if (clientSize_.isValid()) {
        int menuHeight = hasMenu() ? menuBar()->sizeHint().height() : 0;
        QSize outer(clientSize_.width(), clientSize_.height() + menuHeight);
        if (resizable_) {
            resize(outer);
        } else {
            setFixedSize(outer);
        }
        // The handlers of the events raised before the window is shown read the client
        // area's size, so the menu bar and the client area take their places now.
        layout()->activate();
    }
    reportedPosition_ = pos();
    reportedSize_ = size();
    built_ = true;
}

bool LoadedWindow::hasMenu() const {
    return std::any_of(records_.begin(), records_.end(), [](const UnitTemplate& r) { return r.isMenuItem(); });
}

void LoadedWindow::setClientSize(QSize size, bool resizable) {
    clientSize_ = size;
    resizable_ = resizable;
}

Unit* LoadedWindow::unit(uint32_t unitId) {
    if (unitId == 0) return units_.front().get();
    for (const auto& unit : units_) {
        if (unit->id() == unitId) return unit.get();
    }
    return nullptr;
}

Unit* LoadedWindow::unitByName(std::string_view name) {
    for (const auto& unit : units_) {
        if (unit->name() == name) return unit.get();
    }
    return nullptr;
}

UnitTemplate* LoadedWindow::menuItem(uint32_t itemId) {
    for (UnitTemplate& record : records_) {
        if (record.isMenuItem() && record.id == itemId) return &record;
    }
    return nullptr;
}

std::vector<UnitTemplate*> LoadedWindow::menuItems() {
    std::vector<UnitTemplate*> items;
    for (UnitTemplate& record : records_) {
        if (record.isMenuItem()) items.push_back(&record);
    }
    return items;
}

void LoadedWindow::rebuildMenu() {
    std::vector<UnitTemplate*> items = menuItems();
    if (items.empty()) return;
    buildMenuBar(*menuBar(), items, [this](int command) { runMenuCommand(command); });
}

void LoadedWindow::runMenuCommand(int commandId) {
    std::vector<UnitTemplate*> items = menuItems();
    int position = commandId - kFirstMenuCommand;
    if (position < 0 || position >= static_cast<int>(items.size())) return;
    WindowRuntime::instance().deliverEvent(id_, items[static_cast<size_t>(position)]->id, 0, {});
}

void LoadedWindow::popUpMenu(uint32_t itemId, QPoint screenPosition) {
    std::vector<UnitTemplate*> items = menuItems();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i]->id != itemId) continue;
        QMenu* menu = buildPopUpMenu(this, items, i, [this](int command) { runMenuCommand(command); });
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(screenPosition);
        return;
    }
}

void LoadedWindow::closeEvent(QCloseEvent* event) {
    if (!WindowRuntime::instance().windowMayClose(*this)) {
        event->ignore();
        return;
    }
    event->accept();
    WindowRuntime::instance().windowClosing(*this);
}

void LoadedWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (!built_ || closing_ || pos() == reportedPosition_) return;
    reportedPosition_ = pos();
    WindowRuntime::instance().deliverEvent(id_, 0, window_event::Moved, {});
}

void LoadedWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!built_ || closing_ || size() == reportedSize_) return;
    reportedSize_ = size();
    WindowRuntime::instance().deliverEvent(id_, 0, window_event::SizeChanged, {});
}

void LoadedWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (!built_ || closing_ || event->type() != QEvent::ActivationChange) return;
    int32_t which = isActiveWindow() ? window_event::Activated : window_event::Deactivated;
    WindowRuntime::instance().deliverEvent(id_, 0, which, {});
}

// Enter and Escape come here only when no unit and no key handler of the window took
// them. A dialog then does what a person expects of one: Enter presses the focused push
// button or else the default one, Escape presses the cancel button or else closes the
// window as its close box does, through the same handlers either way.
void LoadedWindow::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!built_ || closing_ || !isDialog() || !plain) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            QPushButton* button = focused && focused->isEnabled() ? focused : markedButton("default");
            if (!button) break;
            button->click();
            event->accept();
            return;
        }
        case Qt::Key_Escape:
            if (QPushButton* button = markedButton("cancel")) {
                button->click();
            } else {
                close();
            }
            event->accept();
            return;
        default: break;
    }
    QMainWindow::keyPressEvent(event);
}

QPushButton* LoadedWindow::markedButton(std::string_view property) const {
    for (const auto& unit : units_) {
        if (unit->kind() != unit_kind::Button || unit->storedProperties().integer(property) == 0) continue;
        auto* button = qobject_cast<QPushButton*>(unit->widget());
        if (button && button->isVisible() && button->isEnabled()) return button;
    }
    return nullptr;
}

}  // namespace rt
