#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/workbook/sheet_page.h"

namespace grid::workbook {

// Workbooks as some writers make them, which the library would read as empty:
// - parts named by absolute paths or paths that climb ("../drawings/drawing1.xml")
//   in the relationships, which the library does not follow;
// - texts written into the cells themselves (t="inlineStr"), which it skips.
// This is the same package made again with such targets relative to the part that
// names them, or left out where they lead to parts a table cannot keep anyway, and
// such texts moved into the shared texts, the parts stored uncompressed; nothing when
// the package needs neither. Throws what the library's
// zip reader throws for a damaged package.
// Whether the zip package's directory is one the library may be given: entries whose
// sizes fit in the file and, unpacked, in maxUnpacked bytes all together. The library
// allocates whatever size an entry claims, so a few kilobytes could otherwise ask for
// gigabytes.
bool hasSaneEntrySizes(std::string_view package, uint64_t maxUnpacked);

// Of a font, by its number in the styles: whether it strikes its text through or
// underlines it.
struct FontMarks {
    bool strikeout = false;
    bool underline = false;
};

// What the library does not read but the parts looked at here tell on the way.
struct PackageFacts {
    bool conditionalFormats = false;
    std::vector<FontMarks> fontMarks;
    // The page of each sheet, in the workbook's order of sheets.
    std::vector<SheetPage> sheetPages;
};

std::optional<std::string> repairedPackage(std::string_view package, PackageFacts& facts);

// The package made again with the part of this name replaced, the parts stored
// uncompressed; nothing when it would outgrow the plain zip format.
std::optional<std::string> packageWithPart(std::string_view package, std::string_view name, std::string data);

}  // namespace grid::workbook
