// What the workbook harnesses share: a workbook read from bytes with every sheet made
// into a table, the checks that keep inputs liborcus is known to fail on from it, and
// a package whose parts are replaced by the pieces of an input.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QXmlStreamReader>

#include "grid/model/table.h"
#include "grid/workbook/package_repair.h"
#include "grid/workbook/workbook_reader.h"

namespace fuzzing {

// A workbook the reader accepts has a sheet, and every one of its sheets is made into
// a table, as the editor does for the sheet a person picks.
inline void readEverySheet(std::string_view bytes, grid::workbook::WorkbookKind kind) {
    grid::workbook::WorkbookReader reader;
    if (reader.readBytes(bytes, kind) != grid::workbook::WorkbookError::None) return;
    if (reader.sheetNames().empty()) std::abort();
    for (size_t index = 0; index < reader.sheetNames().size(); ++index) {
        grid::Table table({58, 312});
        (void)reader.buildSheet(index, table);
    }
}

// Whether the piece can be given to the library without running into one of its
// known faults, which would stop every run within seconds, before the fuzzer reaches
// anything else. liborcus 0.17's XML parser reads past the end of a part that stops
// inside markup or a reference; Debian's build of the library aborts there, on a
// character reference beyond U+10FFFF and on an .ods column or row style that names
// another family, and it follows a null pointer when a column takes a style of a
// family it does not know. Only well-formed pieces whose styles are of the families
// the library knows, each with properties of its own kind, are fed.
inline bool avoidsKnownLibraryFaults(std::string_view xml) {
    static constexpr std::u16string_view kFamilies[] = {u"table-column", u"table-row", u"table-cell", u"table",
                                                        u"graphic",      u"paragraph", u"text"};
    QXmlStreamReader reader(QByteArray::fromRawData(xml.data(), static_cast<qsizetype>(xml.size())));
    reader.setNamespaceProcessing(false);
    QString family;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) continue;
        const QStringView name = reader.qualifiedName();
        if (name == u"style:style") {
            family = reader.attributes().value(QLatin1StringView("style:family")).toString();
            if (std::find(std::begin(kFamilies), std::end(kFamilies), QStringView(family)) == std::end(kFamilies)) {
                return false;
            }
        }
        if ((name == u"style:table-column-properties" && family != u"table-column") ||
            (name == u"style:table-row-properties" && family != u"table-row")) {
            return false;
        }
    }
    return !reader.hasError();
}

// Whether the package's central directory claims an entry larger than the package
// could hold, or one of more than 256 MiB: liborcus 0.17's zip reader allocates and
// clears whatever size an entry claims before reading it, so that a few kilobytes
// make it take gigabytes.
inline bool claimsOversizedEntry(std::string_view zip) {
    const auto number = [zip](size_t at, int bytes) {
        uint64_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(zip[at + static_cast<size_t>(i)]);
        return value;
    };
    const size_t end = zip.rfind(std::string_view("PK\x05\x06", 4));
    if (end == std::string_view::npos || end + 22 > zip.size()) return false;
    uint64_t at = number(end + 16, 4);
    for (uint64_t entry = number(end + 10, 2); entry > 0 && at + 46 <= zip.size(); --entry) {
        if (number(at, 4) != 0x02014b50) return false;
        if (number(at + 20, 4) > zip.size() || number(at + 24, 4) > (uint64_t{256} << 20)) return true;
        at += 46 + number(at + 28, 2) + number(at + 30, 2) + number(at + 32, 2);
    }
    return false;
}

// Whether a whole package can be given to the library: its entries claim sizes it
// can hold and every XML part is one the library can take. Bytes that do not begin
// with a zip's signature go through the library's detection of formats, which reads
// them as XML: they are given only when they are well-formed.
inline bool packageAvoidsKnownLibraryFaults(std::string_view package) {
    if (!package.starts_with(std::string_view("PK\x03\x04", 4))) return avoidsKnownLibraryFaults(package);
    if (claimsOversizedEntry(package)) return false;
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(package.data()), package.size());
    orcus::zip_archive archive(&stream);
    try {
        archive.load();
    } catch (const std::exception&) {
        return true;  // the workbook reader refuses it too, before any XML is read
    }
    std::vector<unsigned char> part;
    for (size_t index = 0; index < archive.get_file_entry_count(); ++index) {
        const std::string_view name = archive.get_file_entry_name(index);
        if (!name.ends_with(".xml") && !name.ends_with(".rels")) continue;
        // A part the zip reader cannot read is never parsed, by the library either.
        try {
            if (!archive.read_file_entry(name, part)) continue;
        } catch (const std::exception&) {
            continue;
        }
        std::string_view xml(reinterpret_cast<const char*>(part.data()), part.size());
        // The zip reader ends each part with a NUL of its own.
        if (xml.ends_with('\0')) xml.remove_suffix(1);
        if (!avoidsKnownLibraryFaults(xml)) return false;
    }
    return true;
}

// The package with its parts, in the order named, replaced by the input's pieces. The
// pieces are split at NUL bytes, which no XML holds; an empty or missing piece keeps
// the package's own part. Nothing when a piece would run into a known fault of the
// library or the package would outgrow the zip format.
inline std::optional<std::string> packageWithPieces(std::string_view package, std::span<const std::string_view> parts,
                                                    std::string_view input) {
    std::string made(package);
    for (std::string_view part : parts) {
        const size_t end = std::min(input.find('\0'), input.size());
        const std::string_view piece = input.substr(0, end);
        input.remove_prefix(std::min(end + 1, input.size()));
        if (piece.empty()) continue;
        if (!avoidsKnownLibraryFaults(piece)) return std::nullopt;
        std::optional<std::string> replaced = grid::workbook::packageWithPart(made, part, std::string(piece));
        if (!replaced) return std::nullopt;
        made = std::move(*replaced);
    }
    return made;
}

}  // namespace fuzzing
