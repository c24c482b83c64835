#include "grid/print/print_job.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>
#include <cstdio>
#include <memory>

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

// The output of a print to file: a temporary file beside the target, renamed to the
// target when the document is complete and removed otherwise.
class PdfTarget {
public:
    explicit PdfTarget(const QString& target)
        : target_(QFileInfo(target).absoluteFilePath()),
          temporary_(QFileInfo(target_).absolutePath() + QStringLiteral("/.biaoge-print-XXXXXX.pdf")) {}

    // False when the target's folder takes no new file, or the target is a folder.
    bool create() {
        if (QFileInfo(target_).isDir() || !temporary_.open()) return false;
        temporary_.close();
        return true;
    }
    QString temporaryName() const { return temporary_.fileName(); }
    bool commit() {
        return std::rename(QFile::encodeName(temporary_.fileName()).constData(),
                           QFile::encodeName(target_).constData()) == 0;
    }

private:
    QString target_;
    QTemporaryFile temporary_;
};

}  // namespace

QString printTable(const DataSrc& source, const PrintRequest& request, PrintProgress* progress) {
    if (!source.provider()) return kNoPrinter;
    const PageSettings settings = source.provider()->pageSettings();
    const bool toFile = settings.printToFile == 1;
    const QString fileName = rt::fromGbk(settings.printFileName);
    if (toFile && fileName.isEmpty()) return kNoFileName;
    const QString destination = toFile ? QStringLiteral(u"文件: ") + fileName : QStringLiteral(u"打印机");

    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<PdfTarget> pdf;
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
    if (plan.pages.empty()) return {};

    if (toFile) {
        pdf = std::make_unique<PdfTarget>(fileName);
        if (!pdf->create()) return kJobFailed;
        printer->setOutputFileName(pdf->temporaryName());
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
