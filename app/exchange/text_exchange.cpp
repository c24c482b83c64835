#include "app/exchange/text_exchange.h"

#include <algorithm>
#include <limits>

#include "app/exchange/delimited_writer.h"
#include "grid/format/atomic_file.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/file_name.h"
#include "runtime/value/regular_file.h"

namespace app {
namespace {

// Lines written with one command, so that a long import can report and be stopped.
constexpr size_t kLinesPerWrite = 4096;

// Puts the table back to a kept state when an import does not finish.
class ImportGuard {
public:
    ImportGuard(const DataSourceRef& table, bool keepState) : table_(table) {
        if (keepState) state_ = table_.captureState();
    }
    ~ImportGuard() {
        if (state_ != 0) table_.releaseState(state_);
    }
    ImportGuard(const ImportGuard&) = delete;
    ImportGuard& operator=(const ImportGuard&) = delete;
    void rollBack() const {
        if (state_ != 0) table_.restoreState(state_);
    }

private:
    const DataSourceRef& table_;
    int32_t state_ = 0;
};

bool growTable(const DataSourceRef& table, const TextLines& lines) {
    auto lineCount = static_cast<int32_t>(lines.fieldCounts.size());
    int32_t rows = table.rowCount();
    if (rows < lineCount && !table.appendRows(lineCount - rows)) return false;
    int32_t columns = table.columnCount();
    return columns >= lines.widest || table.insertColumns(columns + 1, lines.widest - columns);
}

}  // namespace

TextEncoding guessEncoding(std::string_view bytes) {
    if (bytes.starts_with(rt::kUtf8ByteOrderMark)) return TextEncoding::Utf8;
    bytes = bytes.substr(0, bytes.find('\0'));
    bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<uint8_t>(byte) < 0x80; });
    // Chinese in UTF-8 often pairs up into well-formed GBK byte pairs by chance, while
    // real GBK text is almost never well-formed UTF-8: any UTF-8 beyond ASCII counts.
    return !ascii && rt::isWellFormedUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Gbk;
}

rt::GbkFromUtf8 decodeFileText(std::string_view bytes, TextEncoding encoding) {
    bytes = bytes.substr(0, bytes.find('\0'));
    if (encoding == TextEncoding::Gbk) return {.text = std::string(bytes)};
    if (bytes.starts_with(rt::kUtf8ByteOrderMark)) bytes.remove_prefix(rt::kUtf8ByteOrderMark.size());
    return rt::utf8ToGbkReporting(bytes);
}

std::string encodeFileText(std::string_view gbk, TextEncoding encoding) {
    if (encoding == TextEncoding::Gbk) return std::string(gbk);
    std::string utf8 = rt::gbkToUtf8(gbk);
    return encoding == TextEncoding::Utf8WithMark ? std::string(rt::kUtf8ByteOrderMark) + utf8 : utf8;
}

ImportResult importLines(const DataSourceRef& table, const TextLines& lines, const Progress& progress) {
    if (lines.fieldCounts.empty()) return ImportResult::NothingToImport;
    ImportGuard guard(table, static_cast<bool>(progress));
    if (!growTable(table, lines)) {
        guard.rollBack();
        return ImportResult::TooLarge;
    }
    NoticeBatch batch(table);
    const std::vector<int32_t>& counts = lines.fieldCounts;
    size_t fieldsAt = 0;
    for (size_t first = 0; first < counts.size();) {
        // A run of lines with the same number of fields is one rectangle.
        size_t last = first + 1;
        while (last < counts.size() && counts[last] == counts[first] && last - first < kLinesPerWrite) ++last;
        size_t runStart = fieldsAt;
        for (size_t line = first; line < last; ++line) {
            for (int32_t field = 0; field < counts[line]; ++field) fieldsAt = lines.fields.find('\0', fieldsAt) + 1;
        }
        if (counts[first] > 0) {
            table.putTextBlock(static_cast<int32_t>(first) + 1, 1, static_cast<int32_t>(last - first), counts[first],
                               std::string_view(lines.fields).substr(runStart, fieldsAt - runStart));
        }
        first = last;
        if (progress && !progress(static_cast<int64_t>(first), static_cast<int64_t>(counts.size()))) {
            guard.rollBack();
            return ImportResult::Cancelled;
        }
    }
    return ImportResult::Imported;
}

std::optional<std::string> exportLines(const DataSourceRef& table, const DelimitedFormat& format,
                                       const Progress& progress) {
    int32_t rows = table.rowCount();
    int32_t columns = table.columnCount();
    if (rows == 0 || columns == 0) return std::string();
    return writeDelimited(table.textBlock(1, 1, rows, columns), rows, columns, format, progress);
}

std::optional<std::string> readFileBytes(std::string_view path) {
    return rt::readRegularFile(rt::pathFromText(path), std::numeric_limits<uint64_t>::max());
}

bool writeFileBytes(std::string_view path, std::string_view bytes) {
    grid::AtomicFile file(rt::pathFromText(path).string());
    if (!file.isOpen()) return false;
    file.write({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    return file.commit();
}

}  // namespace app
