#include "grid/workbook/package_repair.h"

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace grid::workbook {
namespace {

constexpr std::string_view kAbsoluteTarget = "Target=\"/";
constexpr std::string_view kInlineText = "t=\"inlineStr\"";
constexpr std::string_view kSharedTextsPart = "xl/sharedStrings.xml";
constexpr std::string_view kStylesPart = "xl/styles.xml";
constexpr std::string_view kWorkbookPart = "xl/workbook.xml";
constexpr std::string_view kWorkbookRelationships = "xl/_rels/workbook.xml.rels";
// A package made again must stay within the plain zip format's sizes.
constexpr uint64_t kMaxRepairedBytes = uint64_t{1} << 31;

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
bool isRelationships(std::string_view name) { return name.ends_with(".rels"); }
bool isWorksheet(std::string_view name) { return name.starts_with("xl/worksheets/") && name.ends_with(".xml"); }

// "xl/_rels/workbook.xml.rels" speaks for "xl/workbook.xml": its targets are relative
// to "xl/".
std::string ownerDirectory(std::string_view relationships) {
    size_t rels = relationships.rfind("_rels/");
    return rels == std::string_view::npos ? std::string() : std::string(relationships.substr(0, rels));
}

// Each relationship's target made one the library can follow: an absolute one inside
// the owner's directory becomes relative; one that would climb out of it ("../" or
// absolute elsewhere: drawings, comments and tables beside the sheets) is left out,
// for the library cannot follow those and none of them holds what a table keeps.
std::string followableTargets(std::string_view xml, const std::string& directory) {
    std::string out;
    out.reserve(xml.size());
    size_t at = 0;
    for (size_t found; (found = xml.find("<Relationship ", at)) != std::string_view::npos;) {
        size_t close = xml.find('>', found);
        if (close == std::string_view::npos) break;
        size_t end = xml[close - 1] == '/' ? close + 1 : xml.find("</Relationship>", close);
        if (end == std::string_view::npos) break;
        if (xml[close - 1] != '/') end += std::string_view("</Relationship>").size();
        std::string_view element = xml.substr(found, end - found);
        out.append(xml.substr(at, found - at));
        at = end;
        size_t target = element.find("Target=\"");
        if (target == std::string_view::npos || contains(element, "TargetMode=\"External\"")) {
            out.append(element);
            continue;
        }
        size_t valueStart = target + 8;
        size_t valueEnd = element.find('"', valueStart);
        std::string_view value = element.substr(valueStart, valueEnd - valueStart);
        if (value.starts_with('/')) {
            value.remove_prefix(1);
            if (!value.starts_with(directory)) continue;
            value.remove_prefix(directory.size());
        }
        if (contains(value, "../")) continue;
        out.append(element.substr(0, valueStart));
        out.append(value);
        out.append(element.substr(valueEnd));
    }
    out.append(xml.substr(at));
    return out;
}

bool needsFollowableTargets(std::string_view xml) { return contains(xml, kAbsoluteTarget) || contains(xml, "../"); }

// A cell's own text, <c r="A1" t="inlineStr"><is>...</is></c>, becomes a reference to
// a shared text, <c r="A1" t="s"><v>N</v></c>, the <is> element's content moved into
// an <si> element of the same form.
std::string sharedInlineTexts(std::string_view xml, std::string& sharedItems, size_t& sharedCount) {
    std::string out;
    out.reserve(xml.size());
    size_t at = 0;
    for (size_t found; (found = xml.find(kInlineText, at)) != std::string_view::npos;) {
        size_t tagEnd = xml.find('>', found);
        if (tagEnd == std::string_view::npos) break;
        size_t open = xml.find("<is>", tagEnd);
        size_t cellEnd = xml.find("</c>", tagEnd);
        size_t close = open == std::string_view::npos ? open : xml.find("</is>", open);
        // A cell without a text of its own (<c ... t="inlineStr"/>, or nothing between
        // its tags) loses only the attribute: the next cell's text is not its own.
        if (xml[tagEnd - 1] == '/' || close == std::string_view::npos || cellEnd < open) {
            out.append(xml.substr(at, found - at));
            at = found + kInlineText.size();
            continue;
        }
        out.append(xml.substr(at, found - at));
        out += "t=\"s\"";
        out.append(xml.substr(found + kInlineText.size(), open - found - kInlineText.size()));
        out += "<v>" + std::to_string(sharedCount++) + "</v>";
        sharedItems += "<si>";
        sharedItems.append(xml.substr(open + 4, close - open - 4));
        sharedItems += "</si>";
        at = close + 5;
    }
    out.append(xml.substr(at));
    return out;
}

// Whether an element such as <strike/> or <u val="single"/> is on: present, and not
// set to off.
bool isOn(std::string_view font, std::string_view tag) {
    for (size_t at = font.find(tag); at != std::string_view::npos; at = font.find(tag, at + 1)) {
        char next = at + tag.size() < font.size() ? font[at + tag.size()] : '>';
        if (next != '/' && next != ' ' && next != '>') continue;
        std::string_view element = font.substr(at, font.find('>', at) - at);
        return !contains(element, "val=\"0\"") && !contains(element, "val=\"false\"") &&
               !contains(element, "val=\"none\"");
    }
    return false;
}

// What the styles' font list says of each font that the library does not pass on:
// strike-through, and an underline written without its kind.
std::vector<FontMarks> fontMarks(std::string_view styles) {
    std::vector<FontMarks> marks;
    size_t list = styles.find("<fonts");
    size_t listEnd = styles.find("</fonts>", list);
    if (list == std::string_view::npos || listEnd == std::string_view::npos) return marks;
    std::string_view fonts = styles.substr(list, listEnd - list);
    for (size_t at = fonts.find("<font", 1); at != std::string_view::npos; at = fonts.find("<font", at + 1)) {
        char next = at + 5 < fonts.size() ? fonts[at + 5] : '>';
        if (next != '>' && next != ' ' && next != '/') continue;
        size_t end = fonts.find("</font>", at);
        size_t nextFont = fonts.find("<font", at + 1);
        std::string_view font = fonts.substr(at, std::min(end, nextFont) - at);
        marks.push_back({isOn(font, "<strike"), isOn(font, "<u")});
    }
    return marks;
}

size_t countOf(std::string_view text, std::string_view part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

void putLittleEndian(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The parts as a zip archive, stored without compression; nothing past the plain
// format's sizes.
std::optional<std::string> zipped(const std::vector<std::pair<std::string, std::string>>& parts) {
    struct Written {
        uint32_t crc;
        uint32_t size;
        uint32_t offset;
    };
    std::string out;
    std::vector<Written> written;
    for (const auto& [name, data] : parts) {
        if (out.size() + data.size() + name.size() + 128 > kMaxRepairedBytes) return std::nullopt;
        Written entry{static_cast<uint32_t>(
                          crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()))),
                      static_cast<uint32_t>(data.size()), static_cast<uint32_t>(out.size())};
        // Local header: version 2.0, no flags, stored, no time, the sizes.
        for (auto [value, bytes] : {std::pair<uint64_t, int>{0x04034b50, 4}, {20, 2}, {0, 2}, {0, 2}, {0, 4},
                                    {entry.crc, 4}, {entry.size, 4}, {entry.size, 4}, {name.size(), 2}, {0, 2}}) {
            putLittleEndian(out, value, bytes);
        }
        out += name;
        out += data;
        written.push_back(entry);
    }
    const uint64_t directoryStart = out.size();
    for (size_t i = 0; i < parts.size(); ++i) {
        const Written& entry = written[i];
        for (auto [value, bytes] :
             {std::pair<uint64_t, int>{0x02014b50, 4}, {20, 2}, {20, 2}, {0, 2}, {0, 2}, {0, 4}, {entry.crc, 4},
              {entry.size, 4}, {entry.size, 4}, {parts[i].first.size(), 2}, {0, 2}, {0, 2}, {0, 2}, {0, 2}, {0, 4},
              {entry.offset, 4}}) {
            putLittleEndian(out, value, bytes);
        }
        out += parts[i].first;
    }
    if (out.size() > kMaxRepairedBytes || parts.size() > 0xFFFF) return std::nullopt;
    const uint64_t directorySize = out.size() - directoryStart;
    for (auto [value, bytes] : {std::pair<uint64_t, int>{0x06054b50, 4}, {0, 2}, {0, 2}, {parts.size(), 2},
                                {parts.size(), 2}, {directorySize, 4}, {directoryStart, 4}, {0, 2}}) {
        putLittleEndian(out, value, bytes);
    }
    return out;
}

uint64_t littleEndianAt(std::string_view bytes, size_t at, int count) {
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + size_t(i)]);
    return value;
}

}  // namespace

