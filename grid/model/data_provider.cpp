#include "grid/model/data_provider.h"

namespace grid {

uint32_t DataProvider::cellFlags(int32_t row, int32_t column) const {
    Cell cell;
    return getCell(cell, row, column, false) ? cell.flags() : 0;
}

void DataProvider::appendText(std::string& out, int32_t row, int32_t column) const {
    Cell cell;
    if (getCell(cell, row, column, true)) out.append(cell.text());
}

const Cell* DataProvider::storedCell(int32_t, int32_t) const { return nullptr; }

// From the last, so that the positions still to delete keep their numbers.
bool DataProvider::deleteRowSet(std::span<const int32_t> ascendingUnique) {
    for (auto row = ascendingUnique.rbegin(); row != ascendingUnique.rend(); ++row) {
        if (!deleteRows(*row, 1)) return false;
    }
    return true;
}

bool DataProvider::deleteColumnSet(std::span<const int32_t> ascendingUnique) {
    for (auto column = ascendingUnique.rbegin(); column != ascendingUnique.rend(); ++column) {
        if (!deleteColumns(*column, 1)) return false;
    }
    return true;
}

}  // namespace grid
