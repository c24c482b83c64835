#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/template/template_segment.h"

namespace uic {

// Reads the interface files of app/ui, one window each, into window templates.
//
//   # a comment
//   window MainWindow 0x52010001 0x06010000     the window: name, id, own unit id
//       caption "电子表格"                       lines after it describe the window
//   unit Grid "主表格" 0x16010003               a unit: kind, name, optional id
//       rect 0 56 728 456
//       inside "分组框1"                         its container (by unit name)
//       tag "1"   hidden   disabled   tab 3   share "按钮1"
//       on rightDown popUpGridMenu              an event bound to a routine
//       item "保留"                              any other line: a property of the
//       item "删除"                              kind; repeated names add lines
//   menu 1 "新建" key Ctrl+Q on newTableFromMenu [disabled] [hidden] [checked]
//
// Texts are UTF-8 in the file and GBK in the templates. Words on one property line
// are joined with tabs, repeated property lines with line breaks. Routines are named
// by identifier; each distinct name gets the next routine index in the order names
// first appear across all files read by one parser.
class InterfaceFileParser {
public:
    // False after the first mistake; error() then says "file:line: what".
    bool parse(std::string_view fileName, std::string_view utf8Text);

    const std::vector<rt::WindowTemplate>& windows() const { return windows_; }
    const std::vector<std::string>& routineNames() const { return routineNames_; }
    const std::string& error() const { return error_; }

private:
    bool fail(const std::string& message);
    bool parseLine(const std::vector<std::string>& words);
    bool startWindow(const std::vector<std::string>& words);
    bool startUnit(const std::vector<std::string>& words);
    bool addMenuItem(const std::vector<std::string>& words);
    bool addAttribute(const std::vector<std::string>& words);
    bool finishWindow();
    int32_t routineIndex(const std::string& name, bool& ok);

    std::vector<rt::WindowTemplate> windows_;
    std::vector<std::string> routineNames_;
    std::string error_;
    std::string fileName_;
    int lineNumber_ = 0;

    // The window being read: its units' property lines and containers by name.
    std::vector<std::vector<std::pair<std::string, std::string>>> properties_;
    std::vector<std::pair<std::string, int>> containers_;  // container name, line
    std::vector<std::pair<std::string, int>> shares_;      // shared unit name, line
    uint32_t nextUnitId_ = 0;
    uint32_t nextMenuId_ = 0;
};

// Parses one number written in decimal or as 0x hexadecimal.
bool parseNumber(std::string_view word, int64_t& value);

}  // namespace uic
