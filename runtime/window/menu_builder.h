#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "runtime/template/template_segment.h"

class QMenu;
class QMenuBar;
class QWidget;

namespace rt {

inline constexpr int kFirstMenuCommand = 20000;

// The caption a menu shows: the stored caption, then a tab and the key name when the
// item has a shortcut.
QString menuCaption(const MenuItemData& item);

// Builds the menu bar from the flat item list: level-0 items that are not hidden
// become the bar's entries, deeper items their contents; every item consumes one
// command id (20000 + position) whether shown or not. A key goes to the first shown
// item that names it; a later item with the same key only shows it.
void buildMenuBar(QMenuBar& bar, const std::vector<UnitTemplate*>& items, const std::function<void(int)>& onCommand);

// The contents of item `index` as a pop-up menu (the caller shows and deletes it).
QMenu* buildPopUpMenu(QWidget* parent, const std::vector<UnitTemplate*>& items, size_t index,
                      const std::function<void(int)>& onCommand);

}  // namespace rt
