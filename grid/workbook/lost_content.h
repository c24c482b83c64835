#pragma once

#include <set>
#include <string>

namespace grid::workbook {

// The kinds of workbook content a table cannot hold, each named once, in GBK, for the
// message after opening.
enum class LostKind { Pictures, Charts, ConditionalFormats, Comments, HiddenRowsAndColumns, SplitPanes };

const char* lostKindName(LostKind kind);

using LostContent = std::set<LostKind>;

}  // namespace grid::workbook
