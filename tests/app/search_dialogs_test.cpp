// The find, replace and sort dialogs driven as a person uses them: texts typed, boxes
// ticked, buttons pressed and keys struck, with the grid's current cell, the status
// bar, the table and its undo history checked afterwards.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"

namespace {

using namespace app;
using namespace dialog_driver;

constexpr uint32_t kFind = window_id::FindDialog;
constexpr uint32_t kReplace = window_id::ReplaceDialog;
constexpr uint32_t kSort = window_id::SortDialog;

struct Cell {
    int32_t row;
    int32_t column;
    friend bool operator==(const Cell&, const Cell&) = default;
};

class SearchDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override { ASSERT_TRUE(startMainWindow()); }
    void TearDown() override { closeMainWindow({kFind, kReplace, kSort}); }

    static void fill(const std::vector<std::vector<const char*>>& rows) {
        DataSourceRef table = mainDataSource();
        for (size_t row = 0; row < rows.size(); ++row) {
            for (size_t column = 0; column < rows[row].size(); ++column) {
                table.setCellText(int32_t(row) + 1, int32_t(column) + 1, rows[row][column]);
            }
        }
        routines::recordSnapshot({});
    }
    static std::vector<std::string> column(int32_t column, int32_t rows) {
        std::vector<std::string> texts;
        for (int32_t row = 1; row <= rows; ++row) texts.push_back(mainDataSource().cellText(row, column));
        return texts;
    }
    static Cell currentCell() { return {mainGrid().selectionRow(), mainGrid().selectionColumn()}; }
    static std::string statusMessage() {
        return rt::UnitAccess(window_id::MainWindow, main_unit::StatusBar).text(rt::kFirstOwnProperty, 2);
    }
    static int32_t recordedChanges() { return appState().undoPosition; }
};

TEST_F(SearchDialogsTest, FindNextMovesTheCurrentCellInTheChosenOrderAndWrapsAround) {
    fill({{"apple", "x", "Apple pie"}, {"", "APPLE", ""}, {"pear", "", "apple"}});
    const int32_t before = recordedChanges();
    struct Case {
        bool byColumns;
        bool matchCase;
        std::vector<Cell> visits;  // from the first cell on
        std::vector<bool> wrapped;
    };
    const Case cases[] = {
        {false, false, {{1, 3}, {2, 2}, {3, 3}, {1, 1}, {1, 3}}, {false, false, false, true, false}},
        {true, false, {{2, 2}, {1, 3}, {3, 3}, {1, 1}}, {false, false, false, true}},
        {false, true, {{3, 3}, {1, 1}, {3, 3}}, {false, true, false}},
    };
    for (const Case& c : cases) {
        routines::openFind({});
        type(kFind, "编辑框_查找", "apple");
        unitWidget<QRadioButton>(kFind, c.byColumns ? "单选框_按列" : "单选框_按行")->setChecked(true);
        unitWidget<QAbstractButton>(kFind, "选择框_大小写")->setChecked(c.matchCase);
        selectCells(1, 1);
        for (size_t step = 0; step < c.visits.size(); ++step) {
            pressButton(kFind, u"查找下一个");
            EXPECT_EQ(currentCell(), c.visits[step]) << "step " << step << (c.byColumns ? " by columns" : " by rows");
            EXPECT_EQ(statusMessage() == "已查找到表格末尾，从开头继续查找。", c.wrapped[step]) << "step " << step;
        }
    }
    EXPECT_EQ(recordedChanges(), before) << "finding changes nothing";
}

// The current cell scrolls into view, a merged block is found once by its first cell,
// and Enter in the text box is 查找下一个.
TEST_F(SearchDialogsTest, FindNextScrollsToAFarMatchAndTakesAMergedBlockAsOneCell) {
    DataSourceRef table = mainDataSource();
    ASSERT_TRUE(table.appendRows(300));
    table.setCellText(290, 2, "目标");
    table.mergeCells(290, 2, 2, 2);
    table.setCellText(5, 1, "目标");
    selectCells(6, 1);
    routines::openFind({});
    type(kFind, "编辑框_查找", "目标");
    QTest::keyClick(box(kFind, "编辑框_查找"), Qt::Key_Return);
    EXPECT_EQ(currentCell(), (Cell{290, 2}));
    EXPECT_EQ(mainGrid().selection().rowCount, 2);
    EXPECT_EQ(mainGrid().selection().columnCount, 2);
    EXPECT_LE(mainGridWidget().scrollRow(), 289);
    EXPECT_GT(mainGridWidget().scrollRow(), 200) << "scrolled down to the match";
    QTest::keyClick(box(kFind, "编辑框_查找"), Qt::Key_Return);
    EXPECT_EQ(currentCell(), (Cell{5, 1})) << "past the block's other cells, round to the start";
    QTest::keyClick(box(kFind, "编辑框_查找"), Qt::Key_Escape);
    EXPECT_FALSE(isOpen(kFind));
}

