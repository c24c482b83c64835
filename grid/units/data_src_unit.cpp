#include "grid/units/data_src_unit.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QWidget>

#include "grid/units/grid_units.h"
#include "grid/units/provider_unit.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/message_box.h"
#include "runtime/window/property_values.h"

namespace grid {
namespace {

constexpr int kButtonWidth = 22;

QIcon buttonIcon(QStyle* style, DataSrcUnit::Button button) {
    switch (button) {
        case DataSrcUnit::Button::First: return style->standardIcon(QStyle::SP_MediaSkipBackward);
        case DataSrcUnit::Button::Previous: return style->standardIcon(QStyle::SP_MediaSeekBackward);
        case DataSrcUnit::Button::Next: return style->standardIcon(QStyle::SP_MediaSeekForward);
        case DataSrcUnit::Button::Last: return style->standardIcon(QStyle::SP_MediaSkipForward);
        case DataSrcUnit::Button::Add: return QIcon::fromTheme(QStringLiteral("list-add"));
        case DataSrcUnit::Button::Delete: return QIcon::fromTheme(QStringLiteral("list-remove"));
    }
    return {};
}

// What a screen reader calls each button; the icons say it only to the eye.
QString buttonName(DataSrcUnit::Button button) {
    switch (button) {
        case DataSrcUnit::Button::First: return QStringLiteral(u"第一条记录");
        case DataSrcUnit::Button::Previous: return QStringLiteral(u"上一条记录");
        case DataSrcUnit::Button::Next: return QStringLiteral(u"下一条记录");
        case DataSrcUnit::Button::Last: return QStringLiteral(u"最后一条记录");
        case DataSrcUnit::Button::Add: return QStringLiteral(u"添加记录");
        case DataSrcUnit::Button::Delete: return QStringLiteral(u"删除记录");
    }
    return {};
}

}  // namespace

DataSrcUnit::DataSrcUnit(rt::LoadedWindow& window, rt::UnitTemplate& record) : rt::Unit(window, record) {
    dataSource_.setProviderResolver([this](std::string_view name) -> DataProvider* {
        auto* unit = dynamic_cast<ProviderUnit*>(this->window().unitByName(name));
        return unit ? &unit->provider() : nullptr;
    });
}

DataSrcUnit::~DataSrcUnit() { dataSource_.bindProvider(nullptr); }

QWidget* DataSrcUnit::createWidget(QWidget* parent) {
    auto* bar = new QWidget(parent);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int i = 0; i < 6; ++i) {
        auto* button = new QToolButton(bar);
        auto which = static_cast<Button>(i);
        button->setIcon(buttonIcon(bar->style(), which));
        button->setAccessibleName(buttonName(which));
        button->setToolTip(buttonName(which));
        // Not a Tab stop: the main window's bar lies under the grid, where Tab would
        // bring an unseen 删除记录 under the Space key. The grid's keys and the table
        // menu do the same from the keyboard; the mouse and a reader's Press still work.
        button->setFocusPolicy(Qt::ClickFocus);
        button->setFixedSize(kButtonWidth, kButtonWidth);
        QObject::connect(button, &QToolButton::clicked, button, [this, which] { press(which); });
        row->addWidget(button);
        buttons_[static_cast<size_t>(i)] = button;
    }
    row->addStretch();
    if (auto stored = rt::DataSrcBlock::decode(record().kindProperties)) {
        dataSource_.setReadOnly(stored->readOnly != 0);
        allowAdd_ = stored->allowAdd != 0;
        allowDelete_ = stored->allowDelete != 0;
        dataSource_.setProviderName(stored->providerName);
    }
    updateButtons();
    return bar;
}

void DataSrcUnit::unitsCreated() {
    // The provider may come after the data source in the window.
    if (!dataSource_.provider()) dataSource_.setProviderName(dataSource_.providerName());
}

rt::Value DataSrcUnit::readOwnProperty(int32_t index, int32_t) {
    switch (index) {
        case 0: return rt::textValue(dataSource_.providerName());
        case 1: return rt::Value::logical(dataSource_.isReadOnly());
        case 2: return rt::Value::logical(allowAdd_);
        case 3: return rt::Value::logical(allowDelete_);
        default: return {};
    }
}

void DataSrcUnit::writeOwnProperty(int32_t index, int32_t, const rt::Value& value) {
    switch (index) {
        case 0: dataSource_.setProviderName(rt::textArgumentOf(value)); break;
        case 1: dataSource_.setReadOnly(rt::logicalOfValue(value)); break;
        case 2: allowAdd_ = rt::logicalOfValue(value); break;
        case 3: allowDelete_ = rt::logicalOfValue(value); break;
        default: return;
    }
    updateButtons();
}

bool DataSrcUnit::isEnabled(Button button) const {
    if (button == Button::Add) return !dataSource_.isReadOnly() && allowAdd_;
    if (button == Button::Delete) return !dataSource_.isReadOnly() && allowDelete_;
    return true;
}

void DataSrcUnit::updateButtons() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i]) buttons_[i]->setEnabled(isEnabled(static_cast<Button>(i)));
    }
}

void DataSrcUnit::press(Button button) {
    if (!isEnabled(button)) return;
    int32_t before = dataSource_.currentRow();
    switch (button) {
        case Button::First: dataSource_.setCurrentRow(0); break;
        case Button::Previous: dataSource_.setCurrentRow(before - 1); break;
        case Button::Next: dataSource_.setCurrentRow(before + 1); break;
        case Button::Last: dataSource_.setCurrentRow(dataSource_.rowCount() - 1); break;
        case Button::Add:
            if (!dataSource_.appendRows(1)) {
                rt::showMessageBox("插入新记录失败!", rt::message_box::Ok | rt::message_box::ExclamationIcon, "提示：");
                return;
            }
            dataSource_.setCurrentRow(dataSource_.rowCount() - 1);
            raise(1);
            return;
        case Button::Delete:
            if (!dataSource_.deleteRows(before, 1)) {
                rt::showMessageBox("删除记录失败!", rt::message_box::Ok | rt::message_box::ExclamationIcon, "提示：");
                return;
            }
            dataSource_.setCurrentRow(before);
            raise(2);
            return;
    }
    if (dataSource_.currentRow() != before) raise(0);
}

void registerDataSrcUnitKind() {
    rt::registerUnitKind(rt::unit_kind::DataSrc, rt::constructUnit<DataSrcUnit>);
}

}  // namespace grid
