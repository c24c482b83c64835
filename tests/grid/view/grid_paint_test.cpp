// What the grid draws: lines, backgrounds, text placement, merged blocks, pictures,
// zoom and the selection frame, checked pixel by pixel.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPalette>

#include "tests/grid/view/bitmap_bytes.h"
#include "tests/grid/view/grid_fixture.h"

namespace {

using grid::GridFlags::kHeadersShown;

constexpr QRgb kBodyGrid = 0xC0C0C0;
constexpr QRgb kFixedGrid = 0x808080;

QRgb rgb(const QImage& image, QPoint point) { return image.pixel(point) & 0xFFFFFF; }
QRgb buttonFace() { return QApplication::palette().color(QPalette::Button).rgb() & 0xFFFFFF; }

std::vector<uint8_t> bitmapOf(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return {bytes.begin(), bytes.end()};
}

TEST(GridPaintTest, RowsAndColumnsLieWhereTheirSizesSay) {
    GridFixture table(5, 4);
    const QRect first = table.cellRect(0, 0);
    EXPECT_EQ(first.size(), QSize(GridFixture::kColumnPixels, GridFixture::kRowPixels));
    EXPECT_EQ(table.cellRect(2, 3).topLeft(),
              first.topLeft() + QPoint(3 * GridFixture::kColumnPixels, 2 * GridFixture::kRowPixels));
    EXPECT_EQ(first.left(), table.grid.layout().columns().headerSize());
}

TEST(GridPaintTest, LineColoursFollowThePenOrder) {
    GridFixture table(4, 4);
    table.grid.setLineColor(0x0000FF);  // red
    table.provider.setFixedRows(1);
    table.source.drawLines({2, 2, 1, 1}, 4);  // right edge of (2, 2)
    table.source.notifyTableReset();
    const QImage image = table.render();
    auto rightEdge = [&](int row, int column) {
        QRect cell = table.cellRect(row, column);
        return QPoint(cell.right() + 1, cell.center().y());
    };
    auto bottomEdge = [&](int row, int column) {
        QRect cell = table.cellRect(row, column);
        return QPoint(cell.center().x(), cell.bottom() + 1);
    };
    struct Case {
        const char* what;
        QPoint point;
        QRgb colour;
    } cases[] = {
        {"body grid line", rightEdge(2, 1), kBodyGrid},
        {"border bit", rightEdge(2, 2), 0xFF0000},
        {"fixed row grid line", bottomEdge(0, 1), kFixedGrid},
        {"line below a body cell", bottomEdge(2, 1), kBodyGrid},
        {"inside a cell", table.cellCentre(3, 1), 0xFFFFFF},
    };
    for (const Case& c : cases) EXPECT_EQ(rgb(image, c.point), c.colour) << c.what;
    // Lines reach one pixel past the cell so that corners close.
    const QRect cell = table.cellRect(2, 1);
    EXPECT_EQ(rgb(image, {cell.right() + 1, cell.bottom() + 1}), kBodyGrid);
}

TEST(GridPaintTest, AddTableLinesTurnsEveryEdgeIntoABorder) {
    GridFixture table(3, 3);
    table.grid.setLineColor(0x00FF00);
    auto settings = table.provider.pageSettings();
    settings.addTableLines = 1;
    table.provider.setPageSettings(settings);
    table.grid.setFlag(grid::GridFlags::kGridLinesShown, false);
    const QRect cell = table.cellRect(1, 1);
    EXPECT_EQ(rgb(table.render(), {cell.right() + 1, cell.center().y()}), 0x00FF00u);
}

TEST(GridPaintTest, WithoutGridLinesOnlyBordersShow) {
    GridFixture table(3, 3);
    table.grid.setFlag(grid::GridFlags::kGridLinesShown, false);
    const QRect cell = table.cellRect(1, 1);
    EXPECT_EQ(rgb(table.render(), {cell.right() + 1, cell.center().y()}), 0xFFFFFFu);
}

TEST(GridPaintTest, OneCellWithoutHeadersDrawsAllFourLines) {
    GridFixture table(1, 1);
    table.grid.setFlag(kHeadersShown, false);
    const QImage image = table.render();
    const QRect cell = table.cellRect(0, 0);
    EXPECT_EQ(cell.topLeft(), QPoint(0, 0));
    const QPoint middle = cell.center();
    EXPECT_EQ(rgb(image, {0, middle.y()}), kBodyGrid);
    EXPECT_EQ(rgb(image, {middle.x(), 0}), kBodyGrid);
    // The right and bottom lines lie under the selection frame, which inverts them.
    EXPECT_EQ(rgb(image, {cell.right() + 1, middle.y()}), ~kBodyGrid & 0xFFFFFF);
    EXPECT_EQ(rgb(image, {middle.x(), cell.bottom() + 1}), ~kBodyGrid & 0xFFFFFF);
    // Beyond the table: the grid's background.
    EXPECT_EQ(rgb(image, {cell.right() + 5, middle.y()}), 0xFFFFFFu);
}

TEST(GridPaintTest, Backgrounds) {
    GridFixture table(4, 4);
    table.grid.setBackColor(0x00CCBBAA);  // blue-ish grey: RGB AA BB CC
    table.source.setBackColor({2, 2, 1, 1}, 0x0000FFFF);  // yellow
    table.source.setBackColor({0, 1, 1, 1}, 0x0000FF00);  // green, but in a fixed row
    table.provider.setFixedRows(1);
    table.source.notifyTableReset();
    table.grid.selectCell(3, 3);
    const QImage image = table.render();
    EXPECT_EQ(rgb(image, table.cellCentre(1, 1)), 0xAABBCCu);
    EXPECT_EQ(rgb(image, table.cellCentre(2, 2)), 0xFFFF00u);
    EXPECT_EQ(rgb(image, table.cellCentre(0, 1)), buttonFace());
    // Below the last row the rest of the window shows the grid's background.
    EXPECT_EQ(rgb(image, {table.cellCentre(1, 1).x(), image.height() - 2}), 0xAABBCCu);
}

TEST(GridPaintTest, MergedBlockIsDrawnOnceAsAWhole) {
    GridFixture table(4, 4);
    table.source.mergeCells({1, 1, 2, 2});
    table.source.setBackColor({1, 1, 1, 1}, 0x000000FF);  // red, on the top-left cell only
    table.source.setBackColor({2, 2, 1, 1}, 0x00FF0000);  // blue, hidden inside the block
    table.grid.selectCell(3, 3);
    const QImage image = table.render();
    const QRect block = table.grid.layout().rangeRect({1, 1, 2, 2});
    // The whole block has the top-left cell's background and no inner lines.
    EXPECT_EQ(rgb(image, table.cellCentre(2, 2)), 0xFF0000u);
    EXPECT_EQ(rgb(image, {table.cellRect(1, 1).right() + 1, table.cellCentre(1, 1).y()}), 0xFF0000u);
    EXPECT_EQ(rgb(image, {table.cellCentre(1, 1).x(), table.cellRect(1, 1).bottom() + 1}), 0xFF0000u);
    EXPECT_EQ(rgb(image, {block.right() + 1, block.center().y()}), kBodyGrid);
}

TEST(GridPaintTest, MergedBlockTextIsCentredOnTheBlock) {
    GridFixture table(4, 4);
    table.source.mergeCells({1, 1, 2, 2});
    table.source.setCellText(1, 1, "88");
    table.source.setAlignment({1, 1, 1, 1}, 5);
    table.grid.selectCell(3, 3);
    const QRect block = table.grid.layout().rangeRect({1, 1, 2, 2});
    const QRect ink = inkBounds(table.render(), block, 0xFFFFFF);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().x(), block.center().x(), 2);
    EXPECT_NEAR(ink.center().y(), block.center().y(), 3);
}

