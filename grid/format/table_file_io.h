#pragma once

#include <string>

#include "grid/format/read_error.h"
#include "grid/model/data_source.h"
#include "grid/model/table.h"

namespace grid {

// Paths here are the file system's own (UTF-8); the commands convert the GBK names
// they are given.

// Replaces the data source's table with the file's. The file is read in full into a
// new table first, so a damaged file leaves the previous table exactly as it was;
// once the magic matched, the views get the reset notice either way.
ReadError loadTableFile(DataSrc& source, const std::string& path);

// Writes the table; the previous file of that name survives any failure.
bool saveTableFile(const DataSrc& source, const std::string& path);
bool saveTableFile(const Table& table, const std::string& path);

}  // namespace grid
