#include "grid/provider/odbc/odbc_handle.h"

#include <utility>

namespace grid::odbc {

OdbcHandle OdbcHandle::allocate(SQLSMALLINT type, SQLHANDLE parent) {
    OdbcHandle result;
    SQLHANDLE handle = SQL_NULL_HANDLE;
    if (SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle))) {
        result.type_ = type;
        result.handle_ = handle;
    }
    return result;
}

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : type_(other.type_), handle_(std::exchange(other.handle_, SQLHANDLE(SQL_NULL_HANDLE))) {}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
    if (this != &other) {
        reset();
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, SQLHANDLE(SQL_NULL_HANDLE));
    }
    return *this;
}

void OdbcHandle::reset() {
    if (handle_ != SQL_NULL_HANDLE) {
        SQLFreeHandle(type_, handle_);
        handle_ = SQL_NULL_HANDLE;
    }
}

}  // namespace grid::odbc
