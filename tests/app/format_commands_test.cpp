// The format menu's commands on the main window's selection: codes reach every
// selected cell, picture display needs a picture in the first cell, and each change
// becomes one undo state.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/application.h"
#include "app/edit/color_choice.h"
#include "app/jobs.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/window_ids.h"
#include "grid/model/cell_flags.h"
#include "grid/model/data_source.h"
#include "grid/view/grid_widget.h"
#include "runtime/value/file_name.h"
#include "runtime/value/unit_registry.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/window_runtime.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace app;
namespace CellFlags = grid::CellFlags;

class FormatCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override { ASSERT_TRUE(startMainWindow()); }
    void TearDown() override { closeMainWindow(); }

    static uint32_t flags(int32_t row, int32_t column) {
        auto& source = rt::unitObjectAs<grid::DataSrc>({window_id::MainWindow, main_unit::DataSource,
                                                        rt::unit_kind::DataSrc});
        return source.cellAt(row - 1, column - 1, false)->flags();
    }
    static uint32_t alignment(int32_t row, int32_t column) { return flags(row, column) & CellFlags::kAlignmentMask; }
    static size_t states() { return appState().undoHistory.size(); }
};

TEST_F(FormatCommandsTest, AlignmentsReachEverySelectedCellAsOneChange) {
    const std::pair<HandlerResult (*)(const EventArguments&), uint32_t> items[] = {
        {routines::alignTopLeft, 1},    {routines::alignTopCentre, 2},    {routines::alignTopRight, 3},
        {routines::alignMiddleLeft, 4}, {routines::alignCentre, 5},       {routines::alignMiddleRight, 6},
        {routines::alignBottomLeft, 7}, {routines::alignBottomCentre, 8}, {routines::alignBottomRight, 9},
    };
    selectCells(2, 2, 2, 3);
    size_t before = states();
    for (auto [item, code] : items) {
        item({});
        EXPECT_EQ(alignment(2, 2), code);
        EXPECT_EQ(alignment(3, 4), code);
    }
    EXPECT_EQ(alignment(4, 2), alignment(1, 1)) << "outside the selection nothing changes";
    // New cells are already top left: that first command changed nothing.
    EXPECT_EQ(states(), before + std::size(items) - 1);
    EXPECT_EQ(appState().modified, 1);
}

TEST_F(FormatCommandsTest, PictureDisplayNeedsPictureDataInTheFirstCell) {
    selectCells(1, 1, 2, 2);
    routines::pictureTile({});
    EXPECT_NE(alignment(1, 1), 13u) << "a text cell first: nothing happens";
    EXPECT_EQ(states(), 1u);

    mainDataSource().setCellKind(1, 1, 1, 1, 3);
    mainDataSource().setCellData(1, 1, {0x89, 'P', 'N', 'G'});
    routines::pictureTile({});
    for (auto [row, column] : {std::pair{1, 1}, {1, 2}, {2, 1}, {2, 2}}) EXPECT_EQ(alignment(row, column), 13u);
    routines::pictureScaleTile({});
    EXPECT_EQ(alignment(2, 2), 14u) << "text cells of the block take the code too";
    EXPECT_EQ(states(), 3u);
}

TEST_F(FormatCommandsTest, BoxLinesDrawTheOuterEdgesAndDiagonalsMarkTheFirstCell) {
    selectCells(2, 2, 3, 3);
    routines::drawBoxLines({});
    EXPECT_EQ(flags(2, 2) & CellFlags::kEdgeLines, CellFlags::kLeftLine | CellFlags::kTopLine);
    EXPECT_EQ(flags(3, 3) & CellFlags::kEdgeLines, 0u) << "no inner lines";
    EXPECT_EQ(flags(4, 4) & CellFlags::kEdgeLines, CellFlags::kRightLine | CellFlags::kBottomLine);
    routines::drawCrossLines({});
    EXPECT_TRUE(flags(2, 2) & CellFlags::kCrossLines);
    EXPECT_FALSE(flags(3, 3) & CellFlags::kCrossLines);
    routines::eraseLeftLine({});
    EXPECT_EQ(flags(3, 2) & CellFlags::kEdgeLines, 0u);
    routines::undo({});
    EXPECT_TRUE(flags(3, 2) & CellFlags::kLeftLine) << "Undo brings the erased line back";
}

TEST_F(FormatCommandsTest, AllLinesRuleEveryEdgeOfTheBlockAndTakeThemAwayAsOneStepEach) {
    selectCells(2, 2, 3, 4);
    const size_t before = states();
    routines::drawAllLines({});
    EXPECT_EQ(states(), before + 1);
    for (int row = 2; row <= 4; ++row) {
        for (int column = 2; column <= 5; ++column) {
            EXPECT_EQ(flags(row, column) & CellFlags::kEdgeLines, CellFlags::kEdgeLines) << row << "," << column;
        }
    }
    // The neighbours outside share the outer edges, and nothing more.
    EXPECT_EQ(flags(1, 3) & CellFlags::kEdgeLines, CellFlags::kBottomLine);
    EXPECT_EQ(flags(3, 6) & CellFlags::kEdgeLines, CellFlags::kLeftLine);
    routines::drawCrossLines({});
    routines::eraseAllLines({});
    EXPECT_EQ(states(), before + 3);
    for (int row = 1; row <= 5; ++row) {
        for (int column = 1; column <= 6; ++column) {
            EXPECT_EQ(flags(row, column) & CellFlags::kEdgeLines, 0u) << row << "," << column;
        }
    }
    EXPECT_TRUE(flags(2, 2) & CellFlags::kCrossLines) << "the diagonals are not edges";
    routines::undo({});
    EXPECT_EQ(flags(3, 3) & CellFlags::kEdgeLines, CellFlags::kEdgeLines) << "one undo brings every line back";
}

