#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace grid::odbc {

// An ODBC connection string "KEY=value;KEY={value with ; inside};" taken apart and put
// together again. Worked on in UTF-16 because a GBK trail byte can be "{" or "}".
struct ConnectionAttribute {
    std::u16string key;
    std::u16string value;
};

std::vector<ConnectionAttribute> parseConnectionText(std::u16string_view text);
std::u16string composeConnectionText(const std::vector<ConnectionAttribute>& attributes);

// The value of the first attribute named key (compared without regard to ASCII case),
// empty when there is none.
std::u16string attributeValue(std::u16string_view text, std::u16string_view key);

// The text without every attribute named by one of keys (e.g. PWD and PASSWORD before
// a connection text is remembered).
std::u16string withoutAttributes(std::u16string_view text, const std::vector<std::u16string>& keys);

// The connection string a driver completed can lack what opening it again needs: how
// the driver was chosen (the SQLite driver reports "DSN=;Database=..."), and the
// password, which a driver may empty or spoil (the PostgreSQL driver turns every byte
// beyond ASCII into "%ff"). Such a text gets the DRIVER or DSN of the text that was
// given, and always its password.
std::u16string reopenableText(std::u16string_view completed, std::u16string_view given);

}  // namespace grid::odbc
