#pragma once

#include <string>
#include <vector>

#include "grid/provider/odbc/text_codec.h"

namespace grid::odbc {

// What the driver manager knows before anything is opened: the configured data sources
// and the installed drivers, for the dialog in which a person picks one. Texts in GBK.
struct DataSourceEntry {
    std::string name;
    std::string description;  // usually the driver's name
    bool isSystem = false;    // from the system's odbc.ini rather than the user's
};

struct DriverEntry {
    std::string name;
    std::vector<std::string> attributes;  // "Driver=psqlodbcw.so", "Setup=...", ...
};

// User data sources first, then system ones; empty when the driver manager has none.
std::vector<DataSourceEntry> listDataSources(const TextCodec& codec);
std::vector<DriverEntry> listDrivers(const TextCodec& codec);

}  // namespace grid::odbc
