// The four dialogs of the edit and table menus, driven through their units as a person
// would use them: boxes typed into, radio buttons and spin buttons clicked, keys
// pressed, with the main window's table and the settings file checked afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "grid/view/grid_widget.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/platform/profile_file.h"
#include "runtime/platform/settings_location.h"
#include "runtime/value/file_name.h"
#include "runtime/value/program_location.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/unit.h"
#include "runtime/window/units/color_button.h"
#include "runtime/window/window_runtime.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/main_window_start.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace app;
using namespace dialog_driver;

struct CellText {
    int32_t row;
    int32_t column;
    const char* text;
};

struct SizeBox;

class TableDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override {
        // The table starts from the defaults; the dialogs then read and write a
        // settings file of this test's own.
        std::error_code ignored;
        fs::remove(rt::settingsFilePath(rt::programDirectory()), ignored);
        ASSERT_TRUE(startMainWindow());
        appState().settingsPath = rt::textFromPath(settingsPath());
    }
    void TearDown() override {
        closeMainWindow({window_id::InsertRowColDialog, window_id::TablePropertiesDialog, window_id::ZoomDialog,
                         window_id::PasteWithSymbolsDialog});
    }

    // A fresh start inside one test, for each row of a table of cases.
    void restart() {
        TearDown();
        std::error_code ignored;
        fs::remove(settingsPath(), ignored);
        SetUp();
    }

    fs::path settingsPath() const { return folder.path() / "biaoge.ini"; }
    rt::ProfileFile settings() const { return rt::ProfileFile(settingsPath()); }

    // The rows or columns a size box works on, from first.
    void selectSizes(const SizeBox& sizeBox, int32_t first, int32_t count) const;
    static int32_t zoom() { return mainGrid().zoom(); }
    // How many states the undo history has taken, so a test sees each recorded change.
    static int32_t recordedChanges() { return appState().undoPosition; }

    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
    TempDir folder;
};

// ---- InsertRowColDialog ----

TEST_F(TableDialogsTest, InsertRowColInsertsAtTheSelectionOrAppendsRows) {
    struct Case {
        const char* rows;
        const char* columns;
        bool below;
        int32_t expectedRows;
        int32_t expectedColumns;
        CellText marker;  // where the text first at (3, 2) is afterwards
        int32_t recorded;
    };
    const Case cases[] = {
        {"2", "0", false, 32, 8, {5, 2, "标记"}, 1}, {"0", "3", false, 30, 11, {3, 5, "标记"}, 1},
        {"2", "1", true, 32, 9, {3, 3, "标记"}, 1},  {"１", "", false, 31, 8, {4, 2, "标记"}, 1},
        {"0", "0", true, 30, 8, {3, 2, "标记"}, 0},  {"abc", "-2", false, 30, 8, {3, 2, "标记"}, 0},
    };
    for (const Case& c : cases) {
        restart();
        DataSourceRef table = mainDataSource();
        table.setCellText(3, 2, "标记");
        selectCells(3, 2);
        open(window_id::InsertRowColDialog);
        type(window_id::InsertRowColDialog, "编辑框1", c.rows);
        type(window_id::InsertRowColDialog, "编辑框2", c.columns);
        if (c.below) click(window_id::InsertRowColDialog, "选择框1");
        int32_t before = recordedChanges();
        pressButton(window_id::InsertRowColDialog, u"确定");
        std::string label = std::string(c.rows) + "/" + c.columns;
        EXPECT_EQ(table.rowCount(), c.expectedRows) << label;
        EXPECT_EQ(table.columnCount(), c.expectedColumns) << label;
        EXPECT_EQ(table.cellText(c.marker.row, c.marker.column), c.marker.text) << label;
        EXPECT_EQ(recordedChanges() - before, c.recorded) << label;
        EXPECT_EQ(appState().modified, c.recorded) << label;
        EXPECT_TRUE(isOpen(window_id::InsertRowColDialog)) << label;
    }
}

