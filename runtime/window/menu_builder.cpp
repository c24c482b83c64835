#include "runtime/window/menu_builder.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <set>

#include "runtime/platform/gbk_codec.h"
#include "runtime/template/shortcut_names.h"

namespace rt {
namespace {

class MenuFiller {
public:
    MenuFiller(const std::vector<UnitTemplate*>& items, const std::function<void(int)>& onCommand, bool withKeys)
        : items_(items), onCommand_(onCommand), withKeys_(withKeys) {}

    // Fills menu with the items after `parent` that are deeper than it; returns the
    // position of the first item that is not.
    size_t fill(QWidget& menu, size_t parent) {
        uint32_t parentLevel = items_[parent]->menu.level;
        size_t i = parent + 1;
        while (i < items_.size() && items_[i]->menu.level > parentLevel) {
            const MenuItemData& item = items_[i]->menu;
            bool hasChildren = i + 1 < items_.size() && items_[i + 1]->menu.level > item.level;
            bool shown = !(item.stateFlags & menu_state::Hidden) && item.level == parentLevel + 1;
            if (!shown) {
                i = skipChildren(i);
                continue;
            }
            if (hasChildren) {
                auto* subMenu = new QMenu(menuCaption(item), &menu);
                subMenu->setEnabled(!(item.stateFlags & menu_state::Disabled));
                size_t next = fill(*subMenu, i);
                menu.addAction(subMenu->menuAction());
                i = next;
                continue;
            }
            menu.addAction(makeAction(menu, i));
            ++i;
        }
        return i;
    }

    size_t skipChildren(size_t i) {
        uint32_t level = items_[i]->menu.level;
        for (++i; i < items_.size() && items_[i]->menu.level > level; ++i) {
        }
        return i;
    }

    QAction* makeAction(QWidget& owner, size_t position) {
        const MenuItemData& item = items_[position]->menu;
        auto* action = new QAction(&owner);
        if (item.caption == "-") {
            action->setSeparator(true);
            return action;
        }
        action->setText(menuCaption(item));
        action->setEnabled(!(item.stateFlags & menu_state::Disabled));
        if (item.stateFlags & menu_state::Checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        std::string key = shortcutName(item.shortcut);
        if (withKeys_ && !key.empty() && usedKeys_.insert(key).second) {
            action->setShortcut(QKeySequence::fromString(QString::fromLatin1(key), QKeySequence::PortableText));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        int command = kFirstMenuCommand + static_cast<int>(position);
        QObject::connect(action, &QAction::triggered, action, [callback = onCommand_, command] { callback(command); });
        return action;
    }

private:
    const std::vector<UnitTemplate*>& items_;
    const std::function<void(int)>& onCommand_;
    bool withKeys_;
    std::set<std::string> usedKeys_;
};

}  // namespace

QString menuCaption(const MenuItemData& item) {
    QString caption = fromGbk(item.caption);
    std::string key = shortcutName(item.shortcut);
    if (!key.empty()) caption += QLatin1Char('\t') + QString::fromLatin1(key);
    return caption;
}

void buildMenuBar(QMenuBar& bar, const std::vector<UnitTemplate*>& items, const std::function<void(int)>& onCommand) {
    for (QMenu* old : bar.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) old->deleteLater();
    for (QAction* old : bar.actions()) {
        if (old->parent() == &bar) old->deleteLater();
    }
    bar.clear();
    MenuFiller filler(items, onCommand, true);
    for (size_t i = 0; i < items.size();) {
        const MenuItemData& item = items[i]->menu;
        if (item.level != 0 || (item.stateFlags & menu_state::Hidden)) {
            i = filler.skipChildren(i);
            continue;
        }
        bool hasChildren = i + 1 < items.size() && items[i + 1]->menu.level > 0;
        if (!hasChildren) {
            bar.addAction(filler.makeAction(bar, i));
            ++i;
            continue;
        }
        auto* menu = new QMenu(menuCaption(item), &bar);
        menu->setEnabled(!(item.stateFlags & menu_state::Disabled));
        i = filler.fill(*menu, i);
        bar.addMenu(menu);
    }
}

QMenu* buildPopUpMenu(QWidget* parent, const std::vector<UnitTemplate*>& items, size_t index,
                      const std::function<void(int)>& onCommand) {
    auto* menu = new QMenu(parent);
    MenuFiller filler(items, onCommand, false);
    filler.fill(*menu, index);
    return menu;
}

}  // namespace rt