TEST(GridPaintTest, TextPlacementByAlignment) {
    GridFixture table(3, 3);
    table.source.setRowHeight(1, 1, 300);
    table.grid.selectCell(2, 2);
    const int margin = table.grid.layoutState().scale.pixelsX(9);
    struct Case {
        int code;
        const char* text;
        bool right;
        bool bottom;
    } cases[] = {
        {1, "88", false, false},
        {9, "88", true, true},
        {7, "88", false, true},
        {3, "88", true, false},
        {9, "8\r\n8", true, false},  // a line break draws from the top whatever the code
    };
    for (const Case& c : cases) {
        table.source.setCellText(1, 1, c.text);
        table.source.setAlignment({1, 1, 1, 1}, c.code);
        const QRect cell = table.cellRect(1, 1);
        const QRect ink = inkBounds(table.render(), cell.adjusted(1, 1, -1, -1), 0xFFFFFF);
        ASSERT_FALSE(ink.isEmpty()) << c.code;
        if (c.right) {
            EXPECT_NEAR(ink.right(), cell.right() - margin, 3) << c.code;
        } else {
            EXPECT_NEAR(ink.left(), cell.left() + margin, 3) << c.code;
        }
        if (c.bottom) {
            EXPECT_GT(ink.top(), cell.center().y()) << c.code;
        } else {
            EXPECT_LT(ink.bottom(), cell.center().y()) << c.code;
        }
    }
}

