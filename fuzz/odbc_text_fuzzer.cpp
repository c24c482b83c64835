// Any text as a query typed into the query dialog and as a connection text. Taking a
// query apart must not crash and may only return pieces of the query itself; a
// connection text put together from its attributes must come apart into the same
// attributes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "grid/provider/odbc/connection_text.h"
#include "grid/provider/odbc/single_table_query.h"

namespace {

bool sameAttributes(const std::vector<grid::odbc::ConnectionAttribute>& a,
                    const std::vector<grid::odbc::ConnectionAttribute>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].key != b[i].key || a[i].value != b[i].value) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        text += char16_t(data[i] | (data[i + 1] << 8));
    }

    if (std::optional<grid::odbc::SingleTableQuery> query = grid::odbc::parseSingleTableQuery(text)) {
        for (const std::u16string* piece : {&query->selectList, &query->table, &query->condition, &query->ordering}) {
            if (text.find(*piece) == std::u16string::npos) std::abort();
        }
        if (query->tableName.empty() || query->tableName.size() > 3) std::abort();
    }

    std::vector<grid::odbc::ConnectionAttribute> attributes = grid::odbc::parseConnectionText(text);
    if (!sameAttributes(grid::odbc::parseConnectionText(grid::odbc::composeConnectionText(attributes)), attributes)) {
        std::abort();
    }
    return 0;
}
