#pragma once

#include <string>
#include <string_view>

#include "runtime/value/value.h"

namespace app {

// The external database unit "外部数据库1" as the database commands call it.
class DatabaseRef {
public:
    explicit DatabaseRef(rt::UnitRef unit) : unit_(unit) {}

    // An empty text lets the person pick a data source; false when that was cancelled
    // or the connection failed (the unit has shown why).
    bool open(std::string_view connection) const;
    // The complete connection text of the open connection; empty when none is open.
    std::string connectString() const;
    void close() const;

private:
    rt::UnitRef unit_;
};

// The external provider "外部数据提供者1": its connection text and its table or query.
class ExternalProviderRef {
public:
    explicit ExternalProviderRef(rt::UnitRef unit) : unit_(unit) {}

    std::string connection() const;
    void setConnection(std::string_view connection) const;
    std::string query() const;
    // Reopens the provider's rows with the connection text and this table or query.
    void setQuery(std::string_view query) const;

private:
    rt::UnitRef unit_;
};

DatabaseRef mainDatabase();
ExternalProviderRef externalProvider();
// Which provider the main data source "数据源1" shows, by the provider unit's name.
void setMainProvider(std::string_view providerName);

}  // namespace app
