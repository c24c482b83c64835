#include "grid/print/page_setup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "grid/print/page_setup_form.h"
#include "grid/print/paper_setup.h"
#include "grid/print/printer_choice.h"
#include "grid/print/spin_edit.h"
#include "runtime/platform/file_dialog_folder.h"
#include "runtime/platform/gbk_codec.h"

namespace grid {
namespace {

constexpr int16_t kFitToWidth = -1;
constexpr int16_t kShrinkToWidth = -2;

// The print service has no ports; where the printer stands takes the port's place,
// or the printer's own name when no location is recorded.
QString printerItemText(const QPrinterInfo& printer) {
    const QString port = printer.location().isEmpty() ? printer.printerName() : printer.location();
    return QStringLiteral("%1 上的 %2").arg(port, printer.printerName());
}

// A stored list index outside the list shows its first item.
int listIndex(int32_t stored, int count) { return stored >= 0 && stored < count ? stored : 0; }

class PageSetupDialog : public QDialog {
public:
    PageSetupDialog(const PageSettings& settings, QWidget* parent)
        : QDialog(parent), form_(this), printers_(installedPrinters()), edited_(settings) {
        setWindowTitle(QStringLiteral("打印设置"));
        setFont(QFont(QStringLiteral("宋体"), 9));
        listPrinters();
        showSettings();
        connectActions();
        applyRules();
    }

    // The settings as the controls hold them.
    PageSettings editedSettings() const {
        PageSettings settings = edited_;
        const QPrinterInfo printer = selectedPrinter();
        if (!printer.isNull()) settings.printerName = rt::toGbk(printer.printerName());
        settings.printToFile = form_.printToFile->isChecked() ? 1 : 0;
        settings.printFileName = rt::toGbk(form_.printFileName->text());
        settings.marginTop = form_.marginTop->value();
        settings.marginBottom = form_.marginBottom->value();
        settings.marginLeft = form_.marginLeft->value();
        settings.marginRight = form_.marginRight->value();
        settings.scale = chosenScale();
        settings.oddEvenMode = form_.oddEvenMode->currentIndex();
        settings.printRange = form_.rowRange->isChecked() ? 2 : form_.pageRange->isChecked() ? 1 : 0;
        settings.startPage = form_.start->value();
        settings.endPage = form_.toEnd->isChecked() ? 0 : std::max(form_.end->value(), 1);
        settings.copies = form_.copies->value();
        settings.pageNumberPosition = static_cast<int16_t>(form_.pageNumberPosition->currentIndex());
        settings.firstPageNumber = form_.firstPageNumber->value();
        settings.repeatLastRow = form_.repeatLastRow->isChecked() ? 1 : 0;
        settings.addTableLines = form_.addTableLines->isChecked() ? 1 : 0;
        settings.rowsPerPage = std::max(form_.rowsPerPage->value(), 0);
        return settings;
    }

private:
    void listPrinters() {
        const QString chosen = chosenPrinter(edited_.printerName).printerName();
        for (const QPrinterInfo& printer : printers_) {
            form_.printer->addItem(printerItemText(printer));
            if (printer.printerName() == chosen) form_.printer->setCurrentIndex(form_.printer->count() - 1);
        }
    }

    void showSettings() {
        const PageSettings& settings = edited_;
        form_.printToFile->setChecked(settings.printToFile == 1);
        form_.printFileName->setText(rt::fromGbk(settings.printFileName));
        form_.marginTop->setValue(settings.marginTop);
        form_.marginBottom->setValue(settings.marginBottom);
        form_.marginLeft->setValue(settings.marginLeft);
        form_.marginRight->setValue(settings.marginRight);
        // The scale as printing would use it, so a stored 0 shows as 100 and 5000 as 1000.
        const int16_t scale = settings.scaleForUse();
        QRadioButton* scaleMode = scale == kFitToWidth      ? form_.fitToWidth
                                  : scale == kShrinkToWidth ? form_.shrinkToWidth
                                                            : form_.customScale;
        scaleMode->setChecked(true);
        form_.scale->setValue(scale > 0 ? scale : 100);
        form_.oddEvenMode->setCurrentIndex(listIndex(settings.oddEvenMode, form_.oddEvenMode->count()));
        QRadioButton* range = settings.printRange == 1   ? form_.pageRange
                              : settings.printRange == 2 ? form_.rowRange
                                                         : form_.allPages;
        range->setChecked(true);
        form_.start->setValue(settings.startPage);
        const bool toEnd = settings.endPage < 1;
        form_.toEnd->setChecked(toEnd);
        // Unticking "打印到结尾" then offers a range of one page from the start.
        form_.end->setValue(toEnd ? std::max(settings.startPage, 1) : settings.endPage);
        form_.copies->setValue(settings.copies);
        form_.pageNumberPosition->setCurrentIndex(
            listIndex(settings.pageNumberPosition, form_.pageNumberPosition->count()));
        form_.firstPageNumber->setValue(settings.firstPageNumber);
        form_.repeatLastRow->setChecked(settings.repeatLastRow == 1);
        form_.addTableLines->setChecked(settings.addTableLines == 1);
        form_.rowsPerPage->setValue(settings.rowsPerPage);
    }

