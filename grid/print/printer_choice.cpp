#include "grid/print/printer_choice.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <cmath>

#include "runtime/platform/gbk_codec.h"

namespace grid {
namespace {

constexpr int16_t kLandscape = 2;

int32_t tenthsOfMillimetre(qreal millimetres) { return static_cast<int32_t>(std::lround(millimetres * 10)); }

QPageSize pageSizeOf(int16_t paperCode) {
    QPageSize::PageSizeId id = paperCode > 0 ? QPageSize::id(paperCode) : QPageSize::A4;
    // Codes with no counterpart come back as Custom; the table is then laid out on A4.
    return QPageSize(id == QPageSize::Custom ? QPageSize::A4 : id);
}

QPageLayout::Orientation orientationOf(const PageSettings& settings) {
    return settings.orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

}  // namespace

QList<QPrinterInfo> installedPrinters() { return QPrinterInfo::availablePrinters(); }

QPrinterInfo chosenPrinter(const std::string& printerName) {
    const QList<QPrinterInfo> printers = installedPrinters();
    if (printers.isEmpty()) return {};
    const QString wanted = rt::fromGbk(printerName);
    for (const QPrinterInfo& printer : printers) {
        if (!wanted.isEmpty() && printer.printerName() == wanted) return printer;
    }
    QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
    return fallback.isNull() ? printers.first() : fallback;
}

void applyPaperSettings(QPrinter& printer, const PageSettings& settings) {
    if (settings.paperSize > 0 || printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setPageSize(pageSizeOf(settings.paperSize));
    } else {
        // A new device starts on A4 whenever the printer offers it, not on the paper
        // the printer itself is set to.
        printer.setPageSize(QPrinterInfo(printer).defaultPageSize());
    }
    printer.setPageOrientation(orientationOf(settings));
    // A file is printable to the paper's edges; a printer keeps only the strips it
    // cannot reach, so the page's origin is the printable area's corner.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setFullPage(true);
    } else {
        printer.setPageMargins(printer.pageLayout().minimumMargins(), printer.pageLayout().units());
    }
}

PaperMetrics paperMetricsOf(const QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::Millimeter);
    const QRectF page = printer.pageRect(QPrinter::Millimeter);
    PaperMetrics metrics;
    metrics.paperWidth = tenthsOfMillimetre(paper.width());
    metrics.paperHeight = tenthsOfMillimetre(paper.height());
    metrics.offsetLeft = tenthsOfMillimetre(page.left() - paper.left());
    metrics.offsetTop = tenthsOfMillimetre(page.top() - paper.top());
    metrics.offsetRight = tenthsOfMillimetre(paper.right() - page.right());
    metrics.offsetBottom = tenthsOfMillimetre(paper.bottom() - page.bottom());
    return metrics;
}

PaperMetrics paperMetricsFor(const PageSettings& settings) {
    const QPrinterInfo printer = settings.printToFile == 1 ? QPrinterInfo() : chosenPrinter(settings.printerName);
    if (!printer.isNull()) {
        QPrinter device(printer, QPrinter::HighResolution);
        applyPaperSettings(device, settings);
        return paperMetricsOf(device);
    }
    QPageLayout layout(pageSizeOf(settings.paperSize), orientationOf(settings), QMarginsF());
    const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
    PaperMetrics metrics;
    metrics.paperWidth = tenthsOfMillimetre(paper.width());
    metrics.paperHeight = tenthsOfMillimetre(paper.height());
    return metrics;
}

}  // namespace grid