TEST(GridPaintTest, MaskedCellsShowStars) {
    GridFixture table(2, 2);
    table.grid.selectCell(1, 1);
    table.source.setCellText(0, 0, "1");
    const QRect area = table.cellRect(0, 0).adjusted(1, 1, -1, -1);
    const QRect plain = inkBounds(table.render(), area, 0xFFFFFF);
    table.provider.setFlags(0, 0, table.flags(0, 0) | grid::CellFlags::kMasked);
    table.source.notifyTableReset();
    table.grid.selectCell(1, 1);
    const QRect masked = inkBounds(table.render(), area, 0xFFFFFF);
    ASSERT_FALSE(masked.isEmpty());
    // A star sits high on the line, a digit fills it.
    EXPECT_LT(masked.height(), plain.height());
}

TEST(GridPaintTest, PictureSizesByDisplayMode) {
    // A 100 x 100 pixel cell without margin: 265 tenths of a millimetre.
    struct Case {
        int width;
        int height;
        int code;
        QSize drawn;
    } cases[] = {
        {300, 200, 11, {100, 66}},
        {50, 50, 11, {50, 50}},
        {50, 50, 12, {100, 100}},
        {50, 50, 10, {100, 100}},
        {50, 50, 9, {50, 50}},
    };
    for (const Case& c : cases) {
        GridFixture table(3, 3);
        table.source.setColumnWidth(1, 1, 265);
        table.source.setRowHeight(1, 1, 265);
        table.source.setMargin({1, 1, 1, 1}, 0);
        table.source.setKind({1, 1, 1, 1}, grid::CellKind::Picture);
        table.source.setCellData(1, 1, bitmapOf(c.width, c.height));
        table.source.setAlignment({1, 1, 1, 1}, c.code);
        table.grid.selectCell(2, 2);
        const QRect cell = table.cellRect(1, 1);
        ASSERT_EQ(cell.size(), QSize(100, 100));
        const QRect red = colourBounds(table.render(), cell, 0xFF0000);
        EXPECT_EQ(red.size(), c.drawn) << c.code << " " << c.width;
        if (c.code == 11) {
            EXPECT_EQ(red.center(), cell.center()) << c.width;
        }
        if (c.code == 9) {
            EXPECT_EQ(red.bottomRight(), cell.bottomRight());
        }
    }
}

