#pragma once

#include <QApplication>
#include <QImage>
#include <vector>

#include "grid/view/grid_widget.h"
#include "tests/grid/support/table_fixture.h"

// Every event a grid raises, with its arguments.
class EventRecorder : public grid::GridEventSink {
public:
    struct Raised {
        grid::GridEvent event;
        std::vector<int32_t> arguments;
        friend bool operator==(const Raised&, const Raised&) = default;
    };
    void gridEvent(grid::GridEvent event, std::span<const int32_t> arguments) override {
        raised.push_back({event, {arguments.begin(), arguments.end()}});
    }
    std::vector<Raised> raised;
};

// A shown grid bound to a table whose rows are 22 pixels high and whose columns are
// 118 pixels wide at 100 % (58 and 312 in 0.1 mm at 96 dots per inch).
class GridFixture : public TableFixture {
public:
    static constexpr int kRowPixels = 22;
    static constexpr int kColumnPixels = 118;

    explicit GridFixture(int rows, int columns, QSize size = QSize(640, 400)) : TableFixture(rows, columns) {
        grid.setEventSink(&events);
        grid.setDataSource(&source);
        grid.resize(size);
        grid.show();
        QApplication::processEvents();
    }

    QImage render() {
        QImage image(grid.viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        grid.viewport()->render(&image);
        return image;
    }
    QRect cellRect(int row, int column) const { return grid.layout().rangeRect({row, column, 1, 1}); }
    QPoint cellCentre(int row, int column) const { return cellRect(row, column).center(); }

    grid::GridWidget grid;
    EventRecorder events;
};

// The smallest rectangle around the pixels of the area that differ from `background`.
inline QRect inkBounds(const QImage& image, const QRect& area, QRgb background) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// The smallest rectangle around the pixels of the area that have exactly `colour`.
inline QRect colourBounds(const QImage& image, const QRect& area, QRgb colour) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}
