#include "grid/workbook/ods_content_walk.h"

#include <orcus/sax_ns_parser.hpp>
#include <orcus/xml_namespace.hpp>

#include <algorithm>
#include <charconv>
#include <cstring>

#include "grid/model/limits.h"
#include "runtime/platform/gbk_codec.h"

namespace grid::workbook {
namespace {

constexpr std::string_view kTableNamespace = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view kOfficeNamespace = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kTextNamespace = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";

bool inNamespace(orcus::xmlns_id_t ns, std::string_view uri) { return ns && std::string_view(ns) == uri; }

int32_t countOf(std::string_view value) {
    int32_t count = 1;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
    if (error != std::errc() || count < 1) return 1;
    return count;
}

class ContentWalk {
public:
    std::vector<OdsSheetContent> sheets;

    void doctype(const orcus::sax::doctype_declaration&) {}
    void start_declaration(std::string_view) {}
    void end_declaration(std::string_view) {}
    void attribute(std::string_view, std::string_view) {}
    void attribute(const orcus::sax_ns_parser_attribute& attribute) {
        if (inNamespace(attribute.ns, kTableNamespace)) {
            if (attribute.name == "number-rows-repeated") rowsRepeated_ = countOf(attribute.value);
            if (attribute.name == "number-columns-repeated") columnsRepeated_ = countOf(attribute.value);
            if (attribute.name == "number-rows-spanned") rowsSpanned_ = countOf(attribute.value);
            if (attribute.name == "number-columns-spanned") columnsSpanned_ = countOf(attribute.value);
        } else if (inNamespace(attribute.ns, kOfficeNamespace) && attribute.name == "value-type") {
            valueType_ = attribute.value;
        }
    }

    void start_element(const orcus::sax_ns_parser_element& element) {
        // A comment's paragraphs are not the cell's text.
        if (inNamespace(element.ns, kOfficeNamespace) && element.name == "annotation") ++inAnnotation_;
        if (inAnnotation_ > 0) {
            clearAttributes();
            return;
        }
        if (inNamespace(element.ns, kTableNamespace)) {
            if (element.name == "table") {
                sheets.emplace_back();
                row_ = 0;
            } else if (element.name == "table-row") {
                column_ = 0;
                rowRepeats_ = rowsRepeated_;
            } else if (element.name == "table-cell" || element.name == "covered-table-cell") {
                inCell_ = true;
                cellRepeats_ = columnsRepeated_;
                cellType_ = valueType_;
                paragraphs_ = 0;
                text_.clear();
                if (!sheets.empty() && (rowsSpanned_ > 1 || columnsSpanned_ > 1)) {
                    int64_t lastRow = int64_t{row_} + rowsSpanned_ - 1;
                    int64_t lastColumn = int64_t{column_} + columnsSpanned_ - 1;
                    if (lastRow < kMaxRows && lastColumn < kMaxColumns) {
                        sheets.back().merges.push_back(
                            {row_, column_, static_cast<int32_t>(lastRow), static_cast<int32_t>(lastColumn)});
                    }
                }
            }
        } else if (inCell_ && inNamespace(element.ns, kTextNamespace)) {
            if (element.name == "p") {
                if (paragraphs_++ > 0) text_ += "\r\n";
            } else if (element.name == "s") {
                text_ += ' ';
            } else if (element.name == "tab") {
                text_ += '\t';
            } else if (element.name == "line-break") {
                text_ += "\r\n";
            }
        }
        clearAttributes();
    }

    void end_element(const orcus::sax_ns_parser_element& element) {
        if (inNamespace(element.ns, kOfficeNamespace) && element.name == "annotation" && inAnnotation_ > 0) {
            --inAnnotation_;
            return;
        }
        if (inAnnotation_ > 0 || !inNamespace(element.ns, kTableNamespace)) return;
        if (element.name == "table-cell" || element.name == "covered-table-cell") {
            endCell();
        } else if (element.name == "table-row") {
            row_ = static_cast<int32_t>(std::min<int64_t>(int64_t{row_} + rowRepeats_, kMaxRows));
        }
    }

    void characters(std::string_view text, bool) {
        if (inCell_ && paragraphs_ > 0 && inAnnotation_ == 0) text_.append(text);
    }

private:
    void clearAttributes() {
        rowsRepeated_ = columnsRepeated_ = rowsSpanned_ = columnsSpanned_ = 1;
        valueType_ = {};
    }

    // Dates come through the library as dates; texts of one line and numbers of the
    // common kinds are taken as the sheet shows them.
    void endCell() {
        inCell_ = false;
        const bool shown = cellType_ == "float" || cellType_ == "percentage" || cellType_ == "currency" ||
                           cellType_ == "boolean" || cellType_ == "time" ||
                           (cellType_ == "string" && paragraphs_ > 1);
        if (shown && !sheets.empty() && row_ < kMaxRows) {
            std::string gbk = rt::utf8ToGbk(text_);
            const bool isNumber = cellType_ != "string";
            // A row or cell repeated with its content holds it at every position;
            // repeats run only as far as a table can reach.
            for (int32_t r = 0; r < rowRepeats_ && int64_t{row_} + r < kMaxRows; ++r) {
                for (int32_t c = 0; c < cellRepeats_ && int64_t{column_} + c < kMaxColumns; ++c) {
                    if (++produced_ > kMaxCells) return;
                    sheets.back().texts.push_back({row_ + r, column_ + c, gbk, isNumber});
                }
            }
        }
        column_ = static_cast<int32_t>(std::min<int64_t>(int64_t{column_} + cellRepeats_, kMaxColumns));
    }

    int32_t row_ = 0;
    int32_t column_ = 0;
    int32_t rowRepeats_ = 1;
    int32_t cellRepeats_ = 1;
    int32_t rowsRepeated_ = 1;
    int32_t columnsRepeated_ = 1;
    int32_t rowsSpanned_ = 1;
    int32_t columnsSpanned_ = 1;
    std::string valueType_;
    std::string cellType_;
    bool inCell_ = false;
    int paragraphs_ = 0;
    int inAnnotation_ = 0;
    std::string text_;
    int64_t produced_ = 0;
};

}  // namespace

std::vector<OdsSheetContent> walkOdsContent(std::string_view contentXml) {
    orcus::xmlns_repository repository;
    orcus::xmlns_context context = repository.create_context();
    ContentWalk walk;
    orcus::sax_ns_parser<ContentWalk> parser(contentXml.data(), contentXml.size(), context, walk);
    parser.parse();
    return std::move(walk.sheets);
}

std::string withCoveredCellsCounted(std::string_view contentXml) {
    static constexpr std::string_view kCovered = "table:covered-table-cell";
    static constexpr std::string_view kCell = "table:table-cell";
    std::string out;
    out.reserve(contentXml.size());
    size_t at = 0;
    for (size_t found; (found = contentXml.find(kCovered, at)) != std::string_view::npos;) {
        out.append(contentXml.substr(at, found - at));
        out.append(kCell);
        at = found + kCovered.size();
    }
    out.append(contentXml.substr(at));
    return out;
}

}  // namespace grid::workbook
