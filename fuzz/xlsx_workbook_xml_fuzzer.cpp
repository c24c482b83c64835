// Well-formed XML of any content as the parts inside an .xlsx workbook. Mutated zip
// files seldom get past the zip reader, so the input's pieces (split at NUL bytes)
// replace the parts of a real workbook of the test data, compiled in: the sheet, the
// styles, the shared texts, the workbook and its relationships. The package goes
// through the whole reader, so the library's XML parsers, our repair of inline texts
// and of relationship targets, the styles and number formats and the collectors all
// see the hostile XML.
// Pieces the library is known to fail on are left out (workbook_fuzzing.h).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/workbook_fuzzing.h"
#include "xlsx_workbook_xml_fuzzer_package.h"

namespace {

constexpr std::string_view kParts[] = {"xl/worksheets/sheet1.xml", "xl/styles.xml", "xl/sharedStrings.xml",
                                       "xl/workbook.xml", "xl/_rels/workbook.xml.rels"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<std::string> package =
        fuzzing::packageWithPieces({reinterpret_cast<const char*>(kPackage), sizeof kPackage}, kParts,
                                   {reinterpret_cast<const char*>(data), size});
    if (package) fuzzing::readEverySheet(*package, grid::workbook::WorkbookKind::Xlsx);
    return 0;
}
