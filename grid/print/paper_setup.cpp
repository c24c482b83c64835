#include "grid/print/paper_setup.h"

#include <QMessageBox>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>

#include "grid/print/printer_choice.h"

namespace grid {
namespace {

void showPrinterCannotOpen(QWidget* parent) {
    QMessageBox box(QMessageBox::Critical, parent ? parent->windowTitle() : QString(),
                    QStringLiteral("不能打开打印机设备."), QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
}

void choosePaper(QWidget* parent, QPrinter& printer, PageSettings& settings) {
    applyPaperSettings(printer, settings);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    const QPageLayout layout = printer.pageLayout();
    // A custom size keeps only the code of a user-defined paper, which printing lays out on A4.
    settings.paperSize = static_cast<int16_t>(layout.pageSize().windowsId());
    settings.orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
}

}  // namespace

void runPaperSetup(QWidget* parent, const QPrinterInfo& printerInfo, PageSettings& settings) {
    if (!printerInfo.isNull()) {
        QPrinter printer(printerInfo, QPrinter::HighResolution);
        if (printer.isValid()) {
            choosePaper(parent, printer, settings);
            return;
        }
    }
    showPrinterCannotOpen(parent);
}

}  // namespace grid
