// A cell or merged block that the window's edges or the fixed rows and columns cut
// shows exactly the part of itself that a window showing it whole shows there: its
// text, picture and diagonals are placed in the whole block and cut, never moved.
#include <gtest/gtest.h>

#include <QBuffer>
#include <functional>
#include <string>

#include "tests/grid/view/grid_fixture.h"

namespace {

constexpr uint32_t kBlockColour = 0xE0FFE0;

std::vector<uint8_t> redBitmap(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return {bytes.begin(), bytes.end()};
}

using Fill = std::function<void(GridFixture&, const grid::CellRange&)>;

Fill text(std::string content, int alignment) {
    return [content, alignment](GridFixture& table, const grid::CellRange& block) {
        table.source.setCellText(block.row, block.column, content);
        table.source.setAlignment({block.row, block.column, 1, 1}, alignment);
    };
}

Fill picture(int alignment) {
    return [alignment](GridFixture& table, const grid::CellRange& block) {
        table.source.setKind({block.row, block.column, 1, 1}, grid::CellKind::Picture);
        table.source.setCellData(block.row, block.column, redBitmap(40, 20));
        table.source.setAlignment({block.row, block.column, 1, 1}, alignment);
    };
}

Fill diagonal() {
    return [](GridFixture& table, const grid::CellRange& block) {
        table.source.drawLines({block.row, block.column, 1, 1}, 64);
    };
}

struct CutCase {
    const char* what;
    grid::CellRange block;
    int fixedRows;
    int fixedColumns;
    int scrollRow;
    int scrollColumn;
    // How many rows and columns scrolled out in front of the block: it moves by them.
    int rowsMoved;
    int columnsMoved;
    Fill fill;
    bool red;  // the fill draws red, else dark: the part compared must show some of it
};

// How many pixels of the area are dark (text, lines) or red (the picture).
int inkIn(const QImage& image, const QRect& area, bool red) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            const bool isRed = colour.red() > 200 && colour.green() < 60 && colour.blue() < 60;
            if (red ? isRed : qGray(colour.rgb()) < 100) ++count;
        }
    }
    return count;
}

void prepare(GridFixture& table, const CutCase& c) {
    table.provider.setFixedRows(c.fixedRows);
    table.provider.setFixedColumns(c.fixedColumns);
    table.source.notifyTableReset();
    table.source.mergeCells(c.block);
    table.source.setBackColor({c.block.row, c.block.column, 1, 1}, kBlockColour);
    c.fill(table, c.block);
    // The selection frame stays far from the block.
    table.grid.selectCell(table.source.rowCount() - 1, table.source.columnCount() - 1);
}

TEST(CutBlockPaintTest, TheShownPartOfACutBlockIsThatPartOfTheWholeBlock) {
    const std::string longText = "合并单元格里一段很长很长的文字从左边开始";
    const CutCase cases[] = {
        {"centred text, the block's first column scrolled out", {3, 1, 1, 6}, 0, 0, 0, 2, 0, 2,
         text("合并", 5), false},
        {"centred text, the block reaching past the right edge", {3, 1, 1, 6}, 0, 0, 0, 0, 0, 0,
         text("合并", 5), false},
        {"centred text, the block's first rows scrolled out", {2, 1, 12, 1}, 0, 0, 4, 0, 4, 0, text("合并", 5),
         false},
        {"centred text, the block reaching past the bottom", {8, 1, 14, 1}, 0, 0, 0, 0, 0, 0, text("合并", 5),
         false},
        {"left-aligned text cut by the left edge", {3, 1, 1, 6}, 0, 0, 0, 2, 0, 2, text(longText, 1), false},
        {"centred text, the block partly under the fixed columns", {3, 2, 1, 6}, 0, 1, 0, 3, 0, 3,
         text("合并", 5), false},
        {"centred text, the block partly under the fixed rows", {4, 1, 12, 1}, 2, 0, 6, 0, 6, 0, text("合并", 5),
         false},
        {"a centred picture, the block's first column scrolled out", {3, 1, 1, 6}, 0, 0, 0, 2, 0, 2, picture(5),
         true},
        {"a diagonal across a block whose first rows scrolled out", {2, 1, 12, 2}, 0, 0, 4, 0, 4, 0, diagonal(),
         false},
        {"text in the last fixed row while the body is scrolled", {1, 1, 1, 1}, 2, 0, 3, 0, 0, 0, text("固定", 5),
         false},
    };
    for (const CutCase& c : cases) {
        GridFixture whole(60, 20, QSize(1400, 900));
        prepare(whole, c);
        whole.grid.scrollTo(0, 0);
        const QImage wholeImage = whole.render();
        const QRect block = whole.grid.layout().rangeRect(c.block);
        ASSERT_LT(block.right(), 1400) << c.what;
        ASSERT_LT(block.bottom(), 900) << c.what;

        GridFixture cut(60, 20);
        prepare(cut, c);
        cut.grid.scrollTo(c.scrollRow, c.scrollColumn);
        const QImage cutImage = cut.render();
        const QPoint moved(-c.columnsMoved * GridFixture::kColumnPixels, -c.rowsMoved * GridFixture::kRowPixels);
        const QRect shown = block.translated(moved) & cut.grid.layout().bandOf(c.block.row, c.block.column);
        EXPECT_GT(inkIn(cutImage, shown, c.red), 0) << c.what;

        int differing = 0;
        QPoint first;
        for (int y = shown.top(); y <= shown.bottom(); ++y) {
            for (int x = shown.left(); x <= shown.right(); ++x) {
                const QPoint point(x, y);
                if (cutImage.pixel(point) != wholeImage.pixel(point - moved) && differing++ == 0) first = point;
            }
        }
        EXPECT_EQ(differing, 0) << c.what << ", first at (" << first.x() << ", " << first.y() << ")";
    }
}

}  // namespace
