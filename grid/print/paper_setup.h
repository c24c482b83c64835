#pragma once

#include <QPrinterInfo>

#include "grid/model/page_settings.h"

class QWidget;

namespace grid {

// Shows the printer's paper setup on the settings' paper size and orientation and,
// when confirmed, keeps the paper and orientation chosen there. A null printer, or
// one that cannot be opened, gets the message box "不能打开打印机设备." instead.
void runPaperSetup(QWidget* parent, const QPrinterInfo& printerInfo, PageSettings& settings);

}  // namespace grid
