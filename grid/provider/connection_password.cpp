#include "grid/provider/connection_password.h"

#include <odbcinst.h>

#include <algorithm>
#include <vector>

#include "grid/provider/odbc/connection_text.h"
#include "grid/provider/odbc/utf8_text.h"

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

// Whether the data source's definition gives one of keys a non-empty value. The
// installer library compares keys without regard to case, as the drivers rely on.
bool definitionHoldsAny(const std::string& dataSource, const std::vector<std::u16string>& keys) {
    return std::any_of(keys.begin(), keys.end(), [&](const std::u16string& key) {
        // Only whether the value is empty matters, so its first character is enough;
        // the length returned is that of what fitted (-1 when no file can be read).
        char value[2] = {};
        return SQLGetPrivateProfileString(dataSource.c_str(), odbc::toUtf8(key).c_str(), "", value,
                                          int(sizeof value), "odbc.ini") > 0;
    });
}

}  // namespace

DataSourceLogin dataSourceLogin(std::u16string_view name) {
    if (name.empty()) return {};
    // The driver manager hands the narrow connection text over in UTF-8 (see
    // Database::open), so that is how the name reaches the definition there too.
    const std::string dataSource = odbc::toUtf8(name);
    return {definitionHoldsAny(dataSource, kUserKeys), definitionHoldsAny(dataSource, kPasswordKeys)};
}

bool needsPassword(std::u16string_view connection) {
    bool user = false;
    for (const odbc::ConnectionAttribute& attribute : odbc::parseConnectionText(connection)) {
        if (namedBy(attribute, kPasswordKeys)) return false;
        if (namedBy(attribute, kUserKeys) && !attribute.value.empty()) user = true;
    }
    const std::u16string dataSource = odbc::attributeValue(connection, u"DSN");
    if (dataSource.empty()) return user;
    // The driver fills in from the definition what the text leaves out.
    const DataSourceLogin login = dataSourceLogin(dataSource);
    return !login.holdsPassword && (user || login.namesUser);
}

std::u16string withoutPassword(std::u16string_view connection) {
    return odbc::withoutAttributes(connection, kPasswordKeys);
}

std::u16string withPassword(std::u16string_view connection, std::u16string_view password) {
    std::vector<odbc::ConnectionAttribute> attributes = odbc::parseConnectionText(withoutPassword(connection));
    attributes.push_back({u"PWD", std::u16string(password)});
    return odbc::composeConnectionText(attributes);
}

std::u16string withAnsweredPassword(std::u16string_view connection, std::u16string_view answer) {
    if (answer.empty()) return std::u16string(connection);
    return withPassword(connection, answer);
}

}  // namespace grid
