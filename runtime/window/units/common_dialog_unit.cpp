#include "runtime/window/units/common_dialog_unit.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "runtime/platform/file_dialog_folder.h"
#include "runtime/value/unit_registry.h"
#include "runtime/window/focus_return.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/property_values.h"
#include "runtime/window/unit.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/units/standard_units.h"

namespace rt {
namespace {

// The file dialog: no widget of its own, only the settings for its next use.
class CommonDlgUnit : public Unit {
public:
    using Unit::Unit;
    QWidget* createWidget(QWidget*) override {
        defaultExtension_ = fromGbk(storedProperties().text("defaultExtension"));
        return nullptr;
    }
    Value readOwnProperty(int32_t index, int32_t) override {
        switch (index) {
            case common_dialog_property::Type: return Value::integer(type_);
            case common_dialog_property::Title: return textValue(title_);
            case common_dialog_property::FileName: return textValue(fileName_);
            case common_dialog_property::Filter: return textValue(filter_);
            case common_dialog_property::DefaultExtension: return textValue(defaultExtension_);
            default: return {};
        }
    }
    void writeOwnProperty(int32_t index, int32_t, const Value& value) override {
        switch (index) {
            case common_dialog_property::Type: type_ = integerOfValue(value); break;
            case common_dialog_property::Title: title_ = qtTextOfValue(value); break;
            case common_dialog_property::FileName: fileName_ = qtTextOfValue(value); break;
            case common_dialog_property::Filter: filter_ = qtTextOfValue(value); break;
            case common_dialog_property::DefaultExtension: defaultExtension_ = qtTextOfValue(value); break;
            default: break;
        }
    }

    bool show() {
        FocusReturn focusReturn;
        QFileDialog dialog(&window(), title_);
        bool saving = type_ == 1;
        dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setNameFilters(nameFiltersOf(filter_));
        const QString chosen = runFileDialog(dialog, fileName_);
        focusReturn.restore();
        if (chosen.isEmpty()) return false;
        fileName_ = saving ? withDefaultExtension(chosen, dialog.selectedNameFilter(), defaultExtension_) : chosen;
        return true;
    }

private:
    int32_t type_ = 0;
    QString title_;
    QString fileName_;
    QString filter_;
    QString defaultExtension_;
};

}  // namespace

QStringList nameFiltersOf(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A description that already ends with its patterns in brackets is complete.
        if (!description.endsWith(QLatin1Char(')'))) description += QStringLiteral(" (%1)").arg(patterns);
        filters.append(description);
    }
    return filters;
}

QString withDefaultExtension(const QString& fileName, const QString& chosenFilter, const QString& defaultExtension) {
    if (!QFileInfo(fileName).suffix().isEmpty()) return fileName;
    static const QRegularExpression firstExtension(QStringLiteral("\\*\\.([A-Za-z0-9_]+)"));
    QRegularExpressionMatch match = firstExtension.match(chosenFilter);
    QString extension = match.hasMatch() ? match.captured(1) : defaultExtension;
    return extension.isEmpty() ? fileName : fileName + QLatin1Char('.') + extension;
}

void commonDialogOpen(Value* result, int argumentCount, const Value* arguments) {
    Arguments args(argumentCount, arguments);
    auto& unit = unitObjectAs<Unit>(args.unit(0));
    returnLogical(result, static_cast<CommonDlgUnit&>(unit).show());
}

void registerCommonDialogUnitKind() {
    registerUnitKind(unit_kind::CommonDlg, constructUnit<CommonDlgUnit>);
}

}  // namespace rt