    void connectActions() {
        connect(form_.confirm, &QPushButton::clicked, this, &QDialog::accept);
        connect(form_.cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(form_.printerSetup, &QPushButton::clicked, this,
                [this] { runPaperSetup(this, selectedPrinter(), edited_); });
        connect(form_.browseFile, &QPushButton::clicked, this, [this] { choosePrintFile(); });
        // A radio button toggles off as well as on, so these see every change of mode.
        QAbstractButton* const modeSwitches[] = {form_.printToFile, form_.customScale, form_.pageRange,
                                                 form_.rowRange, form_.toEnd};
        for (QAbstractButton* button : modeSwitches) {
            connect(button, &QAbstractButton::toggled, this, [this] { applyRules(); });
        }
    }

    void applyRules() {
        const bool toFile = form_.printToFile->isChecked();
        form_.printFileName->setEnabled(toFile);
        form_.browseFile->setEnabled(toFile);
        form_.scale->setEnabled(form_.customScale->isChecked());
        const bool byRows = form_.rowRange->isChecked();
        const bool ranged = byRows || form_.pageRange->isChecked();
        form_.start->setEnabled(ranged);
        form_.end->setEnabled(ranged && !form_.toEnd->isChecked());
        form_.startLabel->setText(byRows ? QStringLiteral("起始行号:") : QStringLiteral("起始页号:"));
        form_.endLabel->setText(byRows ? QStringLiteral("结束行号:") : QStringLiteral("结束页号:"));
    }

    QPrinterInfo selectedPrinter() const {
        const int index = form_.printer->currentIndex();
        return index >= 0 && index < printers_.size() ? printers_[index] : QPrinterInfo();
    }

    int16_t chosenScale() const {
        if (form_.fitToWidth->isChecked()) return kFitToWidth;
        if (form_.shrinkToWidth->isChecked()) return kShrinkToWidth;
        // Kept as typed, except that a negative percentage would read as a fit mode.
        return static_cast<int16_t>(std::clamp<int32_t>(form_.scale->value(), 0, INT16_MAX));
    }

    void choosePrintFile() {
        // Qt's own dialog rather than the desktop's: it behaves alike everywhere and
        // can be answered by a test.
        QFileDialog dialog(this, QStringLiteral("请选择欲打印到文件名:"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // Printing to a file writes PDF.
        dialog.setNameFilters({QStringLiteral("PDF 文件 (*.pdf)"), QStringLiteral("所有文件 (*)")});
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        const QString current = form_.printFileName->text();
        const QString chosen = rt::runFileDialog(dialog, current.isEmpty() ? QStringLiteral("out.pdf") : current);
        if (!chosen.isEmpty()) form_.printFileName->setText(QDir::toNativeSeparators(chosen));
    }

    PageSetupForm form_;
    QList<QPrinterInfo> printers_;
    // Also keeps what "设置(&S)" chose for the paper until the dialog is confirmed.
    PageSettings edited_;
};

}  // namespace

// The dialog lives on the heap behind a guarded pointer: a parent window that goes
// away while the dialog is open takes the dialog with it, which must not be an object
// on this function's stack.
bool runPageSetup(QWidget* parent, PageSettings& settings) {
    QPointer<PageSetupDialog> dialog = new PageSetupDialog(settings, parent);
    const bool confirmed = dialog->exec() == QDialog::Accepted && dialog;
    if (confirmed) settings = dialog->editedSettings();
    delete dialog;
    return confirmed;
}

}  // namespace grid
