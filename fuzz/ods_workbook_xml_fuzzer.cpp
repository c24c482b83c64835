// Well-formed XML of any content as the parts inside an .ods workbook. Mutated zip
// files seldom get past the zip reader, so the input's pieces (split at NUL bytes)
// replace the content and the styles of a real workbook of the test data, compiled
// in. The package goes through the whole reader, so our walk over the content, the
// content made again with the covered cells counted, the library's XML parsers, the
// number formats and the collectors all see the hostile XML.
// Pieces the library is known to fail on are left out (workbook_fuzzing.h).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/workbook_fuzzing.h"
#include "ods_workbook_xml_fuzzer_package.h"

namespace {

constexpr std::string_view kParts[] = {"content.xml", "styles.xml"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<std::string> package =
        fuzzing::packageWithPieces({reinterpret_cast<const char*>(kPackage), sizeof kPackage}, kParts,
                                   {reinterpret_cast<const char*>(data), size});
    if (package) fuzzing::readEverySheet(*package, grid::workbook::WorkbookKind::Ods);
    return 0;
}
