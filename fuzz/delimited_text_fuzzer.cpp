// Any bytes as an imported text file: the encoding guess, the UTF-8 conversion, the
// line and field split with and without quotes (the first byte picks the separators),
// and the import into a small table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "app/exchange/text_exchange.h"
#include "tests/app/table_unit.h"

namespace {

// Separators as a person might type them, including multi-byte and empty ones.
constexpr std::string_view kSeparators[] = {";", "|", ",", "\r\n", "\n", "", "ab", "\xB1\xED", "\"", "||"};

// The rows end at one of those, or at a line break of any form (the dialog's "换行符").
std::optional<std::string> rowSeparatorOf(uint8_t choice) {
    const size_t pick = (choice / 10) % 11;
    if (pick == std::size(kSeparators)) return std::nullopt;
    return std::string(kSeparators[pick]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    uint8_t choice = data[0];
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    app::DelimitedFormat format{.columnSeparator = std::string(kSeparators[choice % 10]),
                                .rowSeparator = rowSeparatorOf(choice),
                                .quoted = (choice & 0x80) != 0};
    app::TextEncoding encoding = app::guessEncoding(bytes);
    rt::GbkFromUtf8 text = app::decodeFileText(bytes, encoding);
    std::optional<app::TextLines> lines = app::readDelimited(text.text, format);
    if (!lines) std::abort();
    size_t fields = 0;
    for (int32_t count : lines->fieldCounts) fields += static_cast<size_t>(count);
    size_t terminators = 0;
    for (char byte : lines->fields) terminators += byte == '\0';
    if (fields != terminators) std::abort();
    testing_support::TableUnit unit(2, 2);
    app::importLines(unit.ref(), *lines);
    return 0;
}
