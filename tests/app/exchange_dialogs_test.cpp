// The data filter and the delimiter dialog of text import and export, driven through
// their units in the running main window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QRadioButton>
#include <filesystem>
#include <functional>
#include <string>

#include "app/application.h"
#include "app/document/document_commands.h"
#include "app/document/new_table.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/window_ids.h"
#include "runtime/value/file_name.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace app;
using namespace dialog_driver;

constexpr uint32_t kFilter = window_id::FilterDialog;
constexpr uint32_t kDelimiter = window_id::DelimiterDialog;

// A new table of that size in the main window, through its provider's counts.
void resizeTable(int32_t rows, int32_t columns) {
    rt::UnitAccess provider{window_id::MainWindow, main_unit::Provider};
    provider.setInteger(rt::kFirstOwnProperty, rows);
    provider.setInteger(rt::kFirstOwnProperty + 1, columns);
}

std::vector<std::string> columnTexts(int32_t column) {
    DataSourceRef table = mainDataSource();
    std::vector<std::string> texts;
    for (int32_t row = 1; row <= table.rowCount(); ++row) texts.push_back(table.cellText(row, column));
    return texts;
}

class ExchangeDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override { ASSERT_TRUE(startMainWindow()); }
    void TearDown() override { closeMainWindow({kFilter, kDelimiter}); }

    static int32_t recordedChanges() { return appState().undoPosition; }
    static std::string comboText(uint32_t dialog, const char* name) {
        return rt::toGbk(unitWidget<QComboBox>(dialog, name)->currentText());
    }

    TempDir folder;
};

TEST_F(ExchangeDialogsTest, FilterStartsKeepingByRowAndDeletesFromTheSelection) {
    DataSourceRef table = mainDataSource();
    resizeTable(4, 2);
    const char* keys[] = {"head", "10", "9", "100"};
    for (int32_t row = 1; row <= 4; ++row) table.setCellText(row, 2, keys[row - 1]);
    routines::openFilter({});
    ASSERT_TRUE(isOpen(kFilter));
    for (const char* combo : {"组合框1", "组合框2", "组合框3", "组合框4", "组合框5", "组合框6"}) {
        EXPECT_EQ(comboText(kFilter, combo), "保留") << combo;
    }
    EXPECT_TRUE(unitWidget<QRadioButton>(kFilter, "单选框_按行")->isChecked());

    selectCells(2, 2);
    click(kFilter, "选择框2");
    type(kFilter, "编辑框2", "50");
    int32_t before = recordedChanges();
    pressButton(kFilter, u"开始筛选");
    EXPECT_EQ(columnTexts(2), (std::vector<std::string>{"head", "9"}));
    EXPECT_EQ(appState().modified, 1);
    EXPECT_EQ(recordedChanges() - before, 1);
    EXPECT_TRUE(isOpen(kFilter));
}

TEST_F(ExchangeDialogsTest, UndoFilteringPutsBackTheTableBeforeTheFirstFilteringWhereverTheSelectionIs) {
    DataSourceRef table = mainDataSource();
    resizeTable(5, 3);
    const char* keys[] = {"ABC", "x", "abc", "y", "Abc"};
    for (int32_t row = 1; row <= 5; ++row) {
        table.setCellText(row, 1, keys[row - 1]);
        table.setCellText(row, 3, std::to_string(row));
    }
    routines::openFilter({});
    selectCells(1, 1);
    click(kFilter, "选择框1");
    type(kFilter, "编辑框1", "abc");
    unitWidget<QComboBox>(kFilter, "组合框1")->setCurrentIndex(1);  // 删除
    pressButton(kFilter, u"开始筛选");
    EXPECT_EQ(columnTexts(1), (std::vector<std::string>{"x", "y"}));
    // A second run with case sensitivity keeps the snapshot of the first.
    click(kFilter, "选择框_大小写");
    type(kFilter, "编辑框1", "x");
    pressButton(kFilter, u"开始筛选");
    EXPECT_EQ(columnTexts(1), (std::vector<std::string>{"y"}));

    selectCells(1, 2);
    int32_t before = recordedChanges();
    pressButton(kFilter, u"撤销筛选");
    EXPECT_EQ(table.rowCount(), 5);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(columnTexts(1), (std::vector<std::string>{"ABC", "x", "abc", "y", "Abc"}));
    EXPECT_EQ(columnTexts(3), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(recordedChanges() - before, 1);
    // Nothing left to undo: a second press changes nothing.
    pressButton(kFilter, u"撤销筛选");
    EXPECT_EQ(recordedChanges() - before, 1);
}

TEST_F(ExchangeDialogsTest, FilterByColumnUsesTheSelectionsRow) {
    DataSourceRef table = mainDataSource();
    resizeTable(2, 4);
    const char* keys[] = {"keep", "a-1", "b-2", "a-3"};
    for (int32_t column = 1; column <= 4; ++column) table.setCellText(2, column, keys[column - 1]);
    routines::openFilter({});
    selectCells(2, 2);
    click(kFilter, "单选框2");
    click(kFilter, "选择框5");
    type(kFilter, "编辑框5", "A");
    pressButton(kFilter, u"开始筛选");
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.cellText(2, 1), "keep");
    EXPECT_EQ(table.cellText(2, 2), "a-1");
    EXPECT_EQ(table.cellText(2, 3), "a-3");
}

