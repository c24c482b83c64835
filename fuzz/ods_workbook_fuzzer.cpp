// Any bytes as an .ods workbook: the zip reader, our walk over the content and the
// content made again with the covered cells counted, the library's reading and our
// collectors, and every sheet made into a table. A package holding XML the library is
// known to fail on is left out (workbook_fuzzing.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/workbook_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (fuzzing::packageAvoidsKnownLibraryFaults(bytes)) fuzzing::readEverySheet(bytes, grid::workbook::WorkbookKind::Ods);
    return 0;
}
