#pragma once

#include <map>
#include <string>

// What the independent reader saw in a workbook: "A1.value", "A1.font", "merged",
// "width.A", "picture.B2" and so on (see read_workbook.py), values in UTF-8. Keys
// that occur more than once (merged) have their values joined by "; ".
using WorkbookView = std::map<std::string, std::string>;

WorkbookView readWorkbook(const std::string& path);

inline std::string utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}
