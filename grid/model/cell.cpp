#include "grid/model/cell.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "grid/model/font_names.h"

namespace grid {

Cell::Cell(const Cell& other) : format_(other.format_) { setContent(other.content()); }

Cell& Cell::operator=(const Cell& other) {
    if (this != &other) {
        Cell copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Cell::Cell(Cell&& other) noexcept
    : format_(other.format_), contentLength_(std::exchange(other.contentLength_, 0)) {
    // Either union member is copied whole: inline bytes or the heap pointer.
    std::memcpy(inline_, other.inline_, sizeof inline_);
    std::memset(other.inline_, 0, sizeof other.inline_);
}

Cell& Cell::operator=(Cell&& other) noexcept {
    if (this != &other) {
        release();
        format_ = other.format_;
        contentLength_ = std::exchange(other.contentLength_, 0);
        std::memcpy(inline_, other.inline_, sizeof inline_);
        std::memset(other.inline_, 0, sizeof other.inline_);
    }
    return *this;
}

Cell::~Cell() { release(); }

void Cell::release() {
    if (!isInline()) delete[] heap_;
    contentLength_ = 0;
    std::memset(inline_, 0, sizeof inline_);
}

Cell Cell::formatOnly() const {
    Cell formatted;
    formatted.format_ = format_;
    return formatted;
}

// The same format always has the same number, so comparing numbers compares formats.
bool sameCell(const Cell& a, const Cell& b) {
    return a.formatIndex() == b.formatIndex() && std::ranges::equal(a.content(), b.content());
}

// A format is shared, so changing one of its fields makes the cell take the format
// that differs only there.
template <typename Field>
void Cell::changeFormat(Field CellFormat::*field, Field value) {
    CellFormat changed = format();
    changed.*field = value;
    setFormat(changed);
}

void Cell::setFlags(uint32_t flags) { changeFormat(&CellFormat::flags, flags); }
void Cell::setTextColor(uint32_t color) { changeFormat(&CellFormat::textColor, color); }
void Cell::setBackColor(uint32_t color) { changeFormat(&CellFormat::backColor, color); }
void Cell::setFontSize(int16_t size) { changeFormat(&CellFormat::fontSize, size); }
void Cell::setMargin(int16_t margin) { changeFormat(&CellFormat::margin, margin); }

std::string_view Cell::text() const {
    if (isDataKind(kind()) || contentLength_ == 0) return {};
    return std::string_view(contentBytes());
}

std::string_view Cell::fontNameView() const {
    const char* name = format().fontName;
    return name ? std::string_view(name) : std::string_view();
}

char* Cell::makeRoom(size_t length) {
    // The new block is made before the old content goes, so a failed allocation
    // leaves the cell as it was.
    char* room = length <= kInlineCapacity ? nullptr : new char[length + 1];
    release();
    contentLength_ = static_cast<uint32_t>(length);
    if (room) heap_ = room;
    return room ? room : inline_;
}

// Whether bytes lie inside this cell's own content, which making room would overwrite.
bool Cell::holds(const void* bytes) const {
    const char* first = contentBytes();
    const auto* byte = static_cast<const char*>(bytes);
    return contentLength_ > 0 && std::less_equal<>()(first, byte) && std::less<>()(byte, first + contentLength_ + 1);
}

void Cell::setContent(std::span<const uint8_t> bytes) {
    if (bytes.empty()) {
        clearContent();
        return;
    }
    if (holds(bytes.data())) {
        const std::vector<uint8_t> copy(bytes.begin(), bytes.end());
        setContent(copy);
        return;
    }
    char* room = makeRoom(bytes.size());
    std::memcpy(room, bytes.data(), bytes.size());
    room[bytes.size()] = '\0';
}

void Cell::setTextContent(std::string_view text) {
    if (text.empty()) {
        clearContent();
        return;
    }
    if (holds(text.data())) {
        const std::string copy(text);
        setTextContent(copy);
        return;
    }
    // The text, its own NUL, and the NUL that follows all content.
    char* room = makeRoom(text.size() + 1);
    std::memcpy(room, text.data(), text.size());
    room[text.size()] = '\0';
    room[text.size() + 1] = '\0';
}

void Cell::clearContent() { release(); }

void Cell::setFontName(std::string_view name) {
    if (name.empty() || name.size() > static_cast<size_t>(kMaxFontNameLength)) name = kDefaultFontName;
    setStoredFontName(name);
}

void Cell::setStoredFontName(std::string_view name) { changeFormat(&CellFormat::fontName, storedFontName(name)); }

const char* storedFontName(std::string_view name) {
    // The field held at most kFontNameFieldSize - 1 bytes and ended at its first NUL.
    name = name.substr(0, std::min(name.size(), static_cast<size_t>(kFontNameFieldSize - 1)));
    name = name.substr(0, std::min(name.size(), name.find('\0')));
    return name.empty() ? nullptr : internFontName(name);
}

}  // namespace grid
