#pragma once

#include "grid/model/page_settings.h"

class QWidget;

namespace grid {

// The page setup dialog "打印设置". Shows the settings on a copy; on "确认(&O)" writes
// every field back and returns true, on "取消(&C)" (or closing) leaves the settings
// untouched and returns false.
bool runPageSetup(QWidget* parent, PageSettings& settings);

}  // namespace grid
