#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/exchange/delimited_format.h"
#include "app/exchange/delimited_reader.h"
#include "app/units/data_source_ref.h"
#include "runtime/platform/text_file_encoding.h"

namespace app {

enum class TextEncoding { Gbk, Utf8, Utf8WithMark };

// The encoding a file's bytes look like: UTF-8 when they start with its byte-order
// mark or are well-formed UTF-8 with anything beyond ASCII; GBK otherwise (plain
// ASCII is both, and GBK is what the table holds). A guess to propose, not to impose.
TextEncoding guessEncoding(std::string_view bytes);
// A file's bytes as the table's GBK text: the bytes up to the first zero byte, without
// a UTF-8 byte-order mark, converted from UTF-8 when that is the encoding.
rt::GbkFromUtf8 decodeFileText(std::string_view bytes, TextEncoding encoding);
// The table's GBK text as the bytes of a file in the encoding.
std::string encodeFileText(std::string_view gbk, TextEncoding encoding);

enum class ImportResult { Imported, NothingToImport, Cancelled, TooLarge };

// Grows the table to every line and to the widest line, appending rows and columns
// after the last ones and never shrinking it, then writes each line's fields into its
// row from the first cell. Cells beyond a line's fields keep their texts. When the
// table cannot grow that far, or progress asks to stop, the table is put back as it
// was.
ImportResult importLines(const DataSourceRef& table, const TextLines& lines, const Progress& progress = {});

// The table's texts as a delimited GBK text (see writeDelimited); nothing when
// progress asked to stop.
std::optional<std::string> exportLines(const DataSourceRef& table, const DelimitedFormat& format,
                                       const Progress& progress = {});

// Files named by GBK texts. Reading gives nothing when the file cannot be read;
// writing replaces the file only once every byte reached the disk.
std::optional<std::string> readFileBytes(std::string_view path);
bool writeFileBytes(std::string_view path, std::string_view bytes);

}  // namespace app
