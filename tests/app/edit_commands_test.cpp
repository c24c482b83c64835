// The edit and table commands on the main window, driven through their routines with
// the grid's selection set as a person would set it, and the undo history they build.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/document/document_commands.h"
#include "app/jobs.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/main_menu_items.h"
#include "app/window_ids.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/platform/settings_location.h"
#include "runtime/value/file_name.h"
#include "runtime/value/program_location.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/window_runtime.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace app;

const char16_t* const kYes = u"是(&Y)";
const char16_t* const kNo = u"否(&N)";
const char16_t* const kOk = u"确定";

class EditCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override {
        std::error_code ignored;
        fs::remove(rt::settingsFilePath(rt::programDirectory()), ignored);
        ASSERT_TRUE(startMainWindow());
    }
    void TearDown() override { closeMainWindow(); }

    // Through the grid's editor, so the grid raises its event as it does for a person.
    static void type(int32_t row, int32_t column, const QString& text) {
        selectCells(row, column);
        ASSERT_TRUE(mainGridWidget().startEdit(text));
        mainGridWidget().commitEdit();
    }
    static std::string text(int32_t row, int32_t column) { return mainDataSource().cellText(row, column); }
    static bool isEnabled(uint32_t item) { return !rt::UnitAccess(window_id::MainWindow, item).logical(2); }
    static size_t states() { return appState().undoHistory.size(); }
};

QString qt(std::string_view gbk) { return rt::fromGbk(gbk); }

TEST_F(EditCommandsTest, PasteTilesTheCopiedBlockOncePerSelectedCell) {
    mainDataSource().setCellText(2, 2, "甲");
    selectCells(2, 2);
    routines::copyCells({});
    selectCells(5, 3, 3, 4);
    routines::pasteCells({});
    for (int32_t row = 5; row <= 7; ++row) {
        for (int32_t column = 3; column <= 6; ++column) EXPECT_EQ(qt(text(row, column)), QStringLiteral("甲"));
    }
    EXPECT_EQ(text(8, 3), "");
    EXPECT_EQ(text(5, 7), "");

    // A 2 x 2 block on a 3 x 1 selection lands three times, two rows apart, and the
    // table grows where the last one does not fit.
    const int32_t rows = mainDataSource().rowCount();
    mainDataSource().setCellText(1, 1, "a");
    mainDataSource().setCellText(2, 2, "d");
    selectCells(1, 1, 2, 2);
    routines::copyCells({});
    selectCells(rows - 2, 8, 3, 1);
    routines::pasteCells({});
    EXPECT_EQ(mainDataSource().rowCount(), rows + 3);
    EXPECT_EQ(mainDataSource().columnCount(), 9);
    for (int32_t row : {rows - 2, rows, rows + 2}) {
        EXPECT_EQ(text(row, 8), "a") << row;
        EXPECT_EQ(text(row + 1, 9), "d") << row;
    }
}

TEST_F(EditCommandsTest, CopyKeepsTheBufferAndPutsTheTextsOnTheDesktopClipboard) {
    mainDataSource().setCellText(1, 1, "名称");
    mainDataSource().setCellText(1, 2, "a\tb");
    mainDataSource().setCellText(2, 1, "say \"hi\"");
    mainDataSource().setCellText(2, 2, "two\r\nlines");
    selectCells(1, 1, 2, 2);
    routines::copyCells({});
    EXPECT_EQ(appState().copyArea, (std::array<int32_t, 4>{1, 1, 2, 2}));
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("名称\t\"a\tb\"\nsay \"hi\"\t\"two\nlines\""));

    // The buffer outlives the document: a new table can take what the old one gave.
    routines::newTableFromMenu({});
    ModalResponder responder;
    selectCells(3, 3);
    routines::pasteCells({});
    EXPECT_EQ(qt(text(3, 3)), QStringLiteral("名称"));
    EXPECT_EQ(text(4, 4), "two\r\nlines");
}

// 粘贴文本 gives back exactly the copied cell, also what was still being typed into it.
TEST_F(EditCommandsTest, OneCopiedCellComesBackAsItsTextIncludingAnOpenEdit) {
    for (const QString& typed : {QStringLiteral("abc"), QStringLiteral("\"引号\"\t制表")}) {
        selectCells(1, 1);
        ASSERT_TRUE(mainGridWidget().startEdit(typed));
        routines::copyCells({});
        EXPECT_EQ(qt(text(1, 1)), typed) << "the open edit was committed first";
        selectCells(3, 1, 2, 2);
        routines::pasteText({});
        for (auto [row, column] : {std::pair{3, 1}, {4, 2}}) EXPECT_EQ(qt(text(row, column)), typed);
    }
}