// The table from before the filtering belongs to its document: 撤销筛选 in a new or
// opened document never brings it in.
TEST_F(ExchangeDialogsTest, ANewOrOpenedDocumentHasNoFilteringToUndo) {
    const fs::path saved = folder.path() / "saved.bge";
    const std::vector<std::pair<const char*, std::function<void()>>> documentChanges = {
        {"new", [] { newTable(); }},
        {"open", [&saved] { ASSERT_TRUE(openTableFile(saved.string())); }},
    };
    for (const auto& [name, changeDocument] : documentChanges) {
        DataSourceRef table = mainDataSource();
        resizeTable(2, 1);
        table.setCellText(1, 1, "in the file");
        ASSERT_TRUE(table.saveToFile(saved.string()));
        resizeTable(3, 1);
        table.setCellText(1, 1, "gone");
        table.setCellText(2, 1, "kept");
        routines::openFilter({});
        selectCells(1, 1);
        click(kFilter, "选择框1");
        type(kFilter, "编辑框1", "gone");
        unitWidget<QComboBox>(kFilter, "组合框1")->setCurrentIndex(1);  // 删除
        pressButton(kFilter, u"开始筛选");
        ASSERT_EQ(table.cellText(1, 1), "kept") << name;
        click(kFilter, "选择框1");

        changeDocument();
        const std::vector<std::string> shown = columnTexts(1);
        selectCells(1, 1);
        pressButton(kFilter, u"撤销筛选");
        EXPECT_EQ(columnTexts(1), shown) << name;
        EXPECT_EQ(appState().filterSnapshot, 0) << name;
    }
}

// A value that makes the pattern invalid would match nothing, and with 保留 every row
// would go.
TEST_F(ExchangeDialogsTest, AnInvalidPatternIsRefusedByNameAndDeletesNothing) {
    DataSourceRef table = mainDataSource();
    resizeTable(3, 1);
    for (int32_t row = 1; row <= 3; ++row) table.setCellText(row, 1, "a" + std::to_string(row));
    routines::openFilter({});
    selectCells(1, 1);
    click(kFilter, "选择框6");
    type(kFilter, "编辑框6", "a(");
    int32_t before = recordedChanges();
    ModalResponder responder;
    responder.pressButton(u"确定");
    pressButton(kFilter, u"开始筛选");
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].text, QStringLiteral("“右有”的值“a(”不是有效的正则表达式，没有进行筛选。"));
    EXPECT_EQ(columnTexts(1), (std::vector<std::string>{"a1", "a2", "a3"}));
    EXPECT_EQ(recordedChanges(), before);
    EXPECT_EQ(appState().filterSnapshot, 0);
}

// The snapshot stays when it cannot be put back, so nothing the person could still
// get back is thrown away.
TEST_F(ExchangeDialogsTest, AFailedUndoOfTheFilterSaysSoAndKeepsTheSnapshot) {
    DataSourceRef table = mainDataSource();
    const int32_t unknown = table.captureState();
    table.releaseState(unknown);
    appState().filterSnapshot = unknown;
    routines::openFilter({});
    ModalResponder responder;
    responder.pressButton(u"确定");
    pressButton(kFilter, u"撤销筛选");
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("错误："));
    EXPECT_EQ(appState().filterSnapshot, unknown);
}

TEST_F(ExchangeDialogsTest, ImportReadsTheChosenFileGrowsTheTableAndCloses) {
    fs::path file = folder.path() / "in.txt";
    // "换行符" takes the LF of Linux programs as well as CR LF.
    writeWholeFile(file.string(), "a;b;c;d;e;f;g;h;i;j\n1;;3\r\n");
    routines::importText({});
    ASSERT_TRUE(isOpen(kDelimiter));
    EXPECT_EQ(rt::toGbk(rt::WindowRuntime::instance().loadedWindow(kDelimiter)->windowTitle()), "导入数据");
    EXPECT_EQ(comboText(kDelimiter, "组合框1"), ";");
    EXPECT_EQ(comboText(kDelimiter, "组合框2"), "换行符");
    EXPECT_EQ(comboText(kDelimiter, "组合框_编码"), "GBK");
    ModalResponder responder;
    responder.chooseFile(file);
    int32_t before = recordedChanges();
    pressButton(kDelimiter, u"确定");
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("导入"));
    DataSourceRef table = mainDataSource();
    EXPECT_EQ(table.columnCount(), 10);
    EXPECT_EQ(table.cellText(1, 10), "j");
    EXPECT_EQ(table.cellText(2, 2), "");
    EXPECT_EQ(table.cellText(2, 3), "3");
    EXPECT_EQ(appState().modified, 1);
    EXPECT_EQ(recordedChanges() - before, 1);
    EXPECT_FALSE(isOpen(kDelimiter));
}

