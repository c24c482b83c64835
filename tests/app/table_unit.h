#pragma once

#include "app/units/data_source_ref.h"
#include "grid/model/data_source.h"
#include "grid/model/text_measurer.h"
#include "grid/provider/n_provider.h"
#include "runtime/value/unit_registry.h"

namespace testing_support {

// A table behind a data source registered as a unit, so that the routines reach it
// through the data-source commands exactly as they reach the editor's, without a
// display.
class TableUnit {
public:
    TableUnit(int32_t rows, int32_t columns) {
        source_.bindProvider(&provider_);
        provider_.setSize(rows, columns);
        rt::registerUnitObject(unit_, &source_);
    }
    ~TableUnit() { rt::unregisterUnitObject(unit_); }
    TableUnit(const TableUnit&) = delete;
    TableUnit& operator=(const TableUnit&) = delete;

    app::DataSourceRef ref() const { return app::DataSourceRef(unit_); }
    grid::DataSrc& source() { return source_; }

private:
    grid::FixedTextMeasurer measurer_{grid::kHeadlessLetterExtent};
    grid::NProvider provider_{measurer_};
    grid::DataSrc source_;
    rt::UnitRef unit_{7, 7, rt::unit_kind::DataSrc};
};

}  // namespace testing_support