TEST_F(FormatCommandsTest, InputTypesConvertWhatIsTypedLater) {
    selectCells(1, 1);
    routines::inputInteger({});
    mainDataSource().setCellText(1, 1, "12.7");
    EXPECT_EQ(mainDataSource().cellText(1, 1), "12");
    routines::inputNormal({});
    mainDataSource().setCellText(1, 1, "12.7");
    EXPECT_EQ(mainDataSource().cellText(1, 1), "12.7");
}

TEST_F(FormatCommandsTest, InsertPictureStoresTheFileInTheFirstCellOnly) {
    TempDir folder;
    const std::filesystem::path picture = folder.path() / std::filesystem::path(u8"图.png");
    std::ofstream(picture, std::ios::binary) << "\x89PNG\r\n\x1a\n-bytes";
    selectCells(3, 2, 2, 2);
    {
        ModalResponder responder;
        responder.chooseFile(picture);
        routines::insertPicture({});
        ASSERT_EQ(responder.seen().size(), 1u);
        EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("插入图片"));
    }
    EXPECT_EQ(flags(3, 2) & CellFlags::kKindMask, CellFlags::kPictureData);
    EXPECT_EQ(flags(3, 3) & CellFlags::kKindMask, 0u);
    EXPECT_EQ(states(), 2u);
    {
        ModalResponder responder;
        responder.cancelDialog();
        routines::insertPicture({});
    }
    EXPECT_EQ(states(), 2u) << "a cancelled choice changes nothing";

    mainDataSource().setCellText(5, 5, "kept");
    selectCells(5, 5);
    std::ofstream(folder.path() / "text.png") << "plain text, no picture";
    std::ofstream(folder.path() / "empty.png").flush();
    for (const char* name : {"text.png", "empty.png"}) {
        ModalResponder responder;
        responder.chooseFile(folder.path() / name);
        responder.pressButton(u"确定");
        routines::insertPicture({});
        ASSERT_EQ(responder.seen().size(), 2u) << name;
        EXPECT_TRUE(responder.seen()[1].text.contains(QString::fromUtf8(name))) << name;
        EXPECT_EQ(mainDataSource().cellText(5, 5), "kept") << name;
    }
    EXPECT_EQ(states(), 2u);
}

TEST_F(FormatCommandsTest, TheColourButtonsApplyAChosenColourAndIgnoreACancel) {
    selectCells(1, 1, 1, 2);
    // A table whose name holds the dialog's title: the main window is no colour dialog.
    rt::UnitAccess(window_id::MainWindow, 0)
        .setText(rt::kFirstOwnProperty + rt::window_property::Caption, "电子表格——颜色表.bge");
    QWidget* mainWindow = rt::WindowRuntime::instance().loadedWindow(window_id::MainWindow);
    const QPoint mainWindowAt = mainWindow->pos();
    auto answer = [](bool accept) {
        QTimer::singleShot(50, [accept] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setCurrentColor(QColor(0x11, 0x22, 0x33));
            accept ? dialog->accept() : dialog->reject();
        });
    };
    answer(true);
    jobs::chooseBackColor({});
    auto& source = rt::unitObjectAs<grid::DataSrc>({window_id::MainWindow, main_unit::DataSource, rt::unit_kind::DataSrc});
    EXPECT_EQ(source.cellAt(0, 1, false)->backColor(), 0x332211u);
    answer(false);
    jobs::chooseTextColor({});
    EXPECT_EQ(source.cellAt(0, 0, false)->textColor(), 0u);
    EXPECT_EQ(states(), 2u);
    EXPECT_EQ(mainWindow->pos(), mainWindowAt);
}

TEST(ColorDialogPlacement, TheDialogOpensAtThePointerAndStaysOnTheScreen) {
    const rt::dll::ScreenRect dialog{500, 500, 800, 900};
    const rt::dll::ScreenRect screen{0, 0, 1024, 768};
    struct Case {
        rt::dll::ScreenPoint pointer;
        rt::dll::ScreenRect expected;
    };
    const Case cases[] = {
        {{100, 50}, {100, 50, 400, 450}},
        {{900, 50}, {724, 50, 1024, 450}},
        {{100, 700}, {100, 368, 400, 768}},
        {{-20, -5}, {0, 0, 300, 400}},
    };
    for (const Case& c : cases) {
        rt::dll::ScreenRect placed = dialogFrameAt(c.pointer, dialog, screen);
        EXPECT_EQ(placed.left, c.expected.left);
        EXPECT_EQ(placed.top, c.expected.top);
        EXPECT_EQ(placed.right, c.expected.right);
        EXPECT_EQ(placed.bottom, c.expected.bottom);
    }
}

}  // namespace
