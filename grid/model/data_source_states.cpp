// Undo states of the table behind a data source, and whole-table copies put back.
#include <algorithm>

#include "grid/model/data_source.h"
#include "grid/model/table.h"

namespace grid {
namespace {

// Numbers are never reused, so a number kept after its data source went away can
// never name another table's state.
int32_t lastStateNumber = 0;

}  // namespace

int32_t DataSrc::captureState() {
    if (!provider_) return 0;
    std::shared_ptr<const Table> kept = provider_->captureTable();
    if (!kept) return 0;
    int32_t number = ++lastStateNumber;
    states_.emplace(number, std::move(kept));
    return number;
}

bool DataSrc::restoreState(int32_t state) {
    auto found = states_.find(state);
    if (found == states_.end() || !provider_) return false;
    // Views commit an open edit on the before-change notice, and whoever listens to
    // that edit may keep a new state meanwhile: hold on to this one.
    std::shared_ptr<const Table> kept = found->second;
    return putBack(*kept);
}

std::shared_ptr<const Table> DataSrc::tableCopy() const { return provider_ ? provider_->captureTable() : nullptr; }

bool DataSrc::putBack(const Table& table) {
    if (!provider_) return false;
    notifyBeforeChange();
    std::optional<TableRestore> restore = provider_->restoreTable(table);
    if (!restore) return false;
    if (restore->layoutChanged) {
        // The current row stays where it was when it still exists, so Undo or a sort
        // does not move the person away from where they work.
        currentRow_ = std::clamp(currentRow_, 0, std::max(0, rowCount() - 1));
        notify({.kind = ModelNotice::Kind::Reset});
    } else if (restore->changedRows) {
        notify({.kind = ModelNotice::Kind::Cells,
                .row = restore->changedRows->first,
                .column = 0,
                .rowCount = restore->changedRows->last - restore->changedRows->first + 1,
                .columnCount = columnCount()});
    }
    return true;
}

void DataSrc::releaseState(int32_t state) { states_.erase(state); }

bool DataSrc::matchesState(int32_t state) const {
    auto found = states_.find(state);
    return found != states_.end() && provider_ && provider_->holdsSameAs(*found->second);
}

}  // namespace grid
