// Printing to PDF: real files read back with poppler, and pages drawn into images.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QPainter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <sys/stat.h>

#include "grid/model/cell_flags.h"
#include "grid/print/page_renderer.h"
#include "grid/print/print_job.h"
#include "grid/print/print_progress.h"
#include "grid/print/printer_choice.h"
#include "runtime/platform/gbk_codec.h"
#include "tests/grid/support/table_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr uint32_t kAllLines = 0x3F;

// A report: a merged title over four columns as the title row, then numbered rows,
// every cell framed.
struct Report : TableFixture {
    explicit Report(int bodyRows) : TableFixture(bodyRows + 1, 4) {
        provider.setFixedRows(1);
        source.setRowHeight(0, provider.rowCount(), 100);
        source.setColumnWidth(0, 4, 300);
        source.mergeCells({0, 0, 1, 4});
        source.setCellText(0, 0, rt::toGbk(QStringLiteral(u"季度报表")));
        for (int row = 1; row <= bodyRows; ++row) {
            source.setCellText(row, 0, rt::toGbk(QStringLiteral(u"行%1").arg(row)));
        }
        source.drawLines({0, 0, provider.rowCount(), 4}, kAllLines);
    }
    grid::PageSettings& settings() { return const_cast<grid::PageSettings&>(provider.pageSettings()); }
};

QString pdfText(const std::string& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QString::fromStdString(path), QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The texts of each page: pdftotext ends every page with a form feed.
QStringList pdfPages(const std::string& path) {
    QStringList pages = pdfText(path).split(QLatin1Char('\f'));
    pages.removeLast();
    return pages;
}

QImage pdfPageImage(const TempDir& dir, const std::string& path, int page, int dotsPerInch) {
    const QString prefix = QString::fromStdString(dir.file("page"));
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dotsPerInch), QStringLiteral("-f"),
                                                   QString::number(page), QStringLiteral("-l"), QString::number(page),
                                                   QStringLiteral("-singlefile"), QStringLiteral("-png"),
                                                   QString::fromStdString(path), prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

bool isDark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

class NoProgress : public grid::PrintProgress {
public:
    void report(const QString& text, int value) override {
        status = text;
        percents.push_back(value);
    }
    bool cancelled() override { return percents.size() > static_cast<size_t>(cancelAfter); }
    QString status;
    std::vector<int> percents;
    int cancelAfter = 1 << 30;
};

void printToFile(Report& report, const std::string& path) {
    report.settings().printToFile = 1;
    report.settings().printFileName = path;
}

TEST(PrintToPdf, PagesRepeatTheTitleAndCarryTheirNumbers) {
    TempDir dir;
    Report report(25);
    printToFile(report, dir.file("report.pdf"));
    report.settings().rowsPerPage = 10;
    report.settings().pageNumberPosition = 5;
    NoProgress progress;
    ASSERT_TRUE(grid::printTable(report.source, {}, &progress).isEmpty());

    const QStringList pages = pdfPages(dir.file("report.pdf"));
    ASSERT_EQ(pages.size(), 3);
    // A new file as any other program would make it, not a private temporary one.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(static_cast<mode_t>(std::filesystem::status(dir.file("report.pdf")).permissions()), 0666 & ~mask);
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        EXPECT_TRUE(pages[page].contains(QStringLiteral(u"季度报表")));
        EXPECT_TRUE(pages[page].contains(QStringLiteral(u"第 %1 页").arg(page + 1)));
        EXPECT_TRUE(pages[page].contains(QStringLiteral(u"行%1\n").arg(page * 10 + 1)));
    }
    EXPECT_FALSE(pages[0].contains(QStringLiteral(u"行11\n")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral(u"行25")));
    EXPECT_EQ(progress.percents, (std::vector<int>{33, 66, 100}));
    EXPECT_EQ(progress.status, QStringLiteral(u"正在打印第 1/1 份 3/3 页到 文件: ") +
                                   QString::fromStdString(dir.file("report.pdf")) + QLatin1Char(' '));
}