TEST_F(TableDialogsTest, InsertRowColTakesTheSelectionOfEachPress) {
    DataSourceRef table = mainDataSource();
    table.setCellText(1, 1, "甲");
    table.setCellText(10, 1, "乙");
    open(window_id::InsertRowColDialog);
    type(window_id::InsertRowColDialog, "编辑框2", "0");
    selectCells(10, 1);
    pressButton(window_id::InsertRowColDialog, u"确定");
    selectCells(1, 1, 2, 3);
    pressButton(window_id::InsertRowColDialog, u"确定");
    EXPECT_EQ(table.cellText(2, 1), "甲");
    EXPECT_EQ(table.cellText(12, 1), "乙");
    EXPECT_EQ(table.rowCount(), 32);
    pressButton(window_id::InsertRowColDialog, u"取消");
    EXPECT_FALSE(isOpen(window_id::InsertRowColDialog));
}

// ---- TablePropertiesDialog ----

TEST_F(TableDialogsTest, TablePropertiesShowsTheSettingsOrTheirDefaultsAndTheFirstSizes) {
    struct Case {
        const char* name;
        std::string_view key;
        const char* stored;  // nothing stored when null
        const char* expected;
    };
    const Case cases[] = {
        {"编辑框1", "行高", nullptr, "65"},  {"编辑框2", "列宽", nullptr, "300"},
        {"编辑框4", "行数", "12", "12"},     {"编辑框3", "列数", nullptr, "8"},
        {"编辑框5", "窗口宽", "abc", "abc"}, {"编辑框6", "窗口高", nullptr, "510"},
    };
    for (const Case& c : cases) {
        if (c.stored) settings().write("表格", c.key, c.stored);
    }
    mainDataSource().setRowHeight(1, 1, 80);
    mainDataSource().setColumnWidth(2, 1, 90);
    open(window_id::TablePropertiesDialog);
    for (const Case& c : cases) EXPECT_EQ(boxText(window_id::TablePropertiesDialog, c.name), c.expected) << c.key;
    EXPECT_EQ(boxText(window_id::TablePropertiesDialog, "编辑框7"), "80");
    EXPECT_EQ(boxText(window_id::TablePropertiesDialog, "编辑框8"), "250");
}

TEST_F(TableDialogsTest, TablePropertiesConfirmWritesTheSixTextsAsTypedInOrder) {
    open(window_id::TablePropertiesDialog);
    const std::pair<const char*, const char*> typed[] = {
        {"编辑框1", "70"}, {"编辑框2", "320.5"}, {"编辑框4", "abc"},
        {"编辑框3", "5"},  {"编辑框5", "900"},   {"编辑框6", "-1"},
    };
    for (auto [name, text] : typed) type(window_id::TablePropertiesDialog, name, text);
    pressButton(window_id::TablePropertiesDialog, u"确定");
    EXPECT_FALSE(isOpen(window_id::TablePropertiesDialog));
    std::string file = readWholeFile(settingsPath().string());
    std::vector<size_t> positions;
    for (const char* key :
         {"列宽=320.5", "行高=70", "行数=abc", "列数=5", "窗口宽=900", "窗口高=-1"}) {
        positions.push_back(file.find(key));
        EXPECT_NE(positions.back(), std::string::npos) << key;
    }
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    // The table itself waits for the next new table.
    EXPECT_EQ(mainDataSource().rowCount(), 30);
    EXPECT_EQ(mainDataSource().rowHeight(1), 65);
    EXPECT_EQ(appState().modified, 0);
}

TEST_F(TableDialogsTest, TablePropertiesCancelWritesNothing) {
    open(window_id::TablePropertiesDialog);
    type(window_id::TablePropertiesDialog, "编辑框4", "99");
    pressButton(window_id::TablePropertiesDialog, u"取消");
    EXPECT_FALSE(isOpen(window_id::TablePropertiesDialog));
    EXPECT_FALSE(fs::exists(settingsPath()));
}

// The row-height box works on the selected rows, the column-width box on the selected
// columns; one table covers both.
struct SizeBox {
    const char* name;
    int32_t (DataSourceRef::*size)(int32_t) const;
    bool rows;
};

void TableDialogsTest::selectSizes(const SizeBox& sizeBox, int32_t first, int32_t count) const {
    if (sizeBox.rows) {
        selectCells(first, 1, count, 1);
    } else {
        selectCells(1, first, 1, count);
    }
}

const SizeBox kSizeBoxes[] = {
    {"编辑框7", &DataSourceRef::rowHeight, true},
    {"编辑框8", &DataSourceRef::columnWidth, false},
};

