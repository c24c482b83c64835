#include "grid/print/print_job.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <memory>

#include "grid/format/atomic_file.h"
#include "grid/model/data_source.h"
#include "grid/print/page_renderer.h"
#include "grid/print/printer_choice.h"
#include "runtime/platform/gbk_codec.h"

namespace grid {
namespace {

const QString kNoFileName = QStringLiteral(u"未指定欲打印到的文件名称");
const QString kNoPrinter = QStringLiteral(u"无法创建打印机设备");
const QString kJobFailed = QStringLiteral(u"创建打印作业失败");
const QString kPageFailed = QStringLiteral(u"打印页失败");
const QString kNoPages = QStringLiteral(u"没有要打印的页。");

}  // namespace

QString printTable(const DataSrc& source, const PrintRequest& request, PrintProgress* progress) {
    if (!source.provider()) return kNoPrinter;
    const PageSettings settings = source.provider()->pageSettings();
    const bool toFile = settings.printToFile == 1;
    const QString fileName = rt::fromGbk(settings.printFileName);
    if (toFile && fileName.isEmpty()) return kNoFileName;
    const QString destination = toFile ? QStringLiteral(u"文件: ") + fileName : QStringLiteral(u"打印机");

    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<AtomicFile> pdf;
    if (toFile) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
    } else {
        const QPrinterInfo chosen = chosenPrinter(settings.printerName);
        if (chosen.isNull()) return kNoPrinter;
        printer = std::make_unique<QPrinter>(chosen, QPrinter::HighResolution);
        if (!printer->isValid()) return kNoPrinter;
    }
    applyPaperSettings(*printer, settings);
    const PrintPlan plan = planPrint(*source.provider(), settings, paperMetricsOf(*printer));
    // Odd pages of a one-page table, a range past the end: saying nothing would look
    // like a print that worked.
    if (plan.pages.empty()) return kNoPages;

    if (toFile) {
        // The PDF goes under a temporary name beside the target and takes its name only
        // when complete. A folder of that name would only fail at the very end.
        if (QFileInfo(fileName).isDir()) return kJobFailed;
        pdf = std::make_unique<AtomicFile>(QFile::encodeName(fileName).toStdString());
        if (pdf->refusal() == WriteRefusal::ForeignLink) {
            return rt::fromGbk(refusedTargetMessage(settings.printFileName));
        }
        if (!pdf->isOpen()) return kJobFailed;
        printer->setOutputFileName(QFile::decodeName(pdf->temporaryPath().c_str()));
    }
    printer->setDocName(request.documentName);
    printer->setCopyCount(1);
    QPainter painter;
    if (!painter.begin(printer.get())) return kJobFailed;

    PageRenderer renderer(source, plan, request.lineColor);
    // The printer's pixels are square at its resolution; one unit is 0.1 mm.
    const double pixelsPerUnit = printer->resolution() / 254.0;
    const PageDevice device{pixelsPerUnit, pixelsPerUnit, QPointF(0, 0)};
    const int copies = std::max(1, settings.copies);
    const auto pageCount = static_cast<int>(plan.pages.size());
    int64_t started = 0;
    for (int copy = 1; copy <= copies; ++copy) {
        for (int page = 1; page <= pageCount; ++page) {
            ++started;
            if (progress) {
                progress->report(QStringLiteral(u"正在打印第 %1/%2 份 %3/%4 页到 %5 ")
                                     .arg(copy)
                                     .arg(copies)
                                     .arg(page)
                                     .arg(pageCount)
                                     .arg(destination),
                                 static_cast<int>(started * 100 / (int64_t{copies} * pageCount)));
                if (progress->cancelled()) {
                    painter.end();
                    return {};
                }
            }
            if (started > 1 && !printer->newPage()) {
                painter.end();
                return kPageFailed;
            }
            renderer.drawPage(painter, static_cast<size_t>(page - 1), device);
        }
    }
    if (!painter.end()) return kPageFailed;
    if (pdf && !pdf->commit()) return kJobFailed;
    return {};
}

}  // namespace grid