bool hasSaneEntrySizes(std::string_view package, uint64_t maxUnpacked) {
    // The end record is the last 22 bytes, or before them a comment of at most 64 KiB.
    constexpr size_t kEndRecord = 22;
    if (package.size() < kEndRecord) return false;
    size_t end = std::string_view::npos;
    for (size_t at = package.size() - kEndRecord;; --at) {
        if (littleEndianAt(package, at, 4) == 0x06054b50) {
            end = at;
            break;
        }
        if (at == 0 || package.size() - at > kEndRecord + 0xFFFF) break;
    }
    if (end == std::string_view::npos) return false;
    const uint64_t entries = littleEndianAt(package, end + 10, 2);
    const uint64_t directorySize = littleEndianAt(package, end + 12, 4);
    uint64_t at = littleEndianAt(package, end + 16, 4);
    if (at + directorySize > end) return false;
    uint64_t unpacked = 0;
    for (uint64_t entry = 0; entry < entries; ++entry) {
        if (at + 46 > end || littleEndianAt(package, size_t(at), 4) != 0x02014b50) return false;
        const uint64_t packed = littleEndianAt(package, size_t(at) + 20, 4);
        unpacked += littleEndianAt(package, size_t(at) + 24, 4);
        if (packed > package.size() || unpacked > maxUnpacked) return false;
        at += 46 + littleEndianAt(package, size_t(at) + 28, 2) + littleEndianAt(package, size_t(at) + 30, 2) +
              littleEndianAt(package, size_t(at) + 32, 2);
    }
    return true;
}

