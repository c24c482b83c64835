// Printing through a real print queue: a private print server (scripts/print-server)
// whose queues write each job they print into a file, read back with poppler.
#include <gtest/gtest.h>

#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "grid/print/print_job.h"
#include "grid/print/printer_choice.h"
#include "runtime/platform/gbk_codec.h"
#include "tests/grid/support/table_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr uint32_t kAllLines = 0x3F;
const QString kA4Queue = QStringLiteral("biaoge-a4");
const QString kLetterQueue = QStringLiteral("biaoge-letter");

// The server of this test process. libcups reads CUPS_SERVER once, when a process first
// asks for printers, so every test of the process shares one server.
class PrintServer {
public:
    PrintServer() {
        QProcess script;
        script.start(QStringLiteral(BIAOGE_PRINT_SERVER), {QStringLiteral("start")});
        if (!script.waitForFinished(60000) || script.exitStatus() != QProcess::NormalExit ||
            script.exitCode() != 0) {
            failure_ = QString::fromLocal8Bit(script.readAllStandardError()).trimmed();
            if (failure_.isEmpty())
                failure_ = script.errorString();
            return;
        }
        for (const QString& line :
             QString::fromLocal8Bit(script.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals <= 0)
                continue;
            const QString name = line.left(equals);
            const QString value = line.mid(equals + 1);
            if (name == QStringLiteral("CUPS_SERVER"))
                socket_ = value;
            if (name == QStringLiteral("PRINT_SERVER_FOLDER"))
                folder_ = value;
        }
        if (!isRunning()) {
            failure_ = QStringLiteral("print-server printed no socket and folder");
            return;
        }
        qputenv("CUPS_SERVER", socket_.toLocal8Bit());
    }
    ~PrintServer() {
        if (!folder_.isEmpty())
            run(QStringLiteral("stop"));
    }
    PrintServer(const PrintServer&) = delete;
    PrintServer& operator=(const PrintServer&) = delete;

    bool isRunning() const { return !socket_.isEmpty() && !folder_.isEmpty(); }
    const QString& failure() const { return failure_; }

    // The file a queue writes its jobs into.
    std::string outputOf(const QString& queue) const {
        return (folder_ + QStringLiteral("/output/") + queue + QStringLiteral(".pdf"))
            .toStdString();
    }
    // Waits until the server has printed every job it was given.
    bool waitForJobs() { return run(QStringLiteral("wait")); }
    std::string errorLog() const {
        return readWholeFile((folder_ + QStringLiteral("/log/error_log")).toStdString());
    }

private:
    bool run(const QString& command) {
        QProcess script;
        script.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        script.start(QStringLiteral(BIAOGE_PRINT_SERVER), {command, folder_});
        return script.waitForFinished(60000) && script.exitStatus() == QProcess::NormalExit &&
               script.exitCode() == 0;
    }

    QString socket_;
    QString folder_;
    QString failure_;
};

class PrintQueue : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = std::make_unique<PrintServer>(); }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override {
        if (!server->isRunning()) {
            GTEST_SKIP() << "no private print server on this machine: "
                         << server->failure().toStdString();
        }
    }
    static std::unique_ptr<PrintServer> server;
};

std::unique_ptr<PrintServer> PrintQueue::server;

grid::PageSettings onPrinter(const QString& queue) {
    grid::PageSettings settings;
    settings.printerName = rt::toGbk(queue);
    return settings;
}

TEST_F(PrintQueue, ListsTheServersQueuesAndChoosesOneByName) {
    QStringList names;
    for (const QPrinterInfo& printer : grid::installedPrinters())
        names.push_back(printer.printerName());
    names.sort();
    EXPECT_EQ(names, (QStringList{kA4Queue, kLetterQueue}));
    ASSERT_EQ(QPrinterInfo::defaultPrinter().printerName(), kA4Queue)
        << "the server's default queue";

    struct Case {
        QString wanted;
        QString chosen;
    };
    const Case cases[] = {
        {kLetterQueue, kLetterQueue},
        {kA4Queue, kA4Queue},
        {QStringLiteral(u"财务部的打印机"), kA4Queue},
        {QString(), kA4Queue},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid::chosenPrinter(rt::toGbk(c.wanted)).printerName(), c.chosen)
            << c.wanted.toStdString();
    }
}