TEST_F(ExchangeDialogsTest, ImportProposesUtf8ForAUtf8File) {
    fs::path file = folder.path() / "utf8.txt";
    writeWholeFile(file.string(), "\xE8\xA1\xA8\xE6\xA0\xBC;x");
    routines::importText({});
    ModalResponder responder;
    responder.chooseFile(file);
    responder.pressButton(u"是(&Y)");
    pressButton(kDelimiter, u"确定");
    ASSERT_EQ(responder.seen().size(), 2u);
    EXPECT_TRUE(responder.seen()[1].text.contains(QStringLiteral("UTF-8")));
    EXPECT_EQ(mainDataSource().cellText(1, 1), "表格");
}

TEST_F(ExchangeDialogsTest, ACancelledFileDialogOrAnEmptyFileKeepsTheDialogOpen) {
    fs::path file = folder.path() / "empty.txt";
    writeWholeFile(file.string(), "");
    routines::importText({});
    ModalResponder responder;
    responder.cancelDialog();
    responder.chooseFile(file);
    pressButton(kDelimiter, u"确定");
    pressButton(kDelimiter, u"确定");
    EXPECT_TRUE(responder.allAnswered());
    EXPECT_TRUE(isOpen(kDelimiter));
    EXPECT_EQ(appState().modified, 0);
}

TEST_F(ExchangeDialogsTest, ExportWritesTheTableAndAFailedWriteSaysSo) {
    DataSourceRef table = mainDataSource();
    resizeTable(3, 3);
    table.setCellText(1, 1, "1");
    table.setCellText(1, 3, "3");
    table.setCellText(2, 2, "表");
    routines::exportText({});
    EXPECT_EQ(rt::toGbk(rt::WindowRuntime::instance().loadedWindow(kDelimiter)->windowTitle()), "导出数据");
    unitWidget<QComboBox>(kDelimiter, "组合框1")->setCurrentIndex(2);  // ","
    // A folder that is a link to itself: the write fails whoever runs the test, while
    // the file dialog still takes the name.
    fs::create_directory_symlink("loop", folder.path() / "loop");
    ModalResponder responder;
    responder.chooseFile(folder.path() / "loop" / "out.txt");
    responder.pressButton(u"确定");
    pressButton(kDelimiter, u"确定");
    ASSERT_EQ(responder.seen().size(), 2u);
    EXPECT_TRUE(responder.seen()[1].text.contains(QStringLiteral("loop/out.txt"))) << responder.seen()[1].text.toStdString();
    EXPECT_TRUE(isOpen(kDelimiter));

    responder.chooseFile(folder.path() / "out.txt");
    pressButton(kDelimiter, u"确定");
    EXPECT_EQ(readWholeFile((folder.path() / "out.txt").string()), "1,,3\r\n,表,");
    EXPECT_FALSE(isOpen(kDelimiter));
    EXPECT_EQ(appState().modified, 0);
}

TEST_F(ExchangeDialogsTest, ExportOffersATextNameAndAsksBeforeReplacingATable) {
    const fs::path table = folder.path() / "sample.bge";
    ASSERT_TRUE(mainDataSource().saveToFile(rt::textFromPath(table)));
    ASSERT_TRUE(openTableFile(rt::textFromPath(table)));
    mainDataSource().setCellText(1, 1, "x");
    routines::exportText({});
    ModalResponder responder;
    responder.chooseFile(table);
    responder.pressButton(u"否(&N)");
    pressButton(kDelimiter, u"确定");
    ASSERT_EQ(responder.seen().size(), 2u);
    EXPECT_EQ(responder.seen()[0].fileName, QStringLiteral("sample.txt"));
    EXPECT_EQ(responder.seen()[0].folder, QString::fromStdString(folder.path().string()));
    EXPECT_TRUE(responder.seen()[1].text.contains(QStringLiteral("sample.bge”是一个表格文件")))
        << responder.seen()[1].text.toStdString();
    EXPECT_EQ(readWholeFile(table.string()).substr(0, 4), "SDmR");
    EXPECT_TRUE(isOpen(kDelimiter));

    // A text file of that name is no table: it is replaced without a second question.
    const fs::path text = folder.path() / "sample.txt";
    writeWholeFile(text.string(), "old text");
    responder.chooseFile(text);
    pressButton(kDelimiter, u"确定");
    EXPECT_EQ(readWholeFile(text.string()), "x");
    ASSERT_TRUE(responder.allAnswered());
    EXPECT_EQ(responder.seen().size(), 3u);

    // Yes replaces the table with the text, as asked.
    routines::exportText({});
    responder.chooseFile(table);
    responder.pressButton(u"是(&Y)");
    pressButton(kDelimiter, u"确定");
    EXPECT_EQ(readWholeFile(table.string()), "x");
    EXPECT_EQ(responder.unscripted(), 0);
}

}  // namespace
