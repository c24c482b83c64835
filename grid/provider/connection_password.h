#pragma once

#include <string>
#include <string_view>

namespace grid {

// The password of a connection text. The settings file keeps connection texts without
// it, and our own connect step asks for it where a driver would prompt: when the text,
// or the definition of the data source it names, gives a user but neither gives a
// password.
bool needsPassword(std::u16string_view connection);
std::u16string withoutPassword(std::u16string_view connection);
// The text with this password in place of any it had.
std::u16string withPassword(std::u16string_view connection, std::u16string_view password);
// The text to connect with once the user answered the password question. An empty
// answer leaves the text as it was: "PWD=" would override a password the data
// source's definition holds, and without it the driver is free to find one.
std::u16string withAnsweredPassword(std::u16string_view connection, std::u16string_view answer);

// What the definition of a data source (odbc.ini, the user's file before the system's,
// read as the driver manager reads it) supplies for logging in. Only a non-empty value
// counts: with an empty "Password=" the driver logs in without a password, just as
// when the key is missing, so a server that wants one has to get it from us.
struct DataSourceLogin {
    bool namesUser = false;
    bool holdsPassword = false;
};
DataSourceLogin dataSourceLogin(std::u16string_view name);

}  // namespace grid
