#pragma once

#include <optional>
#include <string>

#include "grid/provider/odbc/text_codec.h"

namespace grid {

// The dialog "选择数据源" in which a person picks what to connect to: a configured data
// source, an installed driver (whose text they complete, e.g. with Server= and
// Database=), or an existing SQLite file. The connection text in GBK, nothing when
// cancelled.
std::optional<std::string> chooseDataSource(const odbc::TextCodec& codec);

}  // namespace grid
