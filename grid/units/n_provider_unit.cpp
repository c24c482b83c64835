// The in-memory provider as a unit: no window, own properties 0 (rows) and 1 (columns).
#include "grid/provider/n_provider.h"
#include "grid/units/grid_units.h"
#include "grid/units/provider_unit.h"
#include "grid/view/qt_text_measurer.h"
#include "runtime/window/property_values.h"

namespace grid {
namespace {

class NProviderUnit : public ProviderUnit {
public:
    NProviderUnit(rt::LoadedWindow& window, rt::UnitTemplate& record)
        : ProviderUnit(window, record), provider_(QtTextMeasurer()) {}

    DataProvider& provider() override { return provider_; }
    void* commandObject() override { return &provider_; }

    QWidget* createWidget(QWidget*) override {
        if (auto stored = rt::NProviderBlock::decode(record().kindProperties)) {
            provider_.setSize(std::max(0, stored->rowCount), std::max(0, stored->columnCount));
        }
        return nullptr;
    }
    rt::Value readOwnProperty(int32_t index, int32_t) override {
        if (index == 0) return rt::Value::integer(provider_.rowCount());
        if (index == 1) return rt::Value::integer(provider_.columnCount());
        return {};
    }
    void writeOwnProperty(int32_t index, int32_t, const rt::Value& value) override {
        if (index == 0) provider_.setRowCountProperty(rt::integerOfValue(value));
        if (index == 1) provider_.setColumnCountProperty(rt::integerOfValue(value));
    }

private:
    NProvider provider_;
};

}  // namespace

void registerNProviderUnitKind() {
    rt::registerUnitKind(rt::unit_kind::NProvider, rt::constructUnit<NProviderUnit>);
}

}  // namespace grid
