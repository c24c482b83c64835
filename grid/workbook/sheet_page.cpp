#include "grid/workbook/sheet_page.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace grid::workbook {
namespace {

// The value of name="..." inside the element that starts at the first occurrence of
// tag; nothing when there is no such element or attribute.
std::optional<std::string_view> attributeOf(std::string_view xml, std::string_view tag, std::string_view name) {
    size_t start = xml.find(tag);
    if (start == std::string_view::npos) return std::nullopt;
    size_t end = xml.find('>', start);
    std::string_view element = xml.substr(start, end == std::string_view::npos ? end : end - start);
    std::string key = " " + std::string(name) + "=\"";
    size_t at = element.find(key);
    if (at == std::string_view::npos) return std::nullopt;
    at += key.size();
    size_t close = element.find('"', at);
    if (close == std::string_view::npos) return std::nullopt;
    return element.substr(at, close - at);
}

std::optional<double> numberOf(std::optional<std::string_view> text) {
    if (!text) return std::nullopt;
    std::string copy(*text);
    char* end = nullptr;
    double value = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str() || !std::isfinite(value) || value < 0 || value > 1000) return std::nullopt;
    return value;
}

std::optional<int32_t> tenths(std::optional<double> value, double perUnit) {
    if (!value) return std::nullopt;
    return static_cast<int32_t>(std::lround(*value * perUnit));
}

// "2.5cm", "1in", "25mm", "72pt" as 0.1 mm.
std::optional<int32_t> lengthOf(std::optional<std::string_view> text) {
    if (!text) return std::nullopt;
    static constexpr std::pair<std::string_view, double> kUnits[] = {
        {"cm", 100}, {"mm", 10}, {"in", 254}, {"pt", 254.0 / 72}, {"pc", 254.0 / 6}};
    for (auto [unit, perUnit] : kUnits) {
        if (text->ends_with(unit)) return tenths(numberOf(text->substr(0, text->size() - unit.size())), perUnit);
    }
    return std::nullopt;
}

// The common papers by their size in 0.1 mm, either way round.
std::optional<int16_t> paperOf(int32_t width, int32_t height) {
    struct Paper {
        int16_t code;
        int32_t width, height;
    };
    static constexpr Paper kPapers[] = {{9, 2100, 2970}, {8, 2970, 4200}, {11, 1480, 2100}, {1, 2159, 2794},
                                        {5, 2159, 3556}, {13, 1820, 2570}, {12, 2570, 3640}};
    for (const Paper& paper : kPapers) {
        bool upright = std::abs(width - paper.width) <= 20 && std::abs(height - paper.height) <= 20;
        bool turned = std::abs(width - paper.height) <= 20 && std::abs(height - paper.width) <= 20;
        if (upright || turned) return paper.code;
    }
    return std::nullopt;
}

}  // namespace

void SheetPage::applyTo(PageSettings& page) const {
    if (marginLeft) page.marginLeft = *marginLeft;
    if (marginTop) page.marginTop = *marginTop;
    if (marginRight) page.marginRight = *marginRight;
    if (marginBottom) page.marginBottom = *marginBottom;
    if (paperSize) page.paperSize = *paperSize;
    if (orientation) page.orientation = *orientation;
}

SheetPage xlsxSheetPage(std::string_view xml) {
    SheetPage page;
    page.marginLeft = tenths(numberOf(attributeOf(xml, "<pageMargins", "left")), 254);
    page.marginRight = tenths(numberOf(attributeOf(xml, "<pageMargins", "right")), 254);
    page.marginTop = tenths(numberOf(attributeOf(xml, "<pageMargins", "top")), 254);
    page.marginBottom = tenths(numberOf(attributeOf(xml, "<pageMargins", "bottom")), 254);
    if (std::optional<double> paper = numberOf(attributeOf(xml, "<pageSetup", "paperSize"));
        paper && *paper >= 1 && *paper <= 118) {
        page.paperSize = static_cast<int16_t>(*paper);
    }
    if (std::optional<std::string_view> orientation = attributeOf(xml, "<pageSetup", "orientation")) {
        if (*orientation == "landscape") page.orientation = 2;
        if (*orientation == "portrait") page.orientation = 1;
    }
    return page;
}

std::vector<std::string> xlsxSheetParts(std::string_view workbookXml, std::string_view relationshipsXml) {
    std::vector<std::string> parts;
    for (size_t at = workbookXml.find("<sheet "); at != std::string_view::npos;
         at = workbookXml.find("<sheet ", at + 1)) {
        std::string_view sheet = workbookXml.substr(at);
        std::optional<std::string_view> id = attributeOf(sheet, "<sheet ", "r:id");
        std::string target;
        for (size_t rel = id ? relationshipsXml.find("<Relationship ") : std::string_view::npos;
             rel != std::string_view::npos; rel = relationshipsXml.find("<Relationship ", rel + 1)) {
            std::string_view relationship = relationshipsXml.substr(rel);
            if (attributeOf(relationship, "<Relationship ", "Id") == id) {
                target = std::string(attributeOf(relationship, "<Relationship ", "Target").value_or(""));
                break;
            }
        }
        if (target.starts_with('/')) {
            target.erase(0, 1);
        } else if (!target.empty()) {
            target = "xl/" + target;
        }
        parts.push_back(std::move(target));
    }
    return parts;
}

SheetPage odsPage(std::string_view stylesXml) {
    constexpr std::string_view kLayout = "<style:page-layout-properties";
    SheetPage page;
    if (stylesXml.find(kLayout) == std::string_view::npos) return page;
    page.marginLeft = lengthOf(attributeOf(stylesXml, kLayout, "fo:margin-left"));
    page.marginRight = lengthOf(attributeOf(stylesXml, kLayout, "fo:margin-right"));
    page.marginTop = lengthOf(attributeOf(stylesXml, kLayout, "fo:margin-top"));
    page.marginBottom = lengthOf(attributeOf(stylesXml, kLayout, "fo:margin-bottom"));
    std::optional<int32_t> width = lengthOf(attributeOf(stylesXml, kLayout, "fo:page-width"));
    std::optional<int32_t> height = lengthOf(attributeOf(stylesXml, kLayout, "fo:page-height"));
    if (width && height) page.paperSize = paperOf(*width, *height);
    if (std::optional<std::string_view> orientation = attributeOf(stylesXml, kLayout, "style:print-orientation")) {
        if (*orientation == "landscape") page.orientation = 2;
        if (*orientation == "portrait") page.orientation = 1;
    }
    return page;
}

}  // namespace grid::workbook
