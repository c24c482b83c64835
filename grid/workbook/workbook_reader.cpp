#include "grid/workbook/workbook_reader.h"

#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <algorithm>
#include <new>

#include "grid/workbook/cell_reference.h"
#include "grid/workbook/ods_content_walk.h"
#include "grid/workbook/package_repair.h"
#include "grid/workbook/sheet_collector.h"
#include "grid/workbook/workbook_styles.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/regular_file.h"

namespace grid::workbook {
namespace {

using namespace orcus::spreadsheet;

// More than any real workbook has; a file naming more is treated as too large rather
// than making a collector for each.
constexpr size_t kMaxSheets = 10'000;
// A workbook beyond this is not read into memory at all.
constexpr uint64_t kMaxWorkbookBytes = uint64_t{1} << 30;
// Nor one whose parts unpack to more than this all together.
constexpr uint64_t kMaxUnpackedBytes = uint64_t{2} << 30;

class GlobalSettings : public iface::import_global_settings {
public:
    explicit GlobalSettings(bool& date1904) : date1904_(date1904) {}
    void set_origin_date(int year, int month, int day) override { date1904_ = year == 1904 && month == 1 && day == 1; }
    void set_default_formula_grammar(formula_grammar_t grammar) override { grammar_ = grammar; }
    formula_grammar_t get_default_formula_grammar() const override { return grammar_; }
    void set_character_set(orcus::character_set_t) override {}

private:
    bool& date1904_;
    formula_grammar_t grammar_ = formula_grammar_t::unknown;
};

// The workbook as the library hands it over: sheets, shared texts, styles.
class Factory : public iface::import_factory {
public:
    explicit Factory(LostContent& lost) : lost_(lost), settings_(date1904_) {}

    iface::import_global_settings* get_global_settings() override { return &settings_; }
    iface::import_shared_strings* get_shared_strings() override { return &texts_; }
    iface::import_styles* get_styles() override { return &styles_; }
    iface::import_reference_resolver* get_reference_resolver(formula_ref_context_t) override { return &references_; }
    iface::import_sheet* append_sheet(sheet_t, std::string_view name) override {
        if (sheets_.size() >= kMaxSheets) {
            tooManySheets_ = true;
            return nullptr;
        }
        names_.push_back(rt::utf8ToGbk(name));
        sheets_.push_back(std::make_unique<SheetCollector>(texts_, lost_, date1904_));
        return sheets_.back().get();
    }
    iface::import_sheet* get_sheet(std::string_view name) override {
        std::string gbk = rt::utf8ToGbk(name);
        auto found = std::find(names_.begin(), names_.end(), gbk);
        return found == names_.end() ? nullptr : sheets_[static_cast<size_t>(found - names_.begin())].get();
    }
    iface::import_sheet* get_sheet(sheet_t index) override {
        return index >= 0 && static_cast<size_t>(index) < sheets_.size() ? sheets_[static_cast<size_t>(index)].get()
                                                                         : nullptr;
    }
    void finalize() override {}