TEST_F(TableDialogsTest, SpinStepsMoveTheShownSizeByATenthAndTheTableByWholeUnits) {
    for (const SizeBox& sizeBox : kSizeBoxes) {
        restart();
        DataSourceRef table = mainDataSource();
        auto sizeOf = [&](int32_t i) { return (table.*sizeBox.size)(i); };
        int32_t start = sizeOf(1);
        selectSizes(sizeBox, 2, 1);
        open(window_id::TablePropertiesDialog);
        QList<QToolButton*> arrows =
            unitWidget<QWidget>(window_id::TablePropertiesDialog, sizeBox.name)
                ->findChildren<QToolButton*>();
        ASSERT_EQ(arrows.size(), 2) << sizeBox.name;
        int32_t before = recordedChanges();
        for (int press = 1; press <= 10; ++press) {
            arrows[0]->click();
            std::string shown = std::to_string(start + press / 10);
            if (press % 10 != 0) shown += "." + std::to_string(press % 10);
            EXPECT_EQ(boxText(window_id::TablePropertiesDialog, sizeBox.name), shown)
                << sizeBox.name << press;
            EXPECT_EQ(sizeOf(2), press < 10 ? start : start + 1) << sizeBox.name << press;
        }
        for (int32_t i : {1, 3}) EXPECT_EQ(sizeOf(i), start) << sizeBox.name;
        // Only the tenth press changed the table.
        EXPECT_EQ(recordedChanges() - before, 1) << sizeBox.name;
        arrows[1]->click();
        EXPECT_EQ(boxText(window_id::TablePropertiesDialog, sizeBox.name),
                  std::to_string(start) + ".9");
        EXPECT_EQ(sizeOf(2), start) << sizeBox.name;
        EXPECT_EQ(recordedChanges() - before, 2) << sizeBox.name;
    }
}

// A size change makes the grid select the top-left cell of its selection, so a spin
// step after the first works on the first selected row or column only.
TEST_F(TableDialogsTest, SpinStepsAfterTheFirstWorkOnTheFirstSelectedRowOnly) {
    DataSourceRef table = mainDataSource();
    table.setRowHeight(2, 2, 99);
    selectCells(2, 1, 2, 1);
    open(window_id::TablePropertiesDialog);
    type(window_id::TablePropertiesDialog, "编辑框7", "70");
    QToolButton* up = unitWidget<QWidget>(window_id::TablePropertiesDialog, "编辑框7")
                          ->findChildren<QToolButton*>()
                          .at(0);
    up->click();
    EXPECT_EQ(table.rowHeight(2), 70);
    EXPECT_EQ(table.rowHeight(3), 70);
    type(window_id::TablePropertiesDialog, "编辑框7", "80");
    up->click();
    EXPECT_EQ(table.rowHeight(2), 80);
    EXPECT_EQ(table.rowHeight(3), 70);
}

TEST_F(TableDialogsTest, DownStepsStopAtZero) {
    for (const SizeBox& sizeBox : kSizeBoxes) {
        restart();
        selectSizes(sizeBox, 1, 1);
        open(window_id::TablePropertiesDialog);
        type(window_id::TablePropertiesDialog, sizeBox.name, "0.2");
        QToolButton* down = unitWidget<QWidget>(window_id::TablePropertiesDialog, sizeBox.name)
                                ->findChildren<QToolButton*>()
                                .at(1);
        std::vector<std::string> shown;
        for (int press = 0; press < 4; ++press) {
            down->click();
            shown.push_back(boxText(window_id::TablePropertiesDialog, sizeBox.name));
        }
        EXPECT_EQ(shown, (std::vector<std::string>{"0.1", "0", "0", "0"})) << sizeBox.name;
        EXPECT_EQ((mainDataSource().*sizeBox.size)(1), 0) << sizeBox.name;
    }
}

