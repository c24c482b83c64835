#pragma once

#include "runtime/value/byte_reader.h"
#include "grid/format/byte_sink.h"
#include "grid/model/page_settings.h"

namespace grid {

using rt::ByteReader;

inline constexpr size_t kPageSettingsBlockSize = 36;

// The stored part of the page settings: margins, page-number position, scale, paper,
// orientation, repeat-last-row, add-table-lines and rows per page.
void writePageSettingsBlock(ByteSink& sink, const PageSettings& settings);

// Fills the stored fields; the others keep their defaults. False when fewer than 36
// bytes remain.
bool readPageSettingsBlock(ByteReader& reader, PageSettings& settings);

}  // namespace grid
