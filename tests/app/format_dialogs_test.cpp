// The cell-properties and insert-time dialogs, driven through their units as a person
// would use them, with the main window's table and undo history checked afterwards.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/edit/date_time_forms.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/window_ids.h"
#include "grid/view/grid_widget.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/unit.h"
#include "runtime/window/units/color_button.h"
#include "runtime/window/window_runtime.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/main_window_start.h"

namespace {

using namespace app;
using namespace dialog_driver;

constexpr uint32_t kCellProperties = window_id::CellPropertiesDialog;
constexpr uint32_t kInsertTime = window_id::InsertTimeDialog;

// The first cell of the block the tests open the cell-properties dialog on, and its formats.
constexpr int32_t kRow = 2;
constexpr int32_t kColumn = 2;
constexpr uint32_t kTextColor = 0x000000FFu;
constexpr uint32_t kBackColor = 0x0000FF00u;
constexpr int32_t kBoldAndUnderline = 1 | 4;

class FormatDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override {
        ASSERT_TRUE(startMainWindow());
        startPosition = appState().undoPosition;
    }
    void TearDown() override { closeMainWindow({kCellProperties, kInsertTime}); }
    void restart() {
        TearDown();
        SetUp();
    }

    std::string unitText(uint32_t dialog, const char* name) const {
        if (auto* combo = unitWidget<QComboBox>(dialog, name))
            return rt::toGbk(combo->currentText());
        return rt::toGbk(unitWidget<QLineEdit>(dialog, name)->text());
    }
    bool isChecked(const char* name) const {
        return unitWidget<QAbstractButton>(kCellProperties, name)->isChecked();
    }
    void click(const char* name) const {
        unitWidget<QAbstractButton>(kCellProperties, name)->click();
    }
    // How many undo states were taken since the start, so a test sees each recorded change.
    int32_t recordedChanges() const { return appState().undoPosition - startPosition; }

    // A 2 x 3 block from (2, 2) whose first cell alone carries formats, with the dialog open on it.
    void openOnFormattedBlock() {
        DataSourceRef table = mainDataSource();
        table.setTextColor(kRow, kColumn, 1, 1, kTextColor);
        table.setBackColor(kRow, kColumn, 1, 1, kBackColor);
        table.setFontSize(kRow, kColumn, 1, 1, 120);
        table.setFontName(kRow, kColumn, 1, 1, "黑体");
        table.setMargin(kRow, kColumn, 1, 1, 30);
        table.setFontStyle(kRow, kColumn, 1, 1, kBoldAndUnderline);
        selectCells(kRow, kColumn, 2, 3);
        open(kCellProperties);
    }

    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
    int32_t startPosition = 0;
};

// The cells of the 2 x 3 block from (2, 2), and one just outside it.
const std::vector<std::pair<int32_t, int32_t>> kBlockCells = {{2, 2}, {2, 4}, {3, 2}, {3, 4}};
constexpr std::pair<int32_t, int32_t> kOutside = {4, 2};

// ---- CellPropertiesDialog ----

TEST_F(FormatDialogsTest, CellPropertiesShowsTheFirstCellAndLeavesTheBlockAsItWas) {
    DataSourceRef table = mainDataSource();
    const int32_t defaultSize = table.fontSize(3, 4);
    const int32_t defaultMargin = table.margin(3, 4);
    openOnFormattedBlock();
    EXPECT_EQ(appState().dialogSelection, (std::array<int32_t, 4>{2, 2, 2, 3}));
    EXPECT_EQ(unitWidget<rt::ColorButton>(kCellProperties, "颜色选择器1")->color(), kTextColor);
    EXPECT_EQ(unitWidget<rt::ColorButton>(kCellProperties, "颜色选择器2")->color(), kBackColor);
    EXPECT_EQ(unitText(kCellProperties, "编辑框1"), "120");
    EXPECT_EQ(unitText(kCellProperties, "编辑框2"), "30");
    EXPECT_EQ(unitText(kCellProperties, "组合框1"), "黑体");
    EXPECT_TRUE(isChecked("选择框1"));
    EXPECT_FALSE(isChecked("选择框2"));
    EXPECT_TRUE(isChecked("选择框3"));
    EXPECT_FALSE(isChecked("选择框4"));
    // Filling the boxes wrote them, yet nothing spread over the block or was recorded.
    EXPECT_EQ(table.fontSize(3, 4), defaultSize);
    EXPECT_EQ(table.margin(3, 4), defaultMargin);
    EXPECT_EQ(recordedChanges(), 0);
    EXPECT_EQ(appState().modified, 0);
}

