#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "grid/model/cell_flags.h"
#include "grid/model/cell_format.h"
#include "grid/model/limits.h"

namespace grid {

// One cell. Text content is GBK with its NUL and the length counts the NUL; data
// content is the exact bytes. Either way one extra NUL follows the stored bytes, so
// the text of a damaged record without its own NUL still ends.
//
// A table holds millions of these, so a cell is small: its format is shared with every
// cell that looks the same, and content that fits (most texts of a form do) lives in
// the cell itself rather than in a block of its own.
class Cell {
public:
    Cell() = default;
    Cell(const Cell& other);
    Cell& operator=(const Cell& other);
    Cell(Cell&& other) noexcept;
    Cell& operator=(Cell&& other) noexcept;
    ~Cell();

    // The cell's format without its content.
    Cell formatOnly() const;

    const CellFormat& format() const { return formatAt(format_); }
    uint32_t formatIndex() const { return format_; }
    // These throw std::bad_alloc only when a format never seen before finds no memory.
    void setFormat(const CellFormat& format) { format_ = internFormat(format); }
    void setFormatIndex(uint32_t index) { format_ = index; }

    uint32_t flags() const { return format().flags; }
    uint32_t textColor() const { return format().textColor; }
    uint32_t backColor() const { return format().backColor; }
    int16_t fontSize() const { return format().fontSize; }
    int16_t margin() const { return format().margin; }
    void setFlags(uint32_t flags);
    void setTextColor(uint32_t color);
    void setBackColor(uint32_t color);
    void setFontSize(int16_t size);
    void setMargin(int16_t margin);

    CellKind kind() const { return kindOf(flags()); }
    std::span<const uint8_t> content() const {
        return {reinterpret_cast<const uint8_t*>(contentBytes()), contentLength_};
    }
    uint32_t contentLength() const { return contentLength_; }
    // The stored text up to its first NUL; empty for the data kinds.
    std::string_view text() const;
    std::string_view fontNameView() const;

    // Replace the content with exactly these bytes (no NUL is added).
    void setContent(std::span<const uint8_t> bytes);
    // Store a text with its NUL; the empty text stores no content.
    void setTextContent(std::string_view text);
    void clearContent();

    // Names longer than kMaxFontNameLength and the empty name store "宋体", the face
    // every cell falls back to.
    void setFontName(std::string_view name);
    // The bytes as they are, cut to what the field holds; for the file reader.
    void setStoredFontName(std::string_view name);

private:
    // Content of up to this many bytes, with the NUL that follows, stays inline.
    static constexpr uint32_t kInlineCapacity = 15;

    template <typename Field>
    void changeFormat(Field CellFormat::*field, Field value);
    bool isInline() const { return contentLength_ <= kInlineCapacity; }
    const char* contentBytes() const { return isInline() ? inline_ : heap_; }
    // Room for length bytes and the NUL after them, inline or on the heap.
    char* makeRoom(size_t length);
    void release();
    bool holds(const void* bytes) const;

    uint32_t format_ = kDefaultFormatIndex;
    uint32_t contentLength_ = 0;
    union {
        char inline_[kInlineCapacity + 1] = {};
        char* heap_;
    };
};

// The shared copy of a face name as a file's field holds it, cut to what the field
// holds; null for the empty name.
const char* storedFontName(std::string_view name);

// Whether two cells look and hold the same: flags, colours, face, size, margin and the
// content's bytes.
bool sameCell(const Cell& a, const Cell& b);

static_assert(sizeof(Cell) <= 24, "a cell stays small: tables hold millions of them");

inline constexpr std::string_view kDefaultFontName = "宋体";

}  // namespace grid
