#pragma once

#include <cstdint>

namespace grid {

// The largest table and the longest content that the table-file reader, the cell-block
// paste and the text importer accept. A field beyond these is treated as damage, so a
// hostile file can never make us allocate more than a large but real table needs.
inline constexpr int32_t kMaxRows = 1'048'576;
inline constexpr int32_t kMaxColumns = 16'384;
inline constexpr int64_t kMaxCells = 16'777'216;
// Text with its NUL, or the bytes of a picture or other data.
inline constexpr int32_t kMaxContentLength = 64 * 1024 * 1024;

// A cell keeps its face name in a 32-byte field with a NUL; a name set through the
// commands has at most 30 bytes, a name read from a file at most 31.
inline constexpr int kFontNameFieldSize = 32;
inline constexpr int kMaxFontNameLength = 30;

}  // namespace grid
