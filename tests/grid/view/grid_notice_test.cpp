// How the grid follows its data source's notices.
#include <gtest/gtest.h>

#include <QBuffer>

#include "tests/grid/view/grid_fixture.h"

namespace {

using grid::CellRange;

TEST(GridNoticeTest, InsertedAndDeletedRowsMoveTheSelection) {
    GridFixture table(10, 4);
    table.grid.selectCell(5, 1);
    table.source.insertRows(2, 3);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{8, 1, 1, 1}));
    table.source.insertRows(9, 3);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{8, 1, 1, 1}));
    table.source.deleteRows(7, 4);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{7, 1, 1, 1}));
    table.source.deleteColumns(0, 4);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{0, 0, 1, 1}));
    EXPECT_EQ(table.source.columnCount(), 0);
}

TEST(GridNoticeTest, SelectionLandingInAMergedBlockTakesTheBlock) {
    GridFixture table(10, 4);
    table.source.mergeCells({3, 0, 2, 2});
    table.grid.selectCell(6, 1);
    table.source.deleteRows(5, 2);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{5, 1, 1, 1}));
    table.source.deleteRows(5, 5);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{3, 0, 2, 2}));
}

TEST(GridNoticeTest, CurrentRowSelectsItsCellInTheFirstSelectedColumn) {
    GridFixture table(100, 4);
    table.grid.selectCell(1, 2);
    table.grid.extendSelection(2, 3);
    table.source.setCurrentRow(80);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{80, 2, 1, 1}));
    EXPECT_LE(table.cellRect(80, 2).bottom(), table.grid.viewport()->height());
}

TEST(GridNoticeTest, SizeChangesReselectTheTopLeftCell) {
    GridFixture table(10, 4);
    table.grid.selectCell(2, 1);
    table.grid.extendSelection(4, 3);
    table.source.setRowHeight(0, 1, 100);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{2, 1, 1, 1}));
}

TEST(GridNoticeTest, ChangedContentDropsItsDecodedPicture) {
    GridFixture table(3, 3);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    table.source.setKind({1, 1, 1, 1}, grid::CellKind::Picture);
    table.source.setCellData(1, 1, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    table.render();
    EXPECT_EQ(table.grid.pictures().size(), 1u);
    table.source.setTextColor({0, 0, 1, 1}, 5);
    EXPECT_EQ(table.grid.pictures().size(), 1u);
    table.source.setCellData(1, 1, std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(table.grid.pictures().size(), 0u);
    table.render();
    table.source.insertRows(0, 1);
    EXPECT_EQ(table.grid.pictures().size(), 0u);
}

TEST(GridNoticeTest, ProviderChangeStartsOver) {
    GridFixture table(50, 20);
    table.grid.scrollTo(10, 5);
    table.grid.selectCell(20, 10);
    grid::FixedTextMeasurer measurer({20, 40});
    grid::NProvider other(measurer);
    other.setSize(3, 3);
    table.source.bindProvider(&other);
    EXPECT_EQ(table.grid.scrollRow(), 0);
    EXPECT_EQ(table.grid.scrollColumn(), 0);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{0, 0, 1, 1}));
    table.source.bindProvider(&table.provider);
}

}  // namespace
