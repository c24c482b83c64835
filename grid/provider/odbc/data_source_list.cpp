#include "grid/provider/odbc/data_source_list.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>

#include "grid/provider/odbc/odbc_handle.h"
#include "grid/provider/odbc/sql_text.h"

namespace grid::odbc {

namespace {

OdbcHandle environment() {
    OdbcHandle handle = OdbcHandle::allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (handle && !SQL_SUCCEEDED(SQLSetEnvAttr(handle.get(), SQL_ATTR_ODBC_VERSION, SQLPOINTER(SQL_OV_ODBC3), 0))) {
        handle.reset();
    }
    return handle;
}

std::u16string_view textOf(const char16_t* buffer, SQLSMALLINT length, size_t capacity) {
    return {buffer, std::min(size_t(std::max<SQLSMALLINT>(length, 0)), capacity - 1)};
}

void appendDataSources(SQLHENV handle, SQLUSMALLINT first, bool isSystem, const TextCodec& codec,
                       std::vector<DataSourceEntry>& out) {
    char16_t name[SQL_MAX_DSN_LENGTH + 1];
    char16_t description[1024];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT descriptionLength = 0;
    for (SQLUSMALLINT direction = first;; direction = SQL_FETCH_NEXT) {
        SQLRETURN status = SQLDataSourcesW(handle, direction, sqlBuffer(name), SQL_MAX_DSN_LENGTH + 1, &nameLength,
                                           sqlBuffer(description), 1024, &descriptionLength);
        if (!SQL_SUCCEEDED(status)) {
            return;
        }
        out.push_back({codec.toGbk(textOf(name, nameLength, SQL_MAX_DSN_LENGTH + 1)),
                       codec.toGbk(textOf(description, descriptionLength, 1024)), isSystem});
    }
}

}  // namespace

std::vector<DataSourceEntry> listDataSources(const TextCodec& codec) {
    std::vector<DataSourceEntry> result;
    OdbcHandle handle = environment();
    if (handle) {
        appendDataSources(handle.get(), SQL_FETCH_FIRST_USER, false, codec, result);
        appendDataSources(handle.get(), SQL_FETCH_FIRST_SYSTEM, true, codec, result);
    }
    return result;
}

std::vector<DriverEntry> listDrivers(const TextCodec& codec) {
    std::vector<DriverEntry> result;
    OdbcHandle handle = environment();
    if (!handle) {
        return result;
    }
    char16_t name[512];
    char16_t attributes[4096];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT attributesLength = 0;
    for (SQLUSMALLINT direction = SQL_FETCH_FIRST;; direction = SQL_FETCH_NEXT) {
        SQLRETURN status = SQLDriversW(handle.get(), direction, sqlBuffer(name), 512, &nameLength, sqlBuffer(attributes),
                                       4096, &attributesLength);
        if (!SQL_SUCCEEDED(status)) {
            break;
        }
        DriverEntry driver{codec.toGbk(textOf(name, nameLength, 512)), {}};
        // The attributes are "key=value" texts one after another, each ending in a NUL.
        std::u16string_view list = textOf(attributes, attributesLength, 4096);
        while (!list.empty()) {
            size_t end = list.find(u'\0');
            std::u16string_view attribute = list.substr(0, end);
            if (!attribute.empty()) {
                driver.attributes.push_back(codec.toGbk(attribute));
            }
            if (end == std::u16string_view::npos) {
                break;
            }
            list.remove_prefix(end + 1);
        }
        result.push_back(std::move(driver));
    }
    return result;
}

}  // namespace grid::odbc