TEST_F(TableDialogsTest, EnterAppliesTheTypedSizeToTheSelectionOfThatMoment) {
    for (const SizeBox& sizeBox : kSizeBoxes) {
        restart();
        DataSourceRef table = mainDataSource();
        auto sizeOf = [&](int32_t i) { return (table.*sizeBox.size)(i); };
        int32_t start = sizeOf(1);
        open(window_id::TablePropertiesDialog);
        QLineEdit* edit = box(window_id::TablePropertiesDialog, sizeBox.name);
        QSignalSpy returned(edit, &QLineEdit::returnPressed);
        selectSizes(sizeBox, 2, 2);
        type(window_id::TablePropertiesDialog, sizeBox.name, "120.7");
        int32_t before = recordedChanges();
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(returned.count(), 1) << "the key passes on";
        selectSizes(sizeBox, 5, 1);
        type(window_id::TablePropertiesDialog, sizeBox.name, "abc");
        QTest::keyClick(edit, Qt::Key_Enter);
        // The same size again changes nothing and records nothing.
        selectSizes(sizeBox, 3, 1);
        type(window_id::TablePropertiesDialog, sizeBox.name, "120");
        QTest::keyClick(edit, Qt::Key_Return);
        // Other keys only type.
        QTest::keyClick(edit, Qt::Key_5);
        std::vector<int32_t> sizes;
        for (int32_t i = 1; i <= 6; ++i) sizes.push_back(sizeOf(i));
        EXPECT_EQ(sizes, (std::vector<int32_t>{start, 120, 120, start, 0, start})) << sizeBox.name;
        EXPECT_EQ(recordedChanges() - before, 2) << sizeBox.name;
        EXPECT_EQ(boxText(window_id::TablePropertiesDialog, sizeBox.name), "1205");
    }
}

TEST_F(TableDialogsTest, ChosenLineColourReachesTheGridAtOnce) {
    open(window_id::TablePropertiesDialog);
    auto* picker = unitWidget<rt::ColorButton>(window_id::TablePropertiesDialog, "颜色选择器1");
    ASSERT_NE(picker, nullptr);
    for (uint32_t color : {0x000000FFu, 0x00C0C0C0u}) {
        picker->setColor(color);
        emit picker->colorChosen();
        EXPECT_EQ(mainGridWidget().lineColor(), color);
    }
    pressButton(window_id::TablePropertiesDialog, u"取消");
    EXPECT_EQ(mainGridWidget().lineColor(), 0x00C0C0C0u);
}

// ---- ZoomDialog ----

// Opens the dialog as the menu does; the actions run once it is on the screen (the
// load itself processes waiting events before the units exist). Should they leave it
// open, it is taken down so that the modal loop returns.
void whileZoomDialogIsOpen(const std::function<void()>& actions) {
    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
    bool ran = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = runtime.loadedWindow(window_id::ZoomDialog);
        if (ran || !dialog || !dialog->isVisible()) return;
        ran = true;
        poll.stop();
        actions();
        runtime.destroyWindow(window_id::ZoomDialog);
    });
    poll.start(1);
    routines::openZoom({});
    EXPECT_TRUE(ran);
}

TEST_F(TableDialogsTest, ZoomButtonsPreviewAndCancelRestores) {
    struct Case {
        const char* button;
        const char* custom;  // the custom box's text, left at "200" when null
        int32_t expected;
    };
    const Case cases[] = {
        {"单选框1", nullptr, 200}, {"单选框8", nullptr, 150}, {"单选框2", nullptr, 100},
        {"单选框3", nullptr, 75},  {"单选框4", nullptr, 50},  {"单选框5", nullptr, 25},
        {"单选框7", nullptr, 200}, {"单选框7", "5000", 1000}, {"单选框7", "5", 20},
        {"单选框7", "abc", 20},
    };
    mainGridWidget().setZoomPercent(120);
    for (const Case& c : cases) {
        int32_t previewed = 0;
        whileZoomDialogIsOpen([&] {
            if (c.custom) type(window_id::ZoomDialog, "编辑框1", c.custom);
            click(window_id::ZoomDialog, c.button);
            previewed = zoom();
            pressButton(window_id::ZoomDialog, u"取消");
        });
        EXPECT_EQ(previewed, c.expected) << c.button;
        EXPECT_EQ(zoom(), 120) << c.button;
    }
}

TEST_F(TableDialogsTest, ZoomToWindowWidthAndConfirm) {
    mainDataSource().setColumnWidth(1, 8, 600);
    mainGridWidget().setZoomPercent(100);
    mainGridWidget().fitToWindowWidth();
    int32_t fitting = zoom();
    ASSERT_NE(fitting, 100);
    mainGridWidget().setZoomPercent(100);
    whileZoomDialogIsOpen([&] {
        click(window_id::ZoomDialog, "单选框6");
        pressButton(window_id::ZoomDialog, u"确定");
    });
    EXPECT_FALSE(isOpen(window_id::ZoomDialog));
    EXPECT_EQ(zoom(), fitting);
}