TEST_F(SearchDialogsTest, FindAllSelectsTheFirstMatchAndTellsTheCountOrWhatWasNotFound) {
    fill({{"a1", "b"}, {"xa", "A"}, {"", "a"}});
    selectCells(3, 2);
    routines::openFind({});
    type(kFind, "编辑框_查找", "a");
    ModalResponder responder;
    responder.pressButton(u"确定");
    pressButton(kFind, u"全部查找");
    EXPECT_EQ(currentCell(), (Cell{1, 1}));

    type(kFind, "编辑框_查找", "a");
    click(kFind, "选择框_完全匹配");
    responder.pressButton(u"确定");
    pressButton(kFind, u"全部查找");
    EXPECT_EQ(currentCell(), (Cell{2, 2}));

    type(kFind, "编辑框_查找", "zz");
    responder.pressButton(u"确定");
    pressButton(kFind, u"全部查找");
    type(kFind, "编辑框_查找", "a(");
    click(kFind, "选择框_正则");
    responder.pressButton(u"确定");
    pressButton(kFind, u"查找下一个");
    EXPECT_EQ(currentCell(), (Cell{2, 2})) << "nothing found moves nothing";

    ASSERT_EQ(responder.seen().size(), 4u);
    EXPECT_EQ(responder.seen()[0].text, QStringLiteral("共找到 4 处。"));
    EXPECT_EQ(responder.seen()[1].text, QStringLiteral("共找到 2 处。"));
    EXPECT_EQ(responder.seen()[2].text, QStringLiteral("找不到“zz”。"));
    EXPECT_EQ(responder.seen()[3].text, QStringLiteral("“a(”不是有效的正则表达式。"));
    EXPECT_EQ(responder.unscripted(), 0);
}

TEST_F(SearchDialogsTest, ReplaceChangesTheCurrentMatchThenMovesToTheNext) {
    fill({{"猫", "小猫"}, {"狗", "猫猫"}});
    const int32_t before = recordedChanges();
    selectCells(1, 2);
    routines::openReplace({});
    type(kReplace, "编辑框_查找", "猫");
    type(kReplace, "编辑框_替换", "鱼");
    pressButton(kReplace, u"替换");
    EXPECT_EQ(mainDataSource().cellText(1, 2), "小鱼");
    EXPECT_EQ(currentCell(), (Cell{2, 2}));
    pressButton(kReplace, u"替换");
    EXPECT_EQ(mainDataSource().cellText(2, 2), "鱼鱼");
    EXPECT_EQ(currentCell(), (Cell{1, 1}));
    EXPECT_EQ(mainDataSource().cellText(1, 1), "猫") << "found, not yet replaced";
    EXPECT_EQ(recordedChanges(), before + 2) << "one undo step for each replacement";
}

