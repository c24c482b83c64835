#include "tools/bgetool/exec_command.h"

#include <iostream>
#include <vector>

#include "grid/format/table_file_commands.h"
#include "grid/format/table_file_io.h"
#include "grid/model/data_source_commands.h"
#include "runtime/value/call.h"
#include "runtime/value/owned.h"
#include "tools/bgetool/command_text.h"
#include "tools/bgetool/json_text.h"
#include "tools/bgetool/table_session.h"

namespace bgetool {
namespace {

rt::CommandRoutine findCommand(std::string_view name) {
    for (auto commands : {grid::dataSourceCommands(), grid::tableFileCommands()}) {
        for (const grid::NamedCommand& command : commands) {
            if (command.name == name) return command.routine;
        }
    }
    return nullptr;
}

void printResult(const rt::Value& result) {
    switch (static_cast<rt::ValueType>(result.type)) {
        case rt::ValueType::Omitted: return;
        case rt::ValueType::Integer: std::cout << static_cast<int32_t>(result.low) << '\n'; return;
        case rt::ValueType::Logical: std::cout << (result.low != 0 ? "true" : "false") << '\n'; return;
        case rt::ValueType::Text: std::cout << jsonString(rt::OwnedText(result).view()) << '\n'; return;
        case rt::ValueType::ByteSet: std::cout << rt::OwnedByteSet(result).bytes().size() << '\n'; return;
        default: std::cout << "(value of type 0x" << std::hex << result.type << std::dec << ")\n";
    }
}

}  // namespace

int runExec(std::span<char*> arguments) {
    if (arguments.size() < 2) {
        std::cerr << "bgetool exec: IN and OUT are needed (see bgetool exec --help)\n";
        return 2;
    }
    std::string input = arguments[0];
    std::string output = arguments[1];

    std::vector<CommandText> commands(arguments.size() - 2);
    std::vector<rt::CommandRoutine> routines;
    for (size_t i = 0; i < commands.size(); ++i) {
        std::string error;
        if (!commands[i].parse(arguments[i + 2], error)) {
            std::cerr << "bgetool exec: " << error << '\n';
            return 2;
        }
        routines.push_back(findCommand(commands[i].name()));
        if (!routines.back()) {
            std::cerr << "bgetool exec: unknown command " << commands[i].name() << '\n';
            return 2;
        }
    }

    TableSession session;
    std::string error;
    if (OpenResult opened = session.open(input, error); opened != OpenResult::Opened) {
        std::cerr << "bgetool exec: " << error << '\n';
        return opened == OpenResult::Malformed ? 2 : 1;
    }

    for (size_t i = 0; i < commands.size(); ++i) {
        std::vector<rt::Value> values{session.unit().toValue()};
        values.insert(values.end(), commands[i].arguments().begin(), commands[i].arguments().end());
        printResult(rt::callCommand(routines[i], static_cast<int>(values.size()), values.data()));
    }
    std::cout.flush();
    if (output != "-" && !grid::saveTableFile(session.source(), output)) {
        std::cerr << "bgetool exec: " << cannotWrite(output) << '\n';
        return 1;
    }
    endWithoutCleanup(0);
}

}  // namespace bgetool
