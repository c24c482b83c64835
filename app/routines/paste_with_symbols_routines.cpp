// PasteWithSymbolsDialog: texts with a counting symbol written into the selected cells.
#include <string>
#include <string_view>

#include "app/edit/counting_symbols.h"
#include "app/edit/table_change.h"
#include "app/routines/routine.h"
#include "app/settings/table_settings.h"
#include "app/units/data_source_ref.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app::routines {
namespace {

constexpr uint32_t kDialog = window_id::PasteWithSymbolsDialog;

// Section "存储" remembers the two texts between uses of the dialog.
constexpr std::string_view kStoreSection = "存储";
constexpr std::string_view kText1Key = "粘贴";
constexpr std::string_view kText2Key = "粘贴1";

DialogUnit text1Box() { return DialogUnit(kDialog, "编辑框_文本1"); }
DialogUnit text2Box() { return DialogUnit(kDialog, "编辑框_文本2"); }
DialogUnit startBox() { return DialogUnit(kDialog, "编辑框_起值"); }
DialogUnit stepBox() { return DialogUnit(kDialog, "编辑框_递增"); }
DialogUnit digitsChoice() { return DialogUnit(kDialog, "单选框_递增数字"); }

SymbolCounter checkedCounter() {
    if (digitsChoice().isChecked()) return SymbolCounter::digits(startBox().text(), stepBox().text());
    if (DialogUnit(kDialog, "单选框_递增大字母").isChecked()) return SymbolCounter(SymbolKind::UpperLetters);
    if (DialogUnit(kDialog, "单选框_递增小字母").isChecked()) return SymbolCounter(SymbolKind::LowerLetters);
    if (DialogUnit(kDialog, "单选框_递增中文字").isChecked()) return SymbolCounter(SymbolKind::ChineseNumerals);
    return SymbolCounter(SymbolKind::None);
}

SymbolPlace checkedPlace() {
    if (DialogUnit(kDialog, "单选框_左边").isChecked()) return SymbolPlace::Left;
    if (DialogUnit(kDialog, "单选框_右边").isChecked()) return SymbolPlace::Right;
    if (DialogUnit(kDialog, "单选框_中间").isChecked()) return SymbolPlace::Between;
    return SymbolPlace::None;
}

}  // namespace

HandlerResult pasteWithSymbolsCreated(const EventArguments&) {
    rt::ProfileFile settings = settingsFile();
    text1Box().setText(settings.read(kStoreSection, kText1Key, ""));
    text2Box().setText(settings.read(kStoreSection, kText2Key, ""));
    shareEvents(kDialog, {"单选框_递增大字母", "单选框_递增小字母", "单选框_递增中文字"},
                "单选框_递增数字");
    return {};
}

// Start and step mean something for numbers only.
HandlerResult symbolKindClicked(const EventArguments&) {
    bool digits = digitsChoice().isChecked();
    startBox().setEnabled(digits);
    stepBox().setEnabled(digits);
    return {};
}

HandlerResult pasteWithSymbolsCancel(const EventArguments&) {
    rt::destroyWindow(kDialog);
    return {};
}

// Row by row, each row from left to right, every cell of the selection as it is at
// the press; the dialog stays open.
HandlerResult pasteWithSymbolsConfirm(const EventArguments&) {
    GridRef grid = mainGrid();
    int32_t firstRow = grid.selectionRow();
    int32_t firstColumn = grid.selectionColumn();
    int32_t rowCount = grid.selectionRowCount();
    int32_t columnCount = grid.selectionColumnCount();
    std::string text1 = text1Box().text();
    std::string text2 = text2Box().text();
    SymbolCounter counter = checkedCounter();
    SymbolPlace place = checkedPlace();
    DataSourceRef table = mainDataSource();
    bool anyCell = firstRow >= 1 && firstColumn >= 1 && rowCount > 0 && columnCount > 0;
    for (int32_t row = firstRow; row < firstRow + rowCount; ++row) {
        for (int32_t column = firstColumn; column < firstColumn + columnCount; ++column) {
            table.setCellText(row, column, cellTextWithSymbol(place, counter.next(), text1, text2));
        }
    }
    if (anyCell) recordTableChange();
    rt::ProfileFile settings = settingsFile();
    settings.write(kStoreSection, kText1Key, text1);
    if (place == SymbolPlace::Between) settings.write(kStoreSection, kText2Key, text2);
    return {};
}

}  // namespace app::routines
