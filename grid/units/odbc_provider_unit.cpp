// The external provider as a unit: no window, own properties 0 (connection text) and
// 1 (table name or query).
#include <QCoreApplication>
#include <QObject>

#include "grid/model/data_source.h"
#include "grid/provider/odbc_provider.h"
#include "grid/units/gbk_text_codec.h"
#include "grid/units/grid_units.h"
#include "grid/units/provider_unit.h"
#include "grid/view/qt_text_measurer.h"
#include "runtime/window/message_box.h"
#include "runtime/window/property_values.h"

namespace grid {
namespace {

// The provider fails in the middle of painting or of a grid edit; the box waits until
// that is over, so no nested loop runs inside them.
void showLater(const std::string& message) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [message] { rt::showMessageBox(message, rt::message_box::Ok | rt::message_box::ErrorIcon, "错误："); },
        Qt::QueuedConnection);
}

class OdbcProviderUnit : public ProviderUnit {
public:
    OdbcProviderUnit(rt::LoadedWindow& window, rt::UnitTemplate& record)
        : ProviderUnit(window, record), provider_(QtTextMeasurer(), codec_) {
        provider_.setFailureListener(showLater);
        // From the counting thread: the count is taken over in the editor's own thread,
        // and dropped with the receiver should the unit go first.
        provider_.setCountListener([this] {
            QMetaObject::invokeMethod(&countReceiver_, [this] { provider_.settleCount(); }, Qt::QueuedConnection);
        });
    }

    DataProvider& provider() override { return provider_; }
    void* commandObject() override { return &provider_; }

    QWidget* createWidget(QWidget*) override {
        rt::PropertyBlock stored = storedProperties();
        connection_ = stored.text("connection");
        source_ = stored.text("source");
        if (!source_.empty()) provider_.open(connection_, source_);
        return nullptr;
    }
    rt::Value readOwnProperty(int32_t index, int32_t) override {
        if (index == 0) return rt::textValue(connection_);
        if (index == 1) return rt::textValue(source_);
        return {};
    }
    void writeOwnProperty(int32_t index, int32_t, const rt::Value& value) override {
        if (index == 0) connection_ = rt::textArgumentOf(value);
        if (index != 1) return;
        source_ = rt::textArgumentOf(value);
        provider_.open(connection_, source_);
        if (provider_.dataSource()) provider_.dataSource()->notifyTableReset();
    }

private:
    GbkTextCodec codec_;
    // Before the provider, so that it outlives the provider's counting thread.
    QObject countReceiver_;
    OdbcProvider provider_;
    std::string connection_;
    std::string source_;
};

}  // namespace

void registerOdbcProviderUnitKind() {
    rt::registerUnitKind(rt::unit_kind::OdbcProvider, rt::constructUnit<OdbcProviderUnit>);
}

}  // namespace grid