TEST_F(TableDialogsTest, EnterInTheCustomBoxAppliesOnlyWithCustomChosenAndIsSwallowed) {
    mainGridWidget().setZoomPercent(100);
    int32_t afterUnchosenEnter = 0;
    int32_t afterChosenEnter = 0;
    int returns = -1;
    std::string typed;
    whileZoomDialogIsOpen([&] {
        QLineEdit* custom = box(window_id::ZoomDialog, "编辑框1");
        QSignalSpy returned(custom, &QLineEdit::returnPressed);
        type(window_id::ZoomDialog, "编辑框1", "30");
        QTest::keyClick(custom, Qt::Key_Return);
        afterUnchosenEnter = zoom();
        // Chosen by the program, which previews nothing, unlike a click or an
        // accessibility tool's toggle: only Enter may apply the zoom here.
        DialogUnit(window_id::ZoomDialog, "单选框7").setChecked(true);
        QTest::keyClick(custom, Qt::Key_Return);
        afterChosenEnter = zoom();
        QTest::keyClick(custom, Qt::Key_0);
        typed = boxText(window_id::ZoomDialog, "编辑框1");
        returns = static_cast<int>(returned.count());
        // Enter is no preview: cancel keeps what it applied.
        pressButton(window_id::ZoomDialog, u"取消");
    });
    EXPECT_EQ(afterUnchosenEnter, 100);
    EXPECT_EQ(afterChosenEnter, 30);
    EXPECT_EQ(returns, 0);
    EXPECT_EQ(typed, "300");
    EXPECT_EQ(zoom(), 30);
}

TEST_F(TableDialogsTest, OncePreviewedEveryLaterCancelRestores) {
    mainGridWidget().setZoomPercent(100);
    whileZoomDialogIsOpen([&] {
        click(window_id::ZoomDialog, "单选框4");
        pressButton(window_id::ZoomDialog, u"确定");
    });
    EXPECT_EQ(zoom(), 50);
    whileZoomDialogIsOpen([&] {
        DialogUnit(window_id::ZoomDialog, "单选框7").setChecked(true);
        type(window_id::ZoomDialog, "编辑框1", "300");
        QTest::keyClick(box(window_id::ZoomDialog, "编辑框1"), Qt::Key_Return);
        pressButton(window_id::ZoomDialog, u"取消");
    });
    EXPECT_EQ(zoom(), 50);
    EXPECT_EQ(appState().savedZoom, 50);
}

// ---- PasteWithSymbolsDialog ----

TEST_F(TableDialogsTest, PasteWithSymbolsReadsTheRememberedTexts) {
    settings().write("存储", "粘贴", "号楼");
    open(window_id::PasteWithSymbolsDialog);
    EXPECT_EQ(boxText(window_id::PasteWithSymbolsDialog, "编辑框_文本1"), "号楼");
    EXPECT_EQ(boxText(window_id::PasteWithSymbolsDialog, "编辑框_文本2"), "");
}

TEST_F(TableDialogsTest, OnlyNumbersTakeStartAndStep) {
    open(window_id::PasteWithSymbolsDialog);
    auto enabled = [&] {
        return std::pair{box(window_id::PasteWithSymbolsDialog, "编辑框_起值")->isEnabled(),
                         box(window_id::PasteWithSymbolsDialog, "编辑框_递增")->isEnabled()};
    };
    const std::pair<const char*, bool> clicks[] = {
        {"单选框_递增大字母", false}, {"单选框_递增数字", true},    {"单选框_递增小字母", false},
        {"单选框_递增中文字", false}, {"单选框_递增中文字", false}, {"单选框_递增数字", true},
    };
    for (auto [name, expected] : clicks) {
        click(window_id::PasteWithSymbolsDialog, name);
        EXPECT_EQ(enabled(), std::pair(expected, expected)) << name;
    }
}