TEST(PrintToPdf, CopiesRangesAndOddPagesKeepTheLayoutsNumbers) {
    TempDir dir;
    Report report(50);
    printToFile(report, dir.file("range.pdf"));
    report.settings().rowsPerPage = 10;
    report.settings().pageNumberPosition = 2;
    report.settings().firstPageNumber = 7;
    report.settings().printRange = 1;
    report.settings().startPage = 2;
    report.settings().endPage = 5;
    report.settings().oddEvenMode = 1;
    report.settings().copies = 2;
    ASSERT_TRUE(grid::printTable(report.source, {}, nullptr).isEmpty());

    const QStringList pages = pdfPages(dir.file("range.pdf"));
    ASSERT_EQ(pages.size(), 4);
    const int expected[] = {8, 10, 8, 10};
    for (int page = 0; page < 4; ++page) {
        EXPECT_TRUE(pages[page].contains(QStringLiteral(u"第 %1 页").arg(expected[page]))) << pages[page].toStdString();
    }
}

TEST(PrintToPdf, LinesAndTheMergedTitleAreOnThePaper) {
    TempDir dir;
    Report report(3);
    printToFile(report, dir.file("lines.pdf"));
    report.settings().marginLeft = 150;
    report.settings().marginTop = 150;
    ASSERT_TRUE(grid::printTable(report.source, {}, nullptr).isEmpty());

    // At 254 dots per inch one pixel is 0.1 mm: the table starts at (150, 150), its
    // columns are 300 wide and its rows 100 high.
    const QImage page = pdfPageImage(dir, dir.file("lines.pdf"), 1, 254);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.width(), 2100);
    EXPECT_NEAR(page.height(), 2970, 1) << "A4, give or take poppler's rounding";
    auto darkNear = [&](int x, int y) {
        for (int dx = -2; dx <= 2; ++dx) {
            for (int dy = -2; dy <= 2; ++dy) {
                if (isDark(page, x + dx, y + dy)) return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(darkNear(150, 200)) << "left edge of the title";
    EXPECT_TRUE(darkNear(1000, 150)) << "top edge";
    EXPECT_TRUE(darkNear(1350, 300)) << "right edge of the table";
    EXPECT_TRUE(darkNear(450, 300)) << "line between the first two columns in the body";
    EXPECT_FALSE(darkNear(450, 210)) << "no line inside the merged title";
    EXPECT_TRUE(darkNear(1000, 550)) << "bottom edge of the last row";
    EXPECT_FALSE(darkNear(1000, 700)) << "nothing below the table";
}

TEST(PrintToPdf, FailuresAndCancelLeaveNoFileBehind) {
    TempDir dir;
    Report report(30);
    report.settings().rowsPerPage = 5;
    report.settings().printToFile = 1;
    EXPECT_EQ(grid::printTable(report.source, {}, nullptr), QStringLiteral(u"未指定欲打印到的文件名称"));

    const std::string target = dir.file("old.pdf");
    writeWholeFile(target, "older");
    printToFile(report, target);
    NoProgress progress;
    progress.cancelAfter = 2;
    EXPECT_TRUE(grid::printTable(report.source, {}, &progress).isEmpty());
    EXPECT_EQ(readWholeFile(target), "older");

    std::filesystem::create_directory(dir.file("folder.pdf"));
    printToFile(report, dir.file("folder.pdf"));
    EXPECT_EQ(grid::printTable(report.source, {}, nullptr), QStringLiteral(u"创建打印作业失败"));
    printToFile(report, dir.file("missing/out.pdf"));
    EXPECT_EQ(grid::printTable(report.source, {}, nullptr), QStringLiteral(u"创建打印作业失败"));

    // Even pages of a table that fills one page, and a range past the last page: no
    // page is no print, and is said so.
    Report onePage(2);
    struct Case {
        int oddEven;
        int range;
        bool printed;
    };
    for (const Case& c : {Case{2, 0, false}, Case{0, 1, false}, Case{1, 0, true}}) {
        onePage.settings().oddEvenMode = c.oddEven;
        onePage.settings().printRange = c.range;
        onePage.settings().startPage = 3;
        onePage.settings().endPage = 5;
        printToFile(onePage, dir.file("nothing.pdf"));
        const QString said = grid::printTable(onePage.source, {}, nullptr);
        EXPECT_EQ(said, c.printed ? QString() : QStringLiteral(u"没有要打印的页。")) << c.oddEven << c.range;
        EXPECT_EQ(std::filesystem::exists(dir.file("nothing.pdf")), c.printed) << c.oddEven << c.range;
        std::filesystem::remove(dir.file("nothing.pdf"));
    }
    // Only the two files the test made: no temporary output was left.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(PrintToPdf, TheProgressDialogShowsTheJobAndItsButtonStopsIt) {
    TempDir dir;
    Report report(60);
    report.settings().rowsPerPage = 2;
    printToFile(report, dir.file("stopped.pdf"));
    QString caption, status;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        caption = dialog->windowTitle();
        status = dialog->findChild<QLabel*>()->text();
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral(u"中止打印(&C)")) button->click();
        }
    });
    EXPECT_TRUE(grid::printWithProgress(report.source, {}, true, nullptr).isEmpty());
    EXPECT_EQ(caption, QStringLiteral(u"正在打印，请稍候..."));
    EXPECT_TRUE(status.startsWith(QStringLiteral(u"正在打印第 1/1 份 1/30 页到 文件: "))) << status.toStdString();
    EXPECT_FALSE(std::filesystem::exists(dir.file("stopped.pdf")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
}

TEST(PrintToPrinter, WithoutAnyPrinterNoDeviceIsMade) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer installed";
    Report report(3);
    EXPECT_EQ(grid::printTable(report.source, {}, nullptr), QStringLiteral(u"无法创建打印机设备"));
    const grid::PaperMetrics a4 = grid::paperMetricsFor(report.settings());
    EXPECT_EQ(a4.paperWidth, 2100);
    EXPECT_EQ(a4.paperHeight, 2970);
    EXPECT_EQ(a4.offsetLeft + a4.offsetTop + a4.offsetRight + a4.offsetBottom, 0);
    report.settings().orientation = 2;
    EXPECT_EQ(grid::paperMetricsFor(report.settings()).paperWidth, 2970);
}

