#pragma once

#include <sql.h>

namespace grid::odbc {

// Owns one handle of the driver manager (environment, connection or statement) and
// frees it once. A connection handle must be disconnected before it is freed; the
// owner of the connection does that.
class OdbcHandle {
public:
    OdbcHandle() = default;
    // An empty handle when the driver manager cannot allocate one.
    static OdbcHandle allocate(SQLSMALLINT type, SQLHANDLE parent);

    ~OdbcHandle() { reset(); }
    OdbcHandle(OdbcHandle&& other) noexcept;
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }
    void reset();

private:
    SQLSMALLINT type_ = 0;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

}  // namespace grid::odbc
