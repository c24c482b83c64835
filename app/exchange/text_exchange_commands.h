#pragma once

namespace app {

// The file menu's "导入数据" and "导出数据": the delimiter dialog opens in the chosen
// mode.
void openDelimiterDialog(bool importing);
// As the dialog is created: its caption names the mode, its choices are back at their
// first items.
void prepareDelimiterDialog();
// Its "确定": asks for the file and imports or exports, by the dialog's caption. The
// dialog closes once the work is done and stays open after a cancel or a failure.
void confirmDelimiterDialog();

}  // namespace app
