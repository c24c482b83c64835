#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/template/template_segment.h"
#include "runtime/window/focus_return.h"
#include "runtime/window/unit.h"

class QPushButton;

namespace rt {

// A window on the screen, made from its template: the live copy of the unit table,
// the units' objects, the menu built from its menu items, and its modal state.
class LoadedWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit LoadedWindow(const WindowTemplate& windowTemplate);
    ~LoadedWindow() override;

    uint32_t id() const { return id_; }
    // Makes every unit in template order, each inside its container, and the menu.
    void build();
    bool isBuilt() const { return built_; }
    // Once a window is on its way out, its units raise no more events (focus and
    // geometry changes while its widgets are taken down).
    bool isClosing() const { return closing_; }
    void markClosing() { closing_ = true; }

    // The unit with this id; 0 and the window's own unit id give the window's unit.
    Unit* unit(uint32_t unitId);
    Unit* unitByName(std::string_view name);
    Unit& ownUnit() { return *units_.front(); }
    UnitTemplate* menuItem(uint32_t itemId);
    const std::vector<std::unique_ptr<Unit>>& units() const { return units_; }

    QWidget* clientArea() const { return clientArea_; }
    bool hasMenu() const;
    // The size of the area below the menu; applied once the menu exists.
    void setClientSize(QSize size, bool resizable);

    bool isModalWindow() const { return modal_; }
    void setModalWindow(bool modal) { modal_ = modal; }
    // Windows this modal window disabled, with whether each was enabled before.
    std::vector<std::pair<QPointer<QWidget>, bool>>& disabledWindows() { return disabledWindows_; }
    // Where the focus goes back to when this window is gone.
    const FocusReturn& focusReturn() const { return focusReturn_; }
    void setFocusReturn(const FocusReturn& focusReturn) { focusReturn_ = focusReturn; }

    // Rebuilds the menu bar and the keyboard shortcuts from the live menu items.
    void rebuildMenu();
    // A menu command id: 20000 + the item's position among the menu items.
    void runMenuCommand(int commandId);
    void popUpMenu(uint32_t itemId, QPoint screenPosition);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<UnitTemplate*> menuItems();
    // A window that is modal or owned by another one is a dialog to the keyboard.
    bool isDialog() const { return modal_ || parentWidget() != nullptr; }
    // The visible, enabled button the template marks with this property ("default",
    // "cancel"), or null.
    QPushButton* markedButton(std::string_view property) const;

    uint32_t id_;
    std::vector<UnitTemplate> records_;
    std::vector<std::unique_ptr<Unit>> units_;
    QWidget* clientArea_;
    QSize clientSize_;
    // What the moved and size-changed events last reported: the desktop repeats
    // geometry events (at showing, say) that change nothing.
    QPoint reportedPosition_;
    QSize reportedSize_;
    bool resizable_ = true;
    bool built_ = false;
    bool closing_ = false;
    bool modal_ = false;
    std::vector<std::pair<QPointer<QWidget>, bool>> disabledWindows_;
    FocusReturn focusReturn_;
};

}  // namespace rt