TEST_F(PrintQueue, PaperMetricsComeFromTheChosenQueue) {
    struct Case {
        const char* what;
        QString queue;
        int16_t paperSize;
        int32_t printToFile;
        grid::PaperMetrics expected;
    };
    // The queues' unreachable strips are 18, 36, 12 and 24 pt at the left, top, right
    // and bottom: 6.35, 12.7, 4.23 and 8.47 mm.
    const Case cases[] = {
        {"A4 queue, its own paper", kA4Queue, 0, 0, {2100, 2970, 64, 127, 42, 85}},
        {"A4 queue, Letter asked for", kA4Queue, 1, 0, {2159, 2794, 64, 127, 42, 85}},
        {"Letter queue, A4 asked for", kLetterQueue, 9, 0, {2100, 2970, 64, 127, 42, 85}},
        {"Letter queue, its own paper", kLetterQueue, 0, 0, {2159, 2794, 64, 127, 42, 85}},
        {"printing to a file ignores the queue", kLetterQueue, 1, 1, {2159, 2794, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid::PageSettings settings = onPrinter(c.queue);
        settings.paperSize = c.paperSize;
        settings.printToFile = c.printToFile;
        const grid::PaperMetrics metrics = grid::paperMetricsFor(settings);
        EXPECT_EQ(metrics.paperWidth, c.expected.paperWidth);
        EXPECT_EQ(metrics.paperHeight, c.expected.paperHeight);
        // Points converted to tenths of a millimetre may round either way.
        EXPECT_NEAR(metrics.offsetLeft, c.expected.offsetLeft, 1);
        EXPECT_NEAR(metrics.offsetTop, c.expected.offsetTop, 1);
        EXPECT_NEAR(metrics.offsetRight, c.expected.offsetRight, 1);
        EXPECT_NEAR(metrics.offsetBottom, c.expected.offsetBottom, 1);
    }
}

TEST_F(PrintQueue, LandscapeTurnsThePaperAndKeepsTheUnreachableStrips) {
    grid::PageSettings settings = onPrinter(kA4Queue);
    settings.orientation = 2;
    const grid::PaperMetrics metrics = grid::paperMetricsFor(settings);
    EXPECT_EQ(metrics.paperWidth, 2970);
    EXPECT_EQ(metrics.paperHeight, 2100);
    // Which edge each strip lands on depends on which way the printer turns the page;
    // the four strips themselves stay.
    std::vector<int32_t> strips{metrics.offsetLeft, metrics.offsetTop, metrics.offsetRight,
                                metrics.offsetBottom};
    std::sort(strips.begin(), strips.end());
    const int32_t expected[] = {42, 64, 85, 127};
    for (size_t i = 0; i < strips.size(); ++i)
        EXPECT_NEAR(strips[i], expected[i], 1) << i;
}

QString toolOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QImage pdfPageImage(const TempDir& dir, const std::string& pdf, int dotsPerInch) {
    const QString prefix = QString::fromStdString(dir.file("page"));
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(dotsPerInch), QStringLiteral("-f"),
                       QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                       QStringLiteral("-singlefile"), QStringLiteral("-png"),
                       QString::fromStdString(pdf), prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

bool isDark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The first dark pixel along row y from the left, or along column x from the top; -1
// when there is none.
int firstDarkRight(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x) {
        if (isDark(image, x, y))
            return x;
    }
    return -1;
}
int firstDarkDown(const QImage& image, int x) {
    for (int y = 0; y < image.height(); ++y) {
        if (isDark(image, x, y))
            return y;
    }
    return -1;
}

TEST_F(PrintQueue, AJobReachesTheNamedQueueWithItsPagesInThePrintableArea) {
    // A framed table of eleven rows, five to a page below a repeated title row.
    TableFixture table(11, 3);
    table.provider.setFixedRows(1);
    table.source.setRowHeight(0, 11, 100);
    table.source.setColumnWidth(0, 3, 300);
    table.source.setCellText(0, 0, rt::toGbk(QStringLiteral(u"月度销售")));
    for (int row = 1; row < 11; ++row)
        table.source.setCellText(row, 0, rt::toGbk(QStringLiteral(u"门店%1").arg(row)));
    table.source.drawLines({0, 0, 11, 3}, kAllLines);
    grid::PageSettings settings = onPrinter(kLetterQueue);
    settings.paperSize = 1;
    settings.rowsPerPage = 5;
    table.provider.setPageSettings(settings);
    std::filesystem::remove(server->outputOf(kA4Queue));
    std::filesystem::remove(server->outputOf(kLetterQueue));

    ASSERT_TRUE(grid::printTable(table.source, {}, nullptr).isEmpty());
    ASSERT_TRUE(server->waitForJobs()) << server->errorLog();
    const std::string printed = server->outputOf(kLetterQueue);
    ASSERT_TRUE(std::filesystem::exists(printed)) << server->errorLog();
    EXPECT_FALSE(std::filesystem::exists(server->outputOf(kA4Queue)));

    const QString pdf = QString::fromStdString(printed);
    const QString info = toolOutput(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QStringLiteral("612 x 792 pts (letter)"))) << info.toStdString();
    QStringList pages = toolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    pages.removeLast();
    ASSERT_EQ(pages.size(), 2);
    for (const QString& page : pages)
        EXPECT_TRUE(page.contains(QStringLiteral(u"月度销售"))) << page.toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral(u"门店5")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral(u"门店6")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral(u"门店10")));

    // At 254 dots per inch one pixel is 0.1 mm. The table's corner lies 23 mm inside
    // the printable area, which starts 6.35 mm from the left and 12.7 mm from the top.
    TempDir dir;
    const QImage first = pdfPageImage(dir, printed, 254);
    ASSERT_FALSE(first.isNull());
    EXPECT_NEAR(first.width(), 2159, 1);
    EXPECT_NEAR(firstDarkRight(first, 357 + 50), 64 + 230, 2) << "left edge of the table";
    EXPECT_NEAR(firstDarkDown(first, 294 + 150), 127 + 230, 2) << "top edge of the table";
}

}  // namespace
