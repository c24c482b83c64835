// The editor's own workbook export read back: what went out comes back.
#include <gtest/gtest.h>

#include "grid/model/cell_flags.h"
#include "grid/workbook/workbook_reader.h"
#include "grid/xlsx/workbook_export.h"
#include "tests/grid/support/table_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace grid::CellFlags;

TEST(WorkbookRoundTripTest, TextsMergesFontsColoursAndSizesComeBack) {
    TableFixture table(4, 3);
    grid::NProvider& provider = table.provider;
    provider.setText(0, 0, "报销单");
    provider.setText(1, 0, "金额");
    provider.setText(1, 1, "1200");
    provider.setText(2, 2, "第一行\r\n第二行");
    table.source.mergeCells({0, 0, 1, 3});
    provider.setFontName(1, 0, "黑体");
    provider.setFontSize(1, 0, 56);
    provider.setFlags(1, 0, provider.table().cell(1, 0).flags() | kBold | kItalic | kUnderline | kStrikeout);
    provider.setTextColor(1, 1, 0x0000FF);
    provider.setBackColor(1, 1, 0x00FFFF);
    provider.setFlags(2, 2, (provider.table().cell(2, 2).flags() & ~kAlignmentMask) | 5 | kEdgeLines);
    provider.setColumnWidths(1, 1, 400);
    provider.setRowHeights(2, 1, 120);

    TempDir directory;
    const std::string path = directory.file("round.xlsx");
    std::string error;
    ASSERT_TRUE(grid::xlsx::exportWorkbook(provider, path, error)) << error;
    grid::workbook::WorkbookReader reader;
    ASSERT_EQ(reader.read(path, grid::workbook::WorkbookKind::Xlsx), grid::workbook::WorkbookError::None);
    grid::Table back({58, 312});
    ASSERT_EQ(reader.buildSheet(0, back), grid::workbook::WorkbookError::None);
    EXPECT_TRUE(reader.lost().empty());

    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(back.cell(row, column).text(), provider.table().cell(row, column).text()) << row << "," << column;
        }
    }
    EXPECT_EQ(back.cell(0, 0).flags() & kMergeMask, kJoinedRight);
    EXPECT_EQ(back.cell(0, 2).flags() & kMergeMask, kJoinedLeft);
    const grid::Cell& head = back.cell(1, 0);
    EXPECT_EQ(head.fontNameView(), "黑体");
    // Sizes go out as half points, so a size comes back within half a point.
    EXPECT_NEAR(head.fontSize(), 56, 2);
    EXPECT_EQ(head.flags() & kFontStyleMask, kBold | kItalic | kUnderline | kStrikeout);
    EXPECT_EQ(back.cell(1, 1).textColor(), 0x0000FFu);
    EXPECT_EQ(back.cell(1, 1).backColor(), 0x00FFFFu);
    EXPECT_EQ(back.cell(2, 2).flags() & (kAlignmentMask | kEdgeLines), 5u | kEdgeLines);
    // Widths go out as whole pixels at 96 dots an inch.
    EXPECT_NEAR(back.columnWidth(1), 400, 3);
    EXPECT_NEAR(back.rowHeight(2), 120, 1);
}

}  // namespace
