#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/value/owned.h"
#include "runtime/value/value.h"

namespace bgetool {

// One command of `bgetool exec`: its name and its arguments as typed values. The
// texts and byte sets the values point at live as long as this object.
class CommandText {
public:
    // Reads "name arg arg ...": an argument is an integer (decimal or 0x-hex), a text
    // in double or single quotes (UTF-8, stored as GBK), @path (the file's bytes as a
    // byte set) or _ (left out). False with a message when something does not parse.
    bool parse(std::string_view text, std::string& error);

    const std::string& name() const { return name_; }
    const std::vector<rt::Value>& arguments() const { return arguments_; }

private:
    bool parseArgument(std::string_view token, std::string& error);

    std::string name_;
    std::vector<rt::Value> arguments_;
    std::deque<std::string> texts_;
    std::vector<rt::OwnedBlock> byteSets_;
};

}  // namespace bgetool
