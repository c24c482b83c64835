#pragma once

#include <QToolButton>
#include <array>

#include "grid/model/data_source.h"
#include "runtime/window/unit.h"

namespace grid {

// The data source as a unit: it owns the DataSrc, binds the provider it names on the
// same window, and shows the navigation bar of six buttons (first, previous, next,
// last, add, delete). Own properties: 0 provider name, 1 read-only, 2 add allowed,
// 3 delete allowed. Events: 0 the current row moved, 1 a row was added, 2 deleted.
class DataSrcUnit : public rt::Unit {
public:
    DataSrcUnit(rt::LoadedWindow& window, rt::UnitTemplate& record);
    ~DataSrcUnit() override;

    DataSrc& dataSource() { return dataSource_; }
    void* commandObject() override { return &dataSource_; }

    QWidget* createWidget(QWidget* parent) override;
    void unitsCreated() override;
    rt::Value readOwnProperty(int32_t index, int32_t element) override;
    void writeOwnProperty(int32_t index, int32_t element, const rt::Value& value) override;

    enum class Button { First, Previous, Next, Last, Add, Delete };
    void press(Button button);
    bool isEnabled(Button button) const;

private:
    void updateButtons();

    DataSrc dataSource_;
    bool allowAdd_ = true;
    bool allowDelete_ = true;
    std::array<QToolButton*, 6> buttons_{};
};

}  // namespace grid