TEST(GridPaintTest, BinaryDataAndDamagedPicturesDrawNothing) {
    GridFixture table(2, 2);
    table.grid.selectCell(1, 1);
    const std::vector<uint8_t> damaged = {'B', 'M', 0, 0, 0, 0, 0xFF, 0xFF};
    table.source.setKind({0, 0, 1, 1}, grid::CellKind::Picture);
    table.source.setCellData(0, 0, damaged);
    table.source.setKind({0, 1, 1, 1}, grid::CellKind::Binary);
    table.source.setCellData(0, 1, bitmapOf(10, 10));
    const QImage image = table.render();
    EXPECT_TRUE(inkBounds(image, table.cellRect(0, 0).adjusted(1, 1, -1, -1), 0xFFFFFF).isEmpty());
    EXPECT_TRUE(inkBounds(image, table.cellRect(0, 1).adjusted(1, 1, -1, -1), 0xFFFFFF).isEmpty());
}

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// A cell of 100 x 100 pixels whose picture area lies 8 pixels inside (20 units).
QRect pictureCell(GridFixture& table, const std::vector<uint8_t>& picture, int code) {
    table.source.setColumnWidth(1, 1, 265);
    table.source.setRowHeight(1, 1, 265);
    table.source.setMargin({1, 1, 1, 1}, 20);
    table.source.setKind({1, 1, 1, 1}, grid::CellKind::Picture);
    table.source.setCellData(1, 1, picture);
    table.source.setAlignment({1, 1, 1, 1}, code);
    table.grid.selectCell(2, 2);
    return table.cellRect(1, 1).adjusted(8, 8, -8, -8);
}

TEST(GridPaintTest, PictureTooLargeShowsItsFrameInsteadOfItsPixels) {
    GridFixture table(3, 3);
    // Stretched, the decoded picture would fill the whole area red.
    const QRect area = pictureCell(table, bytesOf(redRunLengthBitmap(8000, 8000)), 10);
    const QImage image = table.render();
    EXPECT_EQ(colourBounds(image, table.cellRect(1, 1), 0x000000), area);
    const QPoint sides[] = {{area.left(), area.center().y()}, {area.right(), area.center().y()},
                            {area.center().x(), area.top()}, {area.center().x(), area.bottom()}};
    for (QPoint side : sides) EXPECT_EQ(rgb(image, side), 0x000000u) << side.x() << "," << side.y();
    EXPECT_TRUE(colourBounds(image, table.cellRect(1, 1), 0xFF0000).isEmpty());
    // Inside the frame only the word is drawn, in the middle, the corners stay blank.
    const QRect inside = area.adjusted(1, 1, -1, -1);
    const QRect word = inkBounds(image, inside, 0xFFFFFF);
    EXPECT_FALSE(word.isEmpty());
    EXPECT_FALSE(word.contains(inside.topLeft()));
    EXPECT_FALSE(word.contains(inside.bottomRight()));
}

TEST(GridPaintTest, TileOfAnAbsurdResolutionIsDrawnAtNinetySixDotsPerInch) {
    // Two pixels, red and blue, claiming two dots per metre: tiles of two screen
    // pixels, not one red pixel half a metre wide.
    ByteBuilder twoPixels = bitmapHeaders(2, 1, 24, 0, 2, 0, 8);
    twoPixels.raw(std::string("\x00\x00\xFF\xFF\x00\x00\x00\x00", 8));
    GridFixture table(3, 3);
    const QRect area = pictureCell(table, bytesOf(twoPixels.str()), 13);
    const QImage image = table.render();
    for (int x = area.left(); x <= area.right(); ++x) {
        EXPECT_EQ(rgb(image, {x, area.top()}), (x - area.left()) % 2 == 0 ? 0xFF0000u : 0x0000FFu) << x;
        EXPECT_EQ(rgb(image, {x, area.bottom()}), (x - area.left()) % 2 == 0 ? 0xFF0000u : 0x0000FFu) << x;
    }
}

TEST(GridPaintTest, ZoomTwoHundredDoublesEveryLength) {
    GridFixture table(4, 4);
    const grid::GridLayout normal = table.grid.layout();
    table.grid.setZoomPercent(200);
    const grid::GridLayout zoomed = table.grid.layout();
    EXPECT_EQ(zoomed.rangeRect({1, 1, 1, 1}).size(), 2 * normal.rangeRect({1, 1, 1, 1}).size());
    EXPECT_NEAR(zoomed.columns().headerSize(), 2 * normal.columns().headerSize(), 1);
    EXPECT_NEAR(zoomed.rows().headerSize(), 2 * normal.rows().headerSize(), 1);
}