std::optional<std::string> repairedPackage(std::string_view package, PackageFacts& facts) {
    facts = {};
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(package.data()), package.size());
    orcus::zip_archive archive(&stream);
    archive.load();
    std::vector<std::pair<std::string, std::string>> parts;
    std::vector<unsigned char> bytes;
    bool absoluteTargets = false;
    bool inlineTexts = false;
    std::map<std::string, SheetPage, std::less<>> pages;
    std::string workbook;
    std::string relationships;
    // The parts read here are kept for making the package again: reading a sheet of
    // a large workbook twice would cost as much as the rest of the repair.
    std::map<std::string, std::string, std::less<>> read;
    for (size_t index = 0; index < archive.get_file_entry_count(); ++index) {
        std::string name(archive.get_file_entry_name(index));
        if (!isRelationships(name) && !isWorksheet(name) && name != kStylesPart && name != kWorkbookPart) continue;
        if (!archive.read_file_entry(name, bytes)) continue;
        std::string& data = read[name];
        data.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        absoluteTargets = absoluteTargets || (isRelationships(name) && needsFollowableTargets(data));
        if (isWorksheet(name)) {
            // What follows the cells is short: the page, the conditional formats.
            size_t cellsEnd = data.rfind("</sheetData>");
            std::string_view tail = std::string_view(data).substr(cellsEnd == std::string::npos ? 0 : cellsEnd);
            inlineTexts = inlineTexts || contains(data, kInlineText);
            facts.conditionalFormats = facts.conditionalFormats || contains(tail, "<conditionalFormatting");
            pages.emplace(name, xlsxSheetPage(tail));
        }
        if (name == kStylesPart) facts.fontMarks = fontMarks(data);
        if (name == kWorkbookPart) workbook = data;
        if (name == kWorkbookRelationships) relationships = data;
    }
    for (const std::string& part : xlsxSheetParts(workbook, relationships)) {
        auto found = pages.find(part);
        facts.sheetPages.push_back(found == pages.end() ? SheetPage{} : found->second);
    }
    if (!absoluteTargets && !inlineTexts) return std::nullopt;

    std::string sharedItems;
    size_t sharedCount = 0;
    int sharedPart = -1;
    for (size_t index = 0; index < archive.get_file_entry_count(); ++index) {
        std::string name(archive.get_file_entry_name(index));
        std::string data;
        if (auto kept = read.find(name); kept != read.end()) {
            data = std::move(kept->second);
        } else if (archive.read_file_entry(name, bytes)) {
            data.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        } else {
            continue;
        }
        if (name == kSharedTextsPart) {
            sharedPart = static_cast<int>(parts.size());
            sharedCount = countOf(data, "<si>") + countOf(data, "<si ");
        }
        parts.emplace_back(std::move(name), std::move(data));
    }
    for (auto& [name, data] : parts) {
        if (isRelationships(name)) data = followableTargets(data, ownerDirectory(name));
        if (isWorksheet(name) && inlineTexts) data = sharedInlineTexts(data, sharedItems, sharedCount);
    }
    if (!sharedItems.empty()) {
        if (sharedPart >= 0) {
            std::string& shared = parts[static_cast<size_t>(sharedPart)].second;
            size_t end = shared.rfind("</sst>");
            if (end == std::string::npos) return std::nullopt;
            shared.insert(end, sharedItems);
        } else {
            // A package without shared texts gets the part, the workbook's
            // relationship to it and its content type.
            parts.emplace_back(std::string(kSharedTextsPart),
                               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst xmlns=\"http://schemas.openxmlformats."
                               "org/spreadsheetml/2006/main\">" +
                                   sharedItems + "</sst>");
            for (auto& [name, data] : parts) {
                size_t end = std::string::npos;
                if (name == "xl/_rels/workbook.xml.rels" && (end = data.rfind("</Relationships>")) != std::string::npos) {
                    data.insert(end, "<Relationship Id=\"rIdSharedTexts\" Type=\"http://schemas.openxmlformats.org/"
                                     "officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>");
                }
                if (name == "[Content_Types].xml" && (end = data.rfind("</Types>")) != std::string::npos) {
                    data.insert(end, "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
                                     "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>");
                }
            }
        }
    }
    return zipped(parts);
}

std::optional<std::string> packageWithPart(std::string_view package, std::string_view name, std::string data) {
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(package.data()), package.size());
    orcus::zip_archive archive(&stream);
    archive.load();
    std::vector<std::pair<std::string, std::string>> parts;
    std::vector<unsigned char> bytes;
    for (size_t index = 0; index < archive.get_file_entry_count(); ++index) {
        std::string entry(archive.get_file_entry_name(index));
        if (entry == name) {
            parts.emplace_back(std::move(entry), std::move(data));
            data.clear();
            continue;
        }
        if (!archive.read_file_entry(entry, bytes)) continue;
        parts.emplace_back(std::move(entry), std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    return zipped(parts);
}

}  // namespace grid::workbook
