#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

// One attribute of an ODBC connection text: KEY=value, the value possibly in braces
// (which may hold ";" and a doubled "}}").
struct ConnectionAttribute {
    std::string key;
    std::string value;
};

// The attributes in their order; empty pieces are skipped, a piece without "=" is a
// key with an empty value.
std::vector<ConnectionAttribute> connectionAttributes(std::string_view text);

// Whether the text holds a password (PWD or Password, in any letter case).
bool hasPassword(std::string_view text);
// Whether the text names a user but no password: connecting from the history, which
// never keeps one, then asks for it.
bool needsPassword(std::string_view text);
// The text as the settings file keeps it: every attribute but the password, in its
// original spelling.
std::string withoutPassword(std::string_view text);
// The text with the password added as PWD, in braces so that any character fits.
std::string withPassword(std::string_view text, std::string_view password);

}  // namespace app