TEST_F(FormatDialogsTest, StyleBoxesSetTheStyleOfAllFourOnTheWholeBlock) {
    struct Case {
        std::vector<const char*> clicks;
        int32_t expected;
    };
    const Case cases[] = {
        {{"选择框1"}, 4},             // bold off
        {{"选择框2"}, 1 | 2 | 4},     // italic on
        {{"选择框4"}, 1 | 4 | 8},     // strikeout on
        {{"选择框1", "选择框3"}, 0},  // both off, one change each
    };
    for (const Case& c : cases) {
        restart();
        openOnFormattedBlock();
        DataSourceRef table = mainDataSource();
        const int32_t outsideStyle = table.fontStyle(kOutside.first, kOutside.second);
        for (const char* name : c.clicks)
            click(name);
        for (auto [row, column] : kBlockCells)
            EXPECT_EQ(table.fontStyle(row, column), c.expected) << c.clicks[0];
        EXPECT_EQ(table.fontStyle(kOutside.first, kOutside.second), outsideStyle) << c.clicks[0];
        EXPECT_EQ(recordedChanges(), static_cast<int32_t>(c.clicks.size())) << c.clicks[0];
        EXPECT_EQ(appState().modified, 1) << c.clicks[0];
    }
}

// A screen reader ticks a box with its Toggle action, which clicks nothing: the style
// must still reach the cells, once.
TEST_F(FormatDialogsTest, TickingBoldByItsAccessibleActionMakesTheBlockBold) {
    selectCells(kRow, kColumn, 2, 3);
    open(kCellProperties);
    DataSourceRef table = mainDataSource();
    ASSERT_EQ(table.fontStyle(kRow, kColumn) & 1, 0);
    QAccessibleInterface* bold = QAccessible::queryAccessibleInterface(unitWidget<QAbstractButton>(kCellProperties, "选择框1"));
    ASSERT_NE(bold, nullptr);
    ASSERT_NE(bold->actionInterface(), nullptr);
    bold->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(isChecked("选择框1"));
    for (auto [row, column] : kBlockCells)
        EXPECT_EQ(table.fontStyle(row, column) & 1, 1) << row << "," << column;
    EXPECT_EQ(recordedChanges(), 1);
}

// Every key applies at once, and the keys typed into one box are one step of the
// history together: one Undo takes back the whole number.
TEST_F(FormatDialogsTest, SizeAndMarginApplyAtEveryKeystrokeAsOneStep) {
    struct Case {
        const char* box;
        const char* typed;
        int32_t (DataSourceRef::*read)(int32_t, int32_t) const;
        int32_t expected;
    };
    const Case cases[] = {
        {"编辑框1", "95", &DataSourceRef::fontSize, 95},
        {"编辑框1", "abc", &DataSourceRef::fontSize, 0},
        {"编辑框2", "15", &DataSourceRef::margin, 15},
        {"编辑框2", "-5", &DataSourceRef::margin, 9},  // the data source replaces a negative margin
    };
    for (const Case& c : cases) {
        restart();
        openOnFormattedBlock();
        QLineEdit* box = unitWidget<QLineEdit>(kCellProperties, c.box);
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(c.typed));
        DataSourceRef table = mainDataSource();
        for (auto [row, column] : kBlockCells)
            EXPECT_EQ((table.*c.read)(row, column), c.expected) << c.typed;
        EXPECT_EQ(recordedChanges(), 1) << c.typed;
    }
    // Another box, or the same one after it, starts a step of its own.
    QLineEdit* size = unitWidget<QLineEdit>(kCellProperties, "编辑框1");
    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("77"));
    EXPECT_EQ(recordedChanges(), 2);
}

TEST_F(FormatDialogsTest, TypingASizeAppliesEachPrefixInTurn) {
    openOnFormattedBlock();
    QLineEdit* box = unitWidget<QLineEdit>(kCellProperties, "编辑框1");
    box->selectAll();
    DataSourceRef table = mainDataSource();
    std::vector<int32_t> applied;
    for (char key : std::string("120")) {
        QTest::keyClick(box, key);
        applied.push_back(table.fontSize(3, 4));
    }
    EXPECT_EQ(applied, (std::vector<int32_t>{1, 12, 120}));
}