TEST_F(EditCommandsTest, CopyWithNothingUnderTheSelectionSaysSoAndKeepsTheBuffer) {
    mainDataSource().setCellText(1, 1, "kept in buffer");
    selectCells(1, 1);
    routines::copyCells({});
    mainDataSource().deleteColumns(1, 8);
    ModalResponder responder;
    responder.pressButton(kOk);
    routines::cutCells({});
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].text, QStringLiteral("请选择要复制的单元格"));
    EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("提示："));
    EXPECT_FALSE(appState().copyBuffer.empty()) << "the buffer keeps what it had";
    mainDataSource().insertColumns(1, 2);
    selectCells(1, 2);
    routines::pasteCells({});
    EXPECT_EQ(text(1, 2), "kept in buffer");
}

TEST_F(EditCommandsTest, PasteTextPutsTheWholeClipboardTextIntoEverySelectedCell) {
    QApplication::clipboard()->setText(QStringLiteral("左\t右\n下"));
    selectCells(2, 2, 2, 2);
    routines::pasteText({});
    for (auto [row, column] : {std::pair{2, 2}, {2, 3}, {3, 2}, {3, 3}}) {
        EXPECT_EQ(qt(text(row, column)), QStringLiteral("左\t右\r\n下"));
    }
    EXPECT_EQ(text(4, 2), "");

    size_t before = states();
    QApplication::clipboard()->setText(QString());
    routines::pasteText({});
    EXPECT_EQ(states(), before) << "an empty clipboard changes nothing";
}

// Whatever changes the table marks the document and becomes one undo state, so a
// person is asked before closing and can take the change back.
TEST_F(EditCommandsTest, EveryCommandThatChangesTheTableRecordsOneUndoState) {
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"cut", [] { routines::cutCells({}); }},
        {"paste", [] {
             routines::copyCells({});
             selectCells(10, 1);
             routines::pasteCells({});
         }},
        {"paste text", [] {
             QApplication::clipboard()->setText(QStringLiteral("x"));
             routines::pasteText({});
         }},
        {"clear contents", [] { routines::clearContents({}); }},
        {"merge", [] { routines::mergeSelection({}); }},
        {"split", [] {
             routines::mergeSelection({});
             appState().modified = 0;
             routines::splitSelection({});
         }},
        {"insert row", [] { routines::insertRow({}); }},
        {"insert column", [] { routines::insertColumn({}); }},
        {"append row", [] { jobs::appendRow({}); }},
        {"delete rows", [] { routines::deleteSelectedRows({}); }},
        {"delete columns", [] { routines::deleteSelectedColumns({}); }},
        {"equal heights", [] {
             mainDataSource().setRowHeight(1, 1, 150);
             jobs::equalRowHeights({});
         }},
        {"equal widths", [] {
             mainDataSource().setColumnWidth(1, 1, 500);
             jobs::equalColumnWidths({});
         }},
        {"pop-up clear", [] { routines::popupClear({}); }},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        type(1, 1, QStringLiteral("x"));
        appState().modified = 0;
        selectCells(1, 1, 2, 2);
        c.run();
        EXPECT_EQ(appState().modified, 1) << c.name;
        EXPECT_EQ(states(), std::string_view(c.name) == "split" ? 4u : 3u) << c.name;
        EXPECT_TRUE(isEnabled(main_menu_item::Undo)) << c.name;
    }

    TearDown();
    SetUp();
    type(1, 1, QStringLiteral("x"));
    routines::copyCells({});
    selectCells(2, 1);
    routines::pasteCells({});
    EXPECT_EQ(states(), 3u);
    ModalResponder responder;
    routines::deleteSelectedColumns({});
    routines::insertRow({});
    EXPECT_EQ(states(), 5u);
    EXPECT_TRUE(responder.seen().empty());
}

// A command that leaves the table as it was is no change: closing asks nothing and
// Undo has nothing to take back.
TEST_F(EditCommandsTest, ACommandThatChangesNothingLeavesTheDocumentUnmodified) {
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"clear empty cells", [] { routines::clearContents({}); }},
        {"cut empty cells", [] { routines::cutCells({}); }},
        {"merge one cell", [] {
             selectCells(2, 2);
             routines::mergeSelection({});
         }},
        {"split a cell that is not merged", [] { routines::splitSelection({}); }},
        {"equal heights of equal rows", [] { jobs::equalRowHeights({}); }},
        {"equal widths of equal columns", [] { jobs::equalColumnWidths({}); }},
        {"the grid's event with no edit", [] { routines::recordSnapshot({}); }},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        selectCells(2, 2, 2, 2);
        c.run();
        EXPECT_EQ(appState().modified, 0) << c.name;
        EXPECT_EQ(states(), 1u) << c.name;
        EXPECT_FALSE(isEnabled(main_menu_item::Undo)) << c.name;
    }
}

