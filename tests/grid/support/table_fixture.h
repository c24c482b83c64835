#pragma once

#include <string>
#include <vector>

#include "grid/model/data_source.h"
#include "grid/model/model_notice.h"
#include "grid/provider/n_provider.h"
#include "runtime/value/unit_registry.h"

// Records every notice a data source sends.
class NoticeRecorder : public grid::ModelView {
public:
    void onModelNotice(const grid::ModelNotice& notice) override { notices.push_back(notice); }
    std::vector<grid::ModelNotice::Kind> kinds() const {
        std::vector<grid::ModelNotice::Kind> result;
        for (const auto& notice : notices) result.push_back(notice.kind);
        return result;
    }
    std::vector<grid::ModelNotice> notices;
};

// A data source bound to an in-memory provider whose letter "W" measures 20 x 40,
// registered as a unit so that commands can reach it.
class TableFixture {
public:
    explicit TableFixture(int rows = 0, int columns = 0)
        : measurer_({20, 40}), provider(measurer_), unit{0x52010001, nextUnitId(), rt::unit_kind::DataSrc} {
        source.bindProvider(&provider);
        provider.setSize(rows, columns);
        source.addView(&recorder);
        rt::registerUnitObject(unit, &source);
    }
    ~TableFixture() { rt::unregisterUnitObject(unit); }

    uint32_t flags(int row, int column) const { return provider.table().cell(row, column).flags(); }
    std::string text(int row, int column) const { return std::string(provider.table().cell(row, column).text()); }

private:
    // Every fixture is its own unit, so two tables alive at once never share one.
    static uint32_t nextUnitId() {
        static uint32_t id = 0x16010000;
        return ++id;
    }

    grid::FixedTextMeasurer measurer_;

public:
    grid::NProvider provider;
    grid::DataSrc source;
    NoticeRecorder recorder;
    rt::UnitRef unit;
};
