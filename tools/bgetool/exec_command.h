#pragma once

#include <span>
#include <string>

namespace bgetool {

// bgetool exec IN OUT COMMAND...: returns the exit status (0 done, 1 the table could
// not be read or written, 2 a command or argument that does not parse).
int runExec(std::span<char*> arguments);

}  // namespace bgetool
