#include "grid/model/table_search.h"

#include "grid/model/data_source.h"
#include "grid/model/searchable_cells.h"

namespace grid {
namespace {

// The cells of an area in a search order, each by its index in that order.
class OrderedArea {
public:
    OrderedArea(const CellRange& area, SearchOrder order) : area_(area), byRows_(order == SearchOrder::ByRows) {}

    int64_t size() const { return int64_t{area_.rowCount} * area_.columnCount; }
    // The index of a cell, or nothing when it lies outside the area.
    std::optional<int64_t> indexOf(CellPosition cell) const {
        const int32_t row = cell.row - area_.row;
        const int32_t column = cell.column - area_.column;
        if (row < 0 || row >= area_.rowCount || column < 0 || column >= area_.columnCount) return std::nullopt;
        return byRows_ ? int64_t{row} * area_.columnCount + column : int64_t{column} * area_.rowCount + row;
    }

    // Calls visit on the cells from index begin up to end until it returns true;
    // the index it stopped at, or nothing.
    template <typename Visit>
    std::optional<int64_t> walk(int64_t begin, int64_t end, Visit visit) const {
        const int64_t lineLength = byRows_ ? area_.columnCount : area_.rowCount;
        int64_t line = begin / lineLength;
        int64_t step = begin % lineLength;
        for (int64_t index = begin; index < end; ++index) {
            const int32_t across = static_cast<int32_t>(line);
            const int32_t along = static_cast<int32_t>(step);
            const CellPosition cell = byRows_ ? CellPosition{area_.row + across, area_.column + along}
                                              : CellPosition{area_.row + along, area_.column + across};
            if (visit(cell)) return index;
            if (++step == lineLength) {
                step = 0;
                ++line;
            }
        }
        return std::nullopt;
    }

private:
    CellRange area_;
    bool byRows_;
};

template <typename Visit>
void forEachMatch(const DataSrc& source, const CellRange& area, const TextPattern& pattern, SearchOrder order,
                  Visit visit) {
    std::optional<CellRange> valid = source.validRange(area);
    if (!valid || valid->isEmpty()) return;
    SearchableCells cells(*source.provider());
    const OrderedArea ordered(*valid, order);
    ordered.walk(0, ordered.size(), [&](CellPosition cell) {
        if (pattern.matches(cells.textAt(cell.row, cell.column))) visit(cell);
        return false;
    });
}

}  // namespace

std::optional<FoundCell> findNext(const DataSrc& source, const CellRange& area, const TextPattern& pattern,
                                  SearchOrder order, CellPosition from) {
    std::optional<CellRange> valid = source.validRange(area);
    if (!valid || valid->isEmpty()) return std::nullopt;
    SearchableCells cells(*source.provider());
    const OrderedArea ordered(*valid, order);
    std::optional<CellPosition> found;
    auto matches = [&](CellPosition cell) {
        if (!pattern.matches(cells.textAt(cell.row, cell.column))) return false;
        found = cell;
        return true;
    };
    const std::optional<int64_t> fromIndex = ordered.indexOf(from);
    const int64_t start = fromIndex ? *fromIndex + 1 : 0;
    if (ordered.walk(start, ordered.size(), matches)) return FoundCell{*found, false};
    if (ordered.walk(0, start, matches)) return FoundCell{*found, true};
    return std::nullopt;
}

std::vector<CellPosition> findAll(const DataSrc& source, const CellRange& area, const TextPattern& pattern,
                                  SearchOrder order) {
    std::vector<CellPosition> found;
    forEachMatch(source, area, pattern, order, [&](CellPosition cell) { found.push_back(cell); });
    return found;
}

int64_t countMatches(const DataSrc& source, const CellRange& area, const TextPattern& pattern) {
    int64_t count = 0;
    forEachMatch(source, area, pattern, SearchOrder::ByRows, [&](CellPosition) { ++count; });
    return count;
}

}  // namespace grid