// The renderer on an image: one pixel per 0.1 mm, the printable area at (0, 0).
class RenderedPage : public ::testing::Test {
protected:
    QImage draw(Report& report, size_t page = 0) {
        plan = grid::planPrint(report.provider, report.settings(), grid::PaperMetrics{});
        QImage image(2100, 2970, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        grid::PageRenderer renderer(report.source, plan, 0);
        renderer.drawPage(painter, page, {1, 1, QPointF(0, 0)});
        return image;
    }
    grid::PrintPlan plan;
};

TEST_F(RenderedPage, TheLastPageRepeatsTheLastRowsFramesToTheBottom) {
    Report report(3);
    report.settings().marginTop = 100;
    report.settings().marginBottom = 100;
    report.settings().repeatLastRow = 1;
    QImage page = draw(report);
    // Rows end at 100 + 4 x 100; the frames go on every 100 units to the body's end
    // at 2970 - 100.
    for (int y : {600, 1000, 2790}) EXPECT_TRUE(isDark(page, 530, y)) << y;
    EXPECT_FALSE(isDark(page, 530, 2950));
    report.settings().repeatLastRow = 0;
    page = draw(report);
    EXPECT_FALSE(isDark(page, 530, 1000));
}

TEST_F(RenderedPage, TheScaleShrinksAWideTableIntoThePrintRectangle) {
    Report report(2);
    report.source.setColumnWidth(0, 4, 1000);  // 4000 wide on a 1640 rectangle
    report.settings().scale = -2;
    QImage page = draw(report);
    EXPECT_EQ(plan.scale, 1640 * 100 / 4000);
    EXPECT_TRUE(isDark(page, 230 + 1640, 300)) << "the right edge lands at the rectangle's edge";
    report.source.setColumnWidth(0, 4, 300);
    page = draw(report);
    EXPECT_EQ(plan.scale, 100) << "a narrower table stays at 100 %";
}

TEST_F(RenderedPage, PageNumbersSitFourMillimetresOutsideTheTable) {
    Report report(2);
    report.settings().pageNumberPosition = 1;
    QImage page = draw(report);
    auto inkBetween = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = 230; x < 600; ++x) {
                if (isDark(page, x, y)) return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inkBetween(230 - 80, 230 - 40));
    EXPECT_FALSE(inkBetween(230 - 39, 229));
    report.settings().pageNumberPosition = 4;
    page = draw(report);
    EXPECT_TRUE(inkBetween(2970 - 230 + 40, 2970 - 230 + 80));
    EXPECT_FALSE(inkBetween(230 - 80, 230 - 40));
}

}  // namespace