TEST_F(TableDialogsTest, PasteWithSymbolsFillsTheSelectionRowByRow) {
    struct Case {
        const char* mode;   // none chosen when null
        const char* place;  // none chosen when null
        const char* start;
        const char* step;
        const char* text1;
        const char* text2;
        int32_t rows;
        int32_t columns;
        std::vector<CellText> expected;  // the selection starts at (2, 2)
    };
    const Case cases[] = {
        {"单选框_递增数字",
         "单选框_左边",
         "1",
         "2",
         "号",
         "",
         2,
         2,
         {{2, 2, "1号"}, {2, 3, "3号"}, {3, 2, "5号"}, {3, 3, "7号"}, {2, 4, "旧"}, {4, 2, "旧"}}},
        {"单选框_递增数字",
         "单选框_右边",
         "",
         "",
         "第",
         "",
         1,
         3,
         {{2, 2, "第0"}, {2, 3, "第1"}, {2, 4, "第2"}}},
        {"单选框_递增大字母",
         "单选框_右边",
         "9",
         "9",
         "列",
         "",
         4,
         7,
         {{2, 2, "列A"}, {3, 2, "列H"}, {5, 6, "列Z"}, {5, 7, "列AA"}, {5, 8, "列AB"}}},
        {"单选框_递增小字母",
         "单选框_左边",
         "",
         "",
         "）",
         "",
         2,
         1,
         {{2, 2, "a）"}, {3, 2, "b）"}}},
        {"单选框_递增中文字",
         "单选框_中间",
         "",
         "",
         "第",
         "名",
         3,
         4,
         {{2, 2, "第一名"},
          {2, 5, "第四名"},
          {4, 4, "第十一名"},
          {4, 5, "第十二名"},
          {1, 2, "旧"}}},
        {nullptr, "单选框_中间", "1", "1", "甲", "乙", 1, 2, {{2, 2, "甲乙"}, {2, 3, "甲乙"}}},
        {"单选框_递增数字",
         nullptr,
         "1",
         "1",
         "甲",
         "乙",
         1,
         2,
         {{2, 2, ""}, {2, 3, ""}, {2, 4, "旧"}}},
    };
    for (const Case& c : cases) {
        restart();
        DataSourceRef table = mainDataSource();
        for (int32_t row = 1; row <= 6; ++row) {
            for (int32_t column = 1; column <= 8; ++column) table.setCellText(row, column, "旧");
        }
        open(window_id::PasteWithSymbolsDialog);
        constexpr uint32_t dialog = window_id::PasteWithSymbolsDialog;
        if (c.mode) click(dialog, c.mode);
        if (c.place) click(dialog, c.place);
        type(dialog, "编辑框_起值", c.start);
        type(dialog, "编辑框_递增", c.step);
        type(dialog, "编辑框_文本1", c.text1);
        type(dialog, "编辑框_文本2", c.text2);
        selectCells(2, 2, c.rows, c.columns);
        int32_t before = recordedChanges();
        pressButton(dialog, u"粘贴");
        std::string label = std::string(c.mode ? c.mode : "-") + (c.place ? c.place : "-");
        for (const CellText& cell : c.expected) {
            EXPECT_EQ(table.cellText(cell.row, cell.column), cell.text)
                << label << " " << cell.row << "," << cell.column;
        }
        EXPECT_EQ(recordedChanges() - before, 1) << label;
        EXPECT_TRUE(isOpen(dialog)) << label;
    }
}

TEST_F(TableDialogsTest, PasteWithSymbolsRemembersTheSecondTextOnlyBetweenTwoTexts) {
    constexpr uint32_t dialog = window_id::PasteWithSymbolsDialog;
    open(dialog);
    click(dialog, "单选框_递增数字");
    click(dialog, "单选框_右边");
    type(dialog, "编辑框_文本1", "一号");
    type(dialog, "编辑框_文本2", "二号");
    selectCells(1, 1);
    pressButton(dialog, u"粘贴");
    EXPECT_EQ(settings().read("存储", "粘贴", "无"), "一号");
    EXPECT_EQ(settings().read("存储", "粘贴1", "无"), "无");
    click(dialog, "单选框_中间");
    type(dialog, "编辑框_文本1", "");
    selectCells(3, 1);
    pressButton(dialog, u"粘贴");
    EXPECT_EQ(mainDataSource().cellText(1, 1), "一号1");
    EXPECT_EQ(mainDataSource().cellText(3, 1), "1二号");
    EXPECT_EQ(settings().read("存储", "粘贴", "无"), "");
    EXPECT_EQ(settings().read("存储", "粘贴1", "无"), "二号");
    pressButton(dialog, u"取消");
    EXPECT_FALSE(isOpen(dialog));
    open(dialog);
    EXPECT_EQ(boxText(dialog, "编辑框_文本2"), "二号");
}

}  // namespace
