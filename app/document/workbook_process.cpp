#include "app/document/workbook_process.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>

#include "runtime/platform/gbk_codec.h"
#include "runtime/value/file_name.h"
#include "runtime/value/program_location.h"

namespace app {
namespace {

// A workbook the size of a table's limits takes seconds; one that takes minutes has
// made the reader loop.
constexpr int kLongestReading = 300'000;

// bgetool beside the editor (installed together), then in the build tree the editor
// was built in, then wherever the system finds it.
QString readerProgram() {
    std::error_code ignored;
    std::filesystem::path beside = std::filesystem::path(rt::programDirectory()) / "bgetool";
    if (std::filesystem::is_regular_file(beside, ignored)) return QFile::decodeName(beside.c_str());
    if (std::filesystem::is_regular_file(BIAOGE_BUILT_BGETOOL, ignored)) return QStringLiteral(BIAOGE_BUILT_BGETOOL);
    return QStandardPaths::findExecutable(QStringLiteral("bgetool"));
}

}  // namespace

WorkbookReading readWorkbookApart(std::string_view path, int32_t sheet, const std::string& tablePath) {
    WorkbookReading reading;
    const QString program = readerProgram();
    if (program.isEmpty()) {
        reading.readerMissing = true;
        return reading;
    }
    QStringList arguments{QStringLiteral("workbook"), QFile::decodeName(rt::pathFromText(path).c_str())};
    if (sheet > 0) arguments << QString::number(sheet) << QFile::decodeName(tablePath.c_str());
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(kLongestReading) ||
        process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        reading.failedToRun = true;
        return reading;
    }
    const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    for (const QByteArray& line : lines) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) continue;
        const QByteArray what = line.left(tab);
        const QByteArray value = line.mid(tab + 1);
        if (what == "sheet") reading.sheetNames.push_back(rt::utf8ToGbk({value.constData(), size_t(value.size())}));
        if (what == "lost") reading.lost.push_back(value.toInt());
        if (what == "error") reading.error = value.toInt();
    }
    // A reader that ended in failure without saying why failed all the same.
    if (process.exitCode() != 0 && reading.error == 0) reading.failedToRun = true;
    return reading;
}

}  // namespace app