TEST_F(EditCommandsTest, ClearTableAsksAndOnlyYesEmptiesEveryCell) {
    mainDataSource().setCellText(30, 8, "last");
    mainDataSource().setRowHeight(2, 1, 99);
    {
        ModalResponder responder;
        responder.pressButton(kNo);
        routines::clearTable({});
        ASSERT_EQ(responder.seen().size(), 1u);
        EXPECT_EQ(responder.seen()[0].text, QStringLiteral("确定清空表格吗？"));
        EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("询问："));
    }
    EXPECT_EQ(text(30, 8), "last");
    {
        ModalResponder responder;  // nothing scripted: the box is left with Escape
        routines::clearTable({});
        EXPECT_EQ(responder.unscripted(), 1);
    }
    EXPECT_EQ(text(30, 8), "last");
    EXPECT_EQ(states(), 1u);
    {
        ModalResponder responder;
        responder.pressButton(kYes);
        routines::clearTable({});
    }
    EXPECT_EQ(text(30, 8), "");
    EXPECT_EQ(mainDataSource().rowHeight(2), 99) << "sizes stay";
    EXPECT_EQ(mainDataSource().rowCount(), 30);
    EXPECT_EQ(states(), 2u);
}

TEST_F(EditCommandsTest, EqualisingGivesTheTruncatedAverage) {
    mainDataSource().setRowHeight(1, 1, 60);
    mainDataSource().setRowHeight(2, 1, 61);
    mainDataSource().setRowHeight(3, 1, 65);
    selectCells(1, 1, 3, 2);
    jobs::equalRowHeights({});
    for (int32_t row = 1; row <= 3; ++row) EXPECT_EQ(mainDataSource().rowHeight(row), 62);
    EXPECT_EQ(mainDataSource().rowHeight(4), 65);
    mainDataSource().setColumnWidth(1, 1, 2'000'000'000);
    mainDataSource().setColumnWidth(2, 1, 2'000'000'000);
    jobs::equalColumnWidths({});
    EXPECT_EQ(mainDataSource().columnWidth(1), 2'000'000'000) << "no overflow in the sum";
}

TEST_F(EditCommandsTest, FiftyOneTypedCellsKeepFiftyStatesAndUndoStepsBackFortyNineTimes) {
    for (int32_t cell = 1; cell <= 51; ++cell) type(cell % 30 + 1, cell / 30 + 1, QString::number(cell));
    EXPECT_EQ(states(), 50u);
    EXPECT_EQ(appState().undoPosition, 50);
    for (int step = 1; step <= 49; ++step) {
        ASSERT_TRUE(isEnabled(main_menu_item::Undo)) << step;
        routines::undo({});
    }
    EXPECT_FALSE(isEnabled(main_menu_item::Undo));
    EXPECT_TRUE(isEnabled(main_menu_item::Redo));
    EXPECT_EQ(text(2, 1), "1") << "the oldest state kept holds the first two typed cells";
    EXPECT_EQ(text(3, 1), "2");
    EXPECT_EQ(text(4, 1), "");
    routines::undo({});
    EXPECT_EQ(appState().undoPosition, 1);
    EXPECT_EQ(text(3, 1), "2");
}

TEST_F(EditCommandsTest, ANewChangeAfterUndoKeepsTheUndoneStatesToStepThrough) {
    type(1, 1, QStringLiteral("one"));
    type(1, 1, QStringLiteral("two"));
    routines::undo({});
    EXPECT_EQ(text(1, 1), "one");
    type(2, 2, QStringLiteral("new"));
    EXPECT_EQ(states(), 4u);
    EXPECT_TRUE(isEnabled(main_menu_item::Redo)) << "a new change does not disable Redo";

    routines::undo({});
    EXPECT_EQ(text(1, 1), "two") << "the state the first Undo left";
    EXPECT_EQ(text(2, 2), "");
    routines::undo({});
    EXPECT_EQ(text(1, 1), "one");
    routines::redo({});
    routines::redo({});
    EXPECT_EQ(text(2, 2), "new");
    EXPECT_FALSE(isEnabled(main_menu_item::Redo));
    routines::redo({});
    EXPECT_EQ(appState().undoPosition, 4);
}

// Undo puts the table back as it was, rows and sizes included, not just the cells
// that a snapshot happened to cover.
TEST_F(EditCommandsTest, UndoAndRedoBringBackStructureAndSizes) {
    type(2, 1, QStringLiteral("second"));
    selectCells(2, 1);
    routines::insertRow({});
    EXPECT_EQ(text(3, 1), "second");
    selectCells(1, 2);
    routines::deleteSelectedColumns({});
    const int32_t insertedHeight = mainDataSource().rowHeight(2);
    mainDataSource().setRowHeight(1, 1, 150);
    selectCells(1, 1, 2, 1);
    jobs::equalRowHeights({});
    EXPECT_EQ(mainDataSource().rowHeight(2), (150 + insertedHeight) / 2);

    routines::undo({});
    EXPECT_EQ(mainDataSource().rowHeight(1), 65);
    EXPECT_EQ(mainDataSource().rowHeight(2), insertedHeight);
    routines::undo({});
    EXPECT_EQ(mainDataSource().columnCount(), 8);
    EXPECT_EQ(mainDataSource().rowCount(), 31);
    routines::undo({});
    EXPECT_EQ(mainDataSource().rowCount(), 30);
    EXPECT_EQ(text(2, 1), "second");
    EXPECT_EQ(text(3, 1), "") << "no duplicated row is left behind";

    routines::redo({});
    routines::redo({});
    EXPECT_EQ(mainDataSource().rowCount(), 31);
    EXPECT_EQ(mainDataSource().columnCount(), 7);
    EXPECT_EQ(text(3, 1), "second");
}

TEST_F(EditCommandsTest, UndoCommitsAnOpenEditFirstAndMarksTheDocument) {
    type(1, 1, QStringLiteral("saved"));
    appState().modified = 0;
    selectCells(1, 2);
    ASSERT_TRUE(mainGridWidget().startEdit(QStringLiteral("typing")));
    routines::undo({});
    EXPECT_EQ(text(1, 2), "") << "Undo took back the edit that was open";
    EXPECT_EQ(text(1, 1), "saved");
    EXPECT_EQ(appState().modified, 1) << "what is shown is no longer what was saved";
    routines::redo({});
    EXPECT_EQ(text(1, 2), "typing");
}

TEST_F(EditCommandsTest, DeletingNeedsASelectionAndInsertingOneRowMovesTheRest) {
    type(5, 1, QStringLiteral("five"));
    selectCells(5, 1);
    routines::insertRow({});
    EXPECT_EQ(text(6, 1), "five");
    routines::insertColumn({});
    EXPECT_EQ(text(6, 2), "five");
    selectCells(3, 1, 3, 1);
    routines::deleteSelectedRows({});
    EXPECT_EQ(text(3, 2), "five");
    EXPECT_EQ(mainDataSource().rowCount(), 28);

    mainDataSource().deleteRows(1, 28);
    size_t before = states();
    routines::deleteSelectedRows({});
    EXPECT_EQ(states(), before) << "no rows to delete, nothing recorded";
    mainDataSource().deleteColumns(1, 9);
    routines::deleteSelectedColumns({});
    EXPECT_EQ(states(), before);
}

TEST_F(EditCommandsTest, DraggedSizesAreChangesOfTheTable) {
    auto& runtime = rt::WindowRuntime::instance();
    mainDataSource().setRowHeight(3, 1, 200);
    runtime.deliverEvent(window_id::MainWindow, main_unit::Grid, 3, {3});
    EXPECT_EQ(appState().modified, 1);
    mainDataSource().setColumnWidth(2, 1, 700);
    runtime.deliverEvent(window_id::MainWindow, main_unit::Grid, 4, {2});
    EXPECT_EQ(states(), 3u);
    routines::undo({});
    routines::undo({});
    EXPECT_EQ(mainDataSource().rowHeight(3), 65);
    EXPECT_EQ(mainDataSource().columnWidth(2), 250);
}

// The loaded table becomes an undo state of its own: Undo goes back to what was
// there before it, and Redo returns to the loaded table, which is not marked.
TEST_F(EditCommandsTest, UndoStepsBackOverAnOpenedTableAndRedoReturnsToIt) {
    TempDir folder;
    std::string path = rt::textFromPath(folder.path() / "opened.bge");
    mainDataSource().setCellText(1, 1, "in the file");
    ASSERT_TRUE(mainDataSource().saveToFile(path));
    mainDataSource().setCellText(1, 1, "");
    type(2, 2, QStringLiteral("typed before"));
    appState().modified = 0;

    ASSERT_TRUE(openTableFile(path));
    EXPECT_EQ(appState().modified, 0);
    EXPECT_TRUE(isEnabled(main_menu_item::Undo));
    routines::undo({});
    EXPECT_EQ(text(2, 2), "typed before");
    EXPECT_EQ(text(1, 1), "");
    routines::redo({});
    EXPECT_EQ(text(1, 1), "in the file");
    EXPECT_EQ(text(2, 2), "");
}

}  // namespace