// A screen scaled to 200 % keeps every length in 0.1 mm: each line lies at twice its
// device pixels, so a column of 250 units covers twice as many of them.
TEST(GridPaintTest, AScreenScaledTwiceDrawsEveryLineAtTwiceItsPixels) {
    GridFixture table(4, 4);
    table.source.setColumnWidth(1, 1, 250);
    auto lineStarts = [&](qreal scale) {
        QImage image(table.grid.viewport()->size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        table.grid.viewport()->render(&image);
        const int y = static_cast<int>(table.cellCentre(1, 1).y() * scale);
        std::vector<int> starts;
        for (int x = 1; x < image.width(); ++x) {
            if (rgb(image, {x, y}) == kBodyGrid && rgb(image, {x - 1, y}) != kBodyGrid) starts.push_back(x);
        }
        return starts;
    };
    const std::vector<int> normal = lineStarts(1), scaled = lineStarts(2);
    ASSERT_GE(normal.size(), 4u);
    ASSERT_EQ(scaled.size(), normal.size());
    for (size_t i = 0; i < normal.size(); ++i) EXPECT_NEAR(scaled[i], 2 * normal[i], 1) << i;
    // 250 units at 96 dots per inch are 94.5 pixels.
    EXPECT_NEAR(normal[1] - normal[0], 94.5, 1);
    EXPECT_NEAR(scaled[1] - scaled[0], 189, 2);
}

TEST(GridPaintTest, SelectionFrameInvertsTwoPixelsInsideTheSelection) {
    GridFixture table(4, 4);
    table.grid.selectCell(1, 1);
    const QImage image = table.render();
    const QRect cell = table.cellRect(1, 1);
    const int y = cell.center().y();
    EXPECT_EQ(rgb(image, {cell.left(), y}), kBodyGrid);                  // the neighbour's line, untouched
    EXPECT_EQ(rgb(image, {cell.left() + 1, y}), 0x000000u);              // white inverted
    EXPECT_EQ(rgb(image, {cell.left() + 2, y}), 0x000000u);
    EXPECT_EQ(rgb(image, {cell.left() + 3, y}), 0xFFFFFFu);
    EXPECT_EQ(rgb(image, {cell.right() + 1, y}), (~kBodyGrid) & 0xFFFFFF);  // its own line inverted
    EXPECT_EQ(rgb(image, {cell.right(), y}), 0x000000u);
    EXPECT_EQ(rgb(image, {cell.center().x(), cell.top() + 1}), 0x000000u);
    // Moving the selection gives the pixels back.
    table.grid.selectCell(2, 2);
    EXPECT_EQ(rgb(table.render(), {cell.left() + 1, y}), 0xFFFFFFu);
}

TEST(GridPaintTest, ScrolledEdgeLineWithoutHeaders) {
    GridFixture table(30, 3);
    table.grid.setFlag(kHeadersShown, false);
    table.source.drawLines({4, 0, 1, 1}, 8);  // bottom edge of (4, 0)
    table.grid.setLineColor(0x0000FF);
    table.grid.scrollTo(5, 0);
    table.grid.selectCell(10, 2);
    const QImage image = table.render();
    EXPECT_EQ(rgb(image, {table.cellCentre(5, 0).x(), 0}), 0xFF0000u);
    EXPECT_EQ(rgb(image, {table.cellCentre(5, 1).x(), 0}), kBodyGrid);
}

TEST(GridPaintTest, NoTableFillsWithTheBackground) {
    GridFixture table(0, 0);
    table.grid.setBackColor(0x00123456);
    const QImage image = table.render();
    EXPECT_EQ(rgb(image, {5, 5}), 0x563412u);
    EXPECT_EQ(rgb(image, {image.width() - 1, image.height() - 1}), 0x563412u);
}

}  // namespace