TEST_F(SearchDialogsTest, ReplaceAllWorksOnTheSelectionOrTheWholeTableAndUndoesInOneStep) {
    const std::vector<std::vector<const char*>> texts = {{"ab", "b"}, {"AB", "xab"}, {"ab", "cd"}};
    fill(texts);
    const int32_t before = recordedChanges();
    DataSourceRef table = mainDataSource();
    routines::openReplace({});
    type(kReplace, "编辑框_查找", "ab");
    type(kReplace, "编辑框_替换", "Z");
    ModalResponder responder;

    selectCells(1, 1, 2, 2);
    responder.pressButton(u"确定");
    pressButton(kReplace, u"全部替换");
    EXPECT_EQ(column(1, 3), (std::vector<std::string>{"Z", "Z", "ab"})) << "only the selection";
    EXPECT_EQ(table.cellText(2, 2), "xZ");
    EXPECT_EQ(recordedChanges(), before + 1);
    routines::undo({});
    EXPECT_EQ(column(1, 3), (std::vector<std::string>{"ab", "AB", "ab"}));
    EXPECT_EQ(table.cellText(2, 2), "xab");

    selectCells(2, 2);
    responder.pressButton(u"确定");
    pressButton(kReplace, u"全部替换");
    EXPECT_EQ(column(1, 3), (std::vector<std::string>{"Z", "Z", "Z"})) << "one cell selected: the whole table";

    // Whole-cell regular expressions with the match named in the replacement.
    fill(texts);
    type(kReplace, "编辑框_查找", "a(b)");
    type(kReplace, "编辑框_替换", "[$1$&]");
    click(kReplace, "选择框_正则");
    click(kReplace, "选择框_完全匹配");
    click(kReplace, "选择框_大小写");
    responder.pressButton(u"确定");
    pressButton(kReplace, u"全部替换");
    EXPECT_EQ(column(1, 3), (std::vector<std::string>{"[bab]", "AB", "[bab]"}));
    EXPECT_EQ(table.cellText(2, 2), "xab");

    ASSERT_EQ(responder.seen().size(), 3u);
    EXPECT_EQ(responder.seen()[0].text, QStringLiteral("已替换 3 处。"));
    EXPECT_EQ(responder.seen()[1].text, QStringLiteral("已替换 4 处。"));
    EXPECT_EQ(responder.seen()[2].text, QStringLiteral("已替换 2 处。"));
}

// Every key list offers the columns by number and first-row text; the three orders
// start ascending, each in its own group.
TEST_F(SearchDialogsTest, SortThroughTheDialogSortsBelowTheTitleRowAndUndoesInOneStep) {
    fill({{"姓名", "年龄"}, {"张三", "30"}, {"李四", "9"}, {"王五", "30"}, {"赵六", "100"}});
    selectCells(3, 2);
    open(kSort);
    auto* firstKey = unitWidget<QComboBox>(kSort, "组合框1");
    ASSERT_GE(firstKey->count(), 2);
    EXPECT_EQ(firstKey->itemText(0), QStringLiteral("第1列（姓名）"));
    EXPECT_EQ(unitWidget<QComboBox>(kSort, "组合框2")->itemText(0), QStringLiteral("（无）"));
    for (const char* ascending : {"单选框_升序1", "单选框_升序2", "单选框_升序3"}) {
        EXPECT_TRUE(unitWidget<QRadioButton>(kSort, ascending)->isChecked()) << ascending;
    }

    firstKey->setCurrentIndex(1);
    click(kSort, "单选框_降序1");
    unitWidget<QComboBox>(kSort, "组合框2")->setCurrentIndex(1);
    click(kSort, "选择框_标题行");
    const int32_t before = recordedChanges();
    pressButton(kSort, u"确定");
    EXPECT_FALSE(isOpen(kSort));
    // The empty rows below the names go last; the two of 30 go by name.
    EXPECT_EQ(column(1, 5), (std::vector<std::string>{"姓名", "赵六", "王五", "张三", "李四"}));
    EXPECT_EQ(column(2, 5), (std::vector<std::string>{"年龄", "100", "30", "30", "9"}));
    EXPECT_EQ(recordedChanges(), before + 1);
    routines::undo({});
    EXPECT_EQ(column(1, 5), (std::vector<std::string>{"姓名", "张三", "李四", "王五", "赵六"}));
}

TEST_F(SearchDialogsTest, SortTakesTheSelectedRowsAndRefusesToCutAMergedBlock) {
    fill({{"c"}, {"b"}, {"a"}, {"e"}, {"d"}});
    selectCells(2, 1, 3, 1);
    open(kSort);
    pressButton(kSort, u"确定");
    EXPECT_EQ(column(1, 5), (std::vector<std::string>{"c", "a", "b", "e", "d"}));

    mainDataSource().mergeCells(4, 1, 2, 2);
    selectCells(1, 1, 4, 1);
    open(kSort);
    ModalResponder responder;
    responder.pressButton(u"确定");
    pressButton(kSort, u"确定");
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].text, QStringLiteral("要排序的行中有跨行组合的单元格，请先分解后再排序。"));
    EXPECT_TRUE(isOpen(kSort)) << "the keys can be changed and tried again";
    EXPECT_EQ(column(1, 3), (std::vector<std::string>{"c", "a", "b"}));
    QTest::keyClick(unitWidget<QComboBox>(kSort, "组合框1"), Qt::Key_Escape);
    EXPECT_FALSE(isOpen(kSort));
}

}  // namespace
