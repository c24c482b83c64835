#pragma once

#include <sql.h>

#include <optional>
#include <string>
#include <string_view>

// A connection of its own, straight on the driver manager and nothing of the component,
// through which the tests prepare tables and check what the component wrote.
class SeparateConnection {
public:
    explicit SeparateConnection(std::u16string_view connection);
    ~SeparateConnection();
    SeparateConnection(const SeparateConnection&) = delete;
    SeparateConnection& operator=(const SeparateConnection&) = delete;

    bool isOpen() const { return connection_ != SQL_NULL_HDBC; }
    // Runs a statement; empty when it worked, else the driver's message.
    std::u16string execute(std::u16string_view sql);
    // The first field of the first row; nothing for NULL or no row.
    std::optional<std::u16string> value(std::u16string_view sql);

private:
    SQLHENV environment_ = SQL_NULL_HENV;
    SQLHDBC connection_ = SQL_NULL_HDBC;
};
