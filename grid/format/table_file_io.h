#pragma once

#include <string>

#include "grid/format/read_error.h"
#include "grid/format/write_target.h"
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
bool saveTableFile(const DataSrc& source, const std::string& path, const WriteRules& rules = {});
bool saveTableFile(const Table& table, const std::string& path, const WriteRules& rules = {});

// Writes the table as the backup of the file it was opened from: never through a
// link or over a file that is not the person's own, with the original's permissions
// (a private table keeps a private backup).
bool saveBackupFile(const DataSrc& source, const std::string& backupPath, const std::string& originalPath);

}  // namespace grid
