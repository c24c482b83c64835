#include "grid/model/cell.h"

#include <algorithm>
#include <cstring>

namespace grid {

Cell::Cell(const Cell& other)
    : flags(other.flags),
      textColor(other.textColor),
      backColor(other.backColor),
      fontSize(other.fontSize),
      margin(other.margin) {
    std::memcpy(fontName, other.fontName, sizeof fontName);
    setContent(other.content());
}

Cell& Cell::operator=(const Cell& other) {
    if (this != &other) {
        Cell copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Cell Cell::formatOnly() const {
    Cell format;
    format.flags = flags;
    format.textColor = textColor;
    format.backColor = backColor;
    std::memcpy(format.fontName, fontName, sizeof fontName);
    format.fontSize = fontSize;
    format.margin = margin;
    return format;
}

std::string_view Cell::text() const {
    if (isDataKind(kind()) || contentLength_ == 0) return {};
    return std::string_view(content_.get());
}

std::string_view Cell::fontNameView() const {
    return std::string_view(fontName, strnlen(fontName, sizeof fontName));
}

void Cell::setContent(std::span<const uint8_t> bytes) {
    pictureCache_.reset();
    if (bytes.empty()) {
        clearContent();
        return;
    }
    auto copy = std::make_unique_for_overwrite<char[]>(bytes.size() + 1);
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    copy[bytes.size()] = '\0';
    content_ = std::move(copy);
    contentLength_ = static_cast<uint32_t>(bytes.size());
}

void Cell::setTextContent(std::string_view text) {
    pictureCache_.reset();
    if (text.empty()) {
        clearContent();
        return;
    }
    auto copy = std::make_unique_for_overwrite<char[]>(text.size() + 2);
    std::memcpy(copy.get(), text.data(), text.size());
    copy[text.size()] = '\0';
    copy[text.size() + 1] = '\0';
    content_ = std::move(copy);
    contentLength_ = static_cast<uint32_t>(text.size() + 1);
}

void Cell::clearContent() {
    pictureCache_.reset();
    content_.reset();
    contentLength_ = 0;
}

void Cell::setFontName(std::string_view name) {
    if (name.empty() || name.size() > static_cast<size_t>(kMaxFontNameLength)) name = kDefaultFontName;
    setStoredFontName(name);
}

void Cell::setStoredFontName(std::string_view name) {
    std::memset(fontName, 0, sizeof fontName);
    if (!name.empty()) std::memcpy(fontName, name.data(), std::min(name.size(), sizeof fontName - 1));
}

}  // namespace grid
