#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <string_view>

#include "app/window_ids.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/unit.h"
#include "runtime/window/window_runtime.h"

// Drives the units of a loaded dialog by the names its interface file gives them, as
// a person would use them: boxes typed into, buttons clicked.
namespace dialog_driver {

inline void open(uint32_t dialog) {
    ASSERT_TRUE(rt::WindowRuntime::instance().loadWindow(dialog, app::window_id::MainWindow, false));
}

inline bool isOpen(uint32_t dialog) { return rt::WindowRuntime::instance().loadedWindow(dialog) != nullptr; }

// The unit's widget, or the first child of that type inside it.
template <typename Widget>
Widget* unitWidget(uint32_t dialog, const char* name) {
    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
    rt::Unit* unit = runtime.loadedUnit(dialog, runtime.unitIdByName(dialog, name));
    if (!unit || !unit->widget()) return nullptr;
    if (auto* widget = qobject_cast<Widget*>(unit->widget())) return widget;
    return unit->widget()->findChild<Widget*>();
}

inline QLineEdit* box(uint32_t dialog, const char* name) { return unitWidget<QLineEdit>(dialog, name); }
inline void type(uint32_t dialog, const char* name, std::string_view gbk) {
    box(dialog, name)->setText(rt::fromGbk(gbk));
}
inline std::string boxText(uint32_t dialog, const char* name) { return rt::toGbk(box(dialog, name)->text()); }
inline void click(uint32_t dialog, const char* name) { unitWidget<QAbstractButton>(dialog, name)->click(); }

inline void pressButton(uint32_t dialog, const char16_t* caption) {
    for (QPushButton* button : rt::WindowRuntime::instance().loadedWindow(dialog)->findChildren<QPushButton*>()) {
        if (button->text() == QString::fromUtf16(caption)) return button->click();
    }
    ADD_FAILURE() << "no button " << QString::fromUtf16(caption).toStdString();
}

}  // namespace dialog_driver