TEST_F(FormatDialogsTest, ColoursAndFaceChosenApplyToTheBlockOnce) {
    openOnFormattedBlock();
    DataSourceRef table = mainDataSource();
    auto* textPicker = unitWidget<rt::ColorButton>(kCellProperties, "颜色选择器1");
    auto* backPicker = unitWidget<rt::ColorButton>(kCellProperties, "颜色选择器2");
    textPicker->setColor(0x00123456u);
    emit textPicker->colorChosen();
    backPicker->setColor(0x00654321u);
    emit backPicker->colorChosen();
    QComboBox* faces = unitWidget<QComboBox>(kCellProperties, "组合框1");
    const int faceIndex = faces->findText(rt::fromGbk("楷体_GB2312"));
    ASSERT_GE(faceIndex, 0);
    faces->setCurrentIndex(faceIndex);
    emit faces->activated(faceIndex);
    for (auto [row, column] : kBlockCells) {
        EXPECT_EQ(table.textColor(row, column), 0x00123456u);
        EXPECT_EQ(table.backColor(row, column), 0x00654321u);
        EXPECT_EQ(table.fontName(row, column), "楷体_GB2312");
    }
    EXPECT_NE(table.fontName(kOutside.first, kOutside.second), "楷体_GB2312");
    EXPECT_EQ(recordedChanges(), 3);
}

TEST_F(FormatDialogsTest, ChangesGoToTheRangeCapturedAtOpeningAndCloseEndsTheDialog) {
    openOnFormattedBlock();
    selectCells(10, 5);
    click("选择框2");
    DataSourceRef table = mainDataSource();
    EXPECT_EQ(table.fontStyle(3, 4), kBoldAndUnderline | 2);
    EXPECT_EQ(table.fontStyle(10, 5), 0);
    pressButton(kCellProperties, u"关闭");
    EXPECT_FALSE(isOpen(kCellProperties));
}

// ---- InsertTimeDialog ----

rt::DateParts partsOf(const QDateTime& time) {
    return {time.date().year(), time.date().month(),  time.date().day(),
            time.time().hour(), time.time().minute(), time.time().second()};
}

TEST_F(FormatDialogsTest, InsertTimeOffersTheElevenFormsOfTheClockFirstOneSelected) {
    const QDateTime before = QDateTime::currentDateTime();
    open(kInsertTime);
    const QDateTime after = QDateTime::currentDateTime();
    // Every item may have read the clock at any second the opening took.
    std::vector<std::set<std::string>> possible(11);
    for (QDateTime second = before.addMSecs(-before.time().msec()); second <= after;
         second = second.addSecs(1)) {
        std::vector<std::string> forms = insertTimeForms([&] { return partsOf(second); });
        for (size_t i = 0; i < forms.size(); ++i)
            possible[i].insert(forms[i]);
    }
    QComboBox* formats = unitWidget<QComboBox>(kInsertTime, "组合框1");
    ASSERT_EQ(formats->count(), 11);
    EXPECT_EQ(formats->currentIndex(), 0);
    for (int i = 0; i < formats->count(); ++i) {
        EXPECT_EQ(possible[static_cast<size_t>(i)].count(rt::toGbk(formats->itemText(i))), 1u)
            << "item " << i + 1;
    }
}

TEST_F(FormatDialogsTest, InsertTimeWritesTheShownTextIntoTheFirstSelectedCellAndCloses) {
    struct Case {
        int index;
        const char* typedOver;  // the box's text typed over when not null
    };
    const Case cases[] = {{0, nullptr}, {5, nullptr}, {10, "午后"}};
    for (const Case& c : cases) {
        restart();
        selectCells(3, 2, 2, 2);
        open(kInsertTime);
        QComboBox* formats = unitWidget<QComboBox>(kInsertTime, "组合框1");
        formats->setCurrentIndex(c.index);
        if (c.typedOver)
            formats->setEditText(rt::fromGbk(c.typedOver));
        const std::string shown = rt::toGbk(formats->currentText());
        pressButton(kInsertTime, u"确定");
        DataSourceRef table = mainDataSource();
        EXPECT_EQ(table.cellText(3, 2), shown) << c.index;
        EXPECT_EQ(table.cellText(3, 3), "") << c.index;
        EXPECT_EQ(table.cellText(4, 2), "") << c.index;
        EXPECT_EQ(recordedChanges(), 1) << c.index;
        EXPECT_EQ(appState().modified, 1) << c.index;
        EXPECT_FALSE(isOpen(kInsertTime)) << c.index;
    }
}

}  // namespace
