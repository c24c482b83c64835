#include "grid/view/grid_layout.h"

namespace grid {

GridLayout::GridLayout(const DataSrc& source, const LayoutState& state)
    : scale_(state.scale),
      client_(state.client),
      rows_(source.rowCount(), source.provider() ? source.provider()->fixedRows() : 0, state.scrollRow,
            state.scale.pixelsY(state.headerHeight), state.headersShown, state.client.height(),
            [&source, scale = state.scale](int32_t row) { return scale.pixelsY(source.rowHeight(row)); }),
      columns_(source.columnCount(), source.provider() ? source.provider()->fixedColumns() : 0, state.scrollColumn,
               state.scale.pixelsX(state.headerWidth), state.headersShown, state.client.width(),
               [&source, scale = state.scale](int32_t column) { return scale.pixelsX(source.columnWidth(column)); }) {}

QRect GridLayout::rangeRect(const CellRange& range) const {
    int left = columns_.startOf(range.column);
    int top = rows_.startOf(range.row);
    int right = columns_.endOf(range.lastColumn());
    int bottom = rows_.endOf(range.lastRow());
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect GridLayout::wholeRangeRect(const CellRange& range) const {
    int left = columns_.wholeStartOf(range.column);
    int top = rows_.wholeStartOf(range.row);
    int right = columns_.wholeEndOf(range.lastColumn());
    int bottom = rows_.wholeEndOf(range.lastRow());
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect GridLayout::band(bool fixedRow, bool fixedColumn) const {
    int left = fixedColumn ? columns_.fixedBandStart() : columns_.bodyBandStart();
    int right = fixedColumn ? columns_.fixedEnd() : client_.width() - 1;
    int top = fixedRow ? rows_.fixedBandStart() : rows_.bodyBandStart();
    int bottom = fixedRow ? rows_.fixedEnd() : client_.height() - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect GridLayout::bandOf(int32_t row, int32_t column) const {
    return band(rows_.isFixed(row), columns_.isFixed(column));
}

QRect GridLayout::bodyBand() const { return band(false, false); }

}  // namespace grid
