#pragma once

namespace app {

// A new, empty table of the configured size, numbered 表格N; asks nothing.
void newTable();

}  // namespace app
