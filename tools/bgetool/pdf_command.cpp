#include "tools/bgetool/pdf_command.h"

#include <QApplication>
#include <QFileInfo>
#include <iostream>
#include <string>

#include "grid/print/print_job.h"
#include "grid/view/font_substitutions.h"
#include "runtime/platform/gbk_codec.h"

namespace bgetool {

const std::string_view kPdfHelp =
    "usage: bgetool pdf IN OUT.pdf\n"
    "Prints the table file IN into the PDF file OUT as the editor prints it to a file:\n"
    "with the page settings stored in the table (margins, paper and orientation,\n"
    "scale, rows per page, page number position, table lines), the title rows on\n"
    "every page, all pages, one copy. Needs no display. OUT is written under a\n"
    "temporary name and renamed when complete, so a failed print leaves an older OUT\n"
    "as it was.\n";

bool printToPdf(int argc, char** argv, TableSession& session, const std::string& input, const std::string& output,
                std::string& error) {
    // Fonts and the PDF writer need an application object, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    grid::installFontSubstitutions();

    grid::PageSettings settings = session.provider().pageSettings();
    settings.printToFile = 1;
    settings.printFileName = rt::toGbk(QFile::decodeName(output.c_str()));
    session.source().provider()->setPageSettings(settings);
    grid::PrintRequest request;
    request.documentName = QFileInfo(QFile::decodeName(input.c_str())).completeBaseName();
    const QString failure = grid::printTable(session.source(), request, nullptr);
    error = failure.toStdString();
    return failure.isEmpty();
}

int runPdfPrint(int argc, char** argv, std::span<char*> arguments) {
    if (arguments.size() != 2) {
        std::cerr << "bgetool pdf: IN and OUT.pdf are needed (see bgetool pdf --help)\n";
        return 2;
    }
    const std::string input = arguments[0], output = arguments[1];
    TableSession session;
    std::string error;
    if (!session.load(input, error)) {
        std::cerr << "bgetool pdf: " << error << '\n';
        return 1;
    }
    if (!printToPdf(argc, argv, session, input, output, error)) {
        std::cerr << "bgetool pdf: cannot print " << output << ": " << error << '\n';
        return 1;
    }
    return 0;
}

}  // namespace bgetool
