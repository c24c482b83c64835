#include "grid/provider/connection_password.h"

#include <algorithm>
#include <vector>

#include "grid/provider/odbc/connection_text.h"

namespace grid {
namespace {

// psqlODBC reads both spellings of each; keys compare without regard to case.
const std::vector<std::u16string> kPasswordKeys = {u"PWD", u"PASSWORD"};
const std::vector<std::u16string> kUserKeys = {u"UID", u"USER", u"USERNAME"};

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }

bool namedBy(const odbc::ConnectionAttribute& attribute, const std::vector<std::u16string>& keys) {
    return std::any_of(keys.begin(), keys.end(), [&](const std::u16string& key) {
        return std::equal(key.begin(), key.end(), attribute.key.begin(), attribute.key.end(),
                          [](char16_t a, char16_t b) { return a == upper(b); });
    });
}

}  // namespace

bool needsPassword(std::u16string_view connection) {
    bool user = false;
    for (const odbc::ConnectionAttribute& attribute : odbc::parseConnectionText(connection)) {
        if (namedBy(attribute, kPasswordKeys)) return false;
        if (namedBy(attribute, kUserKeys) && !attribute.value.empty()) user = true;
    }
    return user;
}

std::u16string withoutPassword(std::u16string_view connection) {
    return odbc::withoutAttributes(connection, kPasswordKeys);
}

std::u16string withPassword(std::u16string_view connection, std::u16string_view password) {
    std::vector<odbc::ConnectionAttribute> attributes = odbc::parseConnectionText(withoutPassword(connection));
    attributes.push_back({u"PWD", std::u16string(password)});
    return odbc::composeConnectionText(attributes);
}

}  // namespace grid
