// Any bytes as an interface file: the parser either fails with a message naming the
// line or gives windows whose units all have the names and texts it read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/template_compiler/interface_file_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uic::InterfaceFileParser parser;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!parser.parse("fuzz.ui.txt", text) && parser.error().rfind("fuzz.ui.txt:", 0) != 0) std::abort();
    return 0;
}
