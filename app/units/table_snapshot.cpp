#include "app/units/table_snapshot.h"

#include "app/window_ids.h"
#include "grid/format/table_file_io.h"
#include "grid/model/data_source.h"
#include "runtime/value/unit_registry.h"

namespace app {

TableSnapshot TableSnapshot::ofMainTable() {
    TableSnapshot snapshot;
    auto* source = static_cast<grid::DataSrc*>(
        rt::findUnitObject({window_id::MainWindow, main_unit::DataSource, rt::unit_kind::DataSrc}));
    if (source && source->provider()) snapshot.table_ = source->provider()->captureTable();
    return snapshot;
}

bool TableSnapshot::saveTo(const std::filesystem::path& file, const grid::WriteRules& rules) const {
    return table_ && grid::saveTableFile(*table_, file.string(), rules);
}

}  // namespace app