    LostContent& lost_;
    bool date1904_ = false;
    GlobalSettings settings_;
    SharedTexts texts_;
    WorkbookStyles styles_;
    CellReferences references_;
    std::vector<std::string> names_;
    std::vector<std::unique_ptr<SheetCollector>> sheets_;
    bool tooManySheets_ = false;
};

bool contains(std::string_view bytes, std::string_view part) { return bytes.find(part) != std::string_view::npos; }

// An encrypted workbook of either kind is a compound file holding the encrypted
// package, the name written in UTF-16.
bool isEncryptedPackage(std::string_view bytes) {
    static constexpr char kCompoundFile[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    static constexpr char kName[] = "E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0";
    return bytes.starts_with(std::string_view(kCompoundFile, 8)) &&
           contains(bytes, std::string_view(kName, sizeof kName - 1));
}

// What the library passes over, found by the parts of the package that hold it.
void noteLostParts(std::string_view bytes, WorkbookKind kind, LostContent& lost, bool& encrypted) {
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    orcus::zip_archive archive(&stream);
    archive.load();
    for (size_t index = 0; index < archive.get_file_entry_count(); ++index) {
        std::string_view name = archive.get_file_entry_name(index);
        if (kind == WorkbookKind::Xlsx) {
            if (name.starts_with("xl/media/")) lost.insert(LostKind::Pictures);
            if (name.starts_with("xl/charts/")) lost.insert(LostKind::Charts);
            if (name.starts_with("xl/comments") || name.starts_with("xl/threadedComments")) {
                lost.insert(LostKind::Comments);
            }
        } else {
            if (name.starts_with("Pictures/")) lost.insert(LostKind::Pictures);
            if (name.starts_with("Object ")) lost.insert(LostKind::Charts);
        }
    }
    if (kind != WorkbookKind::Ods) return;
    std::vector<unsigned char> part;
    if (archive.read_file_entry("META-INF/manifest.xml", part)) {
        encrypted = contains({reinterpret_cast<const char*>(part.data()), part.size()}, "encryption-data");
    }
    if (!encrypted && archive.read_file_entry("content.xml", part)) {
        std::string_view content(reinterpret_cast<const char*>(part.data()), part.size());
        if (contains(content, "<office:annotation")) lost.insert(LostKind::Comments);
        if (contains(content, "conditional-format")) lost.insert(LostKind::ConditionalFormats);
        if (contains(content, "<draw:frame")) lost.insert(LostKind::Pictures);
    }
}

// The library reads the sheets, sizes and styles of the package made again with every
// cell under a merged range counted; what it leaves out comes from our own walk over
// the original content.
void readOds(std::string_view bytes, Factory& factory) {
    std::vector<OdsSheetContent> sheets;
    std::optional<std::string> repaired;
    SheetPage page;
    {
        orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        orcus::zip_archive archive(&stream);
        archive.load();
        std::vector<unsigned char> content;
        if (archive.read_file_entry("styles.xml", content)) {
            page = odsPage({reinterpret_cast<const char*>(content.data()), content.size()});
        }
        if (archive.read_file_entry("content.xml", content)) {
            std::string_view xml(reinterpret_cast<const char*>(content.data()), content.size());
            sheets = walkOdsContent(xml);
            repaired = packageWithPart(bytes, "content.xml", withCoveredCellsCounted(xml));
        }
    }
    orcus::orcus_ods filter(&factory);
    filter.read_stream(repaired ? std::string_view(*repaired) : bytes);
    for (size_t index = 0; index < sheets.size() && index < factory.sheets_.size(); ++index) {
        SheetCollector& sheet = *factory.sheets_[index];
        sheet.setPage(page);
        for (OdsShownText& shown : sheets[index].texts) {
            sheet.setShownText(shown.row, shown.column, std::move(shown.text), shown.isNumber);
        }
        for (const OdsMerge& merge : sheets[index].merges) {
            sheet.addMerge(merge.row, merge.column, merge.lastRow, merge.lastColumn);
        }
    }
}

}  // namespace

struct WorkbookReader::Parts {
    explicit Parts(LostContent& lost) : factory(lost) {}
    Factory factory;
};

const char* describe(WorkbookError error) {
    switch (error) {
        case WorkbookError::None: return "no error";
        case WorkbookError::Unreadable: return "cannot be read";
        case WorkbookError::NotAWorkbook: return "is not a workbook of the kind its name says";
        case WorkbookError::Encrypted: return "is protected by a password";
        case WorkbookError::Damaged: return "is damaged";
        case WorkbookError::TooLarge: return "holds a sheet beyond the table's limits";
        case WorkbookError::OutOfMemory: return "needs more memory than there is";
        case WorkbookError::NoSheet: return "holds no sheet";
    }
    return "";
}

std::optional<WorkbookKind> workbookKindOf(const std::string& path) {
    std::string lower = path.substr(path.size() >= 5 ? path.size() - 5 : 0);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower.ends_with(".xlsx")) return WorkbookKind::Xlsx;
    if (lower.ends_with(".ods")) return WorkbookKind::Ods;
    return std::nullopt;
}

WorkbookReader::WorkbookReader() = default;
WorkbookReader::~WorkbookReader() = default;

WorkbookError WorkbookReader::read(const std::string& path, WorkbookKind kind) {
    std::optional<std::string> bytes = rt::readRegularFile(path, kMaxWorkbookBytes);
    if (!bytes) return WorkbookError::Unreadable;
    return readBytes(*bytes, kind);
}

WorkbookError WorkbookReader::readBytes(std::string_view bytes, WorkbookKind kind) {
    parts_.reset();
    names_.clear();
    lost_.clear();
    if (isEncryptedPackage(bytes)) return WorkbookError::Encrypted;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    try {
        // Only the detector of the kind named, and only on a zip package: the others
        // would parse any bytes as XML, which the library's parser cannot do safely.
        if (!bytes.starts_with(std::string_view("PK\x03\x04", 4))) return WorkbookError::NotAWorkbook;
        if (!hasSaneEntrySizes(bytes, kMaxUnpackedBytes)) return WorkbookError::Damaged;
        bool detected = kind == WorkbookKind::Xlsx ? orcus::orcus_xlsx::detect(data, bytes.size())
                                                   : orcus::orcus_ods::detect(data, bytes.size());
        if (!detected) return WorkbookError::NotAWorkbook;
        bool encrypted = false;
        noteLostParts(bytes, kind, lost_, encrypted);
        if (encrypted) return WorkbookError::Encrypted;
        auto parts = std::make_unique<Parts>(lost_);
        std::vector<SheetPage> sheetPages;
        if (kind == WorkbookKind::Xlsx) {
            PackageFacts facts;
            std::optional<std::string> repaired = repairedPackage(bytes, facts);
            if (facts.conditionalFormats) lost_.insert(LostKind::ConditionalFormats);
            parts->factory.styles_.setFontMarks(std::move(facts.fontMarks));
            sheetPages = std::move(facts.sheetPages);
            orcus::orcus_xlsx filter(&parts->factory);
            filter.read_stream(repaired ? std::string_view(*repaired) : bytes);
        } else {
            readOds(bytes, parts->factory);
        }
        for (size_t index = 0; index < sheetPages.size() && index < parts->factory.sheets_.size(); ++index) {
            parts->factory.sheets_[index]->setPage(sheetPages[index]);
        }
        if (parts->factory.tooManySheets_) return WorkbookError::TooLarge;
        if (parts->factory.sheets_.empty()) return WorkbookError::NoSheet;
        names_ = parts->factory.names_;
        parts_ = std::move(parts);
    } catch (const std::bad_alloc&) {
        lost_.clear();
        return WorkbookError::OutOfMemory;
    } catch (const std::exception&) {
        lost_.clear();
        return WorkbookError::Damaged;
    }
    return WorkbookError::None;
}

WorkbookError WorkbookReader::buildSheet(size_t index, Table& table) {
    if (!parts_ || index >= parts_->factory.sheets_.size()) return WorkbookError::NoSheet;
    switch (parts_->factory.sheets_[index]->build(parts_->factory.styles_, table)) {
        case SheetFault::None: return WorkbookError::None;
        case SheetFault::TooLarge: return WorkbookError::TooLarge;
        case SheetFault::OutOfMemory: return WorkbookError::OutOfMemory;
    }
    return WorkbookError::Damaged;
}

}  // namespace grid::workbook
