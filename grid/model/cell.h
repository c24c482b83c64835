#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "grid/model/cell_flags.h"
#include "grid/model/limits.h"

namespace grid {

// A decoded picture that the view builds on first display. The model only owns it so
// that it goes away together with the content it was made from.
class PictureCache {
public:
    virtual ~PictureCache() = default;
};

// One cell. Text content is GBK with its NUL and the length counts the NUL; data
// content is the exact bytes. Either way one extra NUL follows the stored bytes, so
// the text of a damaged record without its own NUL still ends.
struct Cell {
    uint32_t flags = 1;
    uint32_t textColor = 0;
    uint32_t backColor = 0xFF000000;
    char fontName[kFontNameFieldSize] = {};
    int16_t fontSize = 40;
    int16_t margin = 9;

    Cell() = default;
    Cell(const Cell& other);
    Cell& operator=(const Cell& other);
    Cell(Cell&&) noexcept = default;
    Cell& operator=(Cell&&) noexcept = default;

    // The cell's format without its content.
    Cell formatOnly() const;

    CellKind kind() const { return kindOf(flags); }
    std::span<const uint8_t> content() const {
        return {reinterpret_cast<const uint8_t*>(content_.get()), contentLength_};
    }
    uint32_t contentLength() const { return contentLength_; }
    // The stored text up to its first NUL; empty for the data kinds.
    std::string_view text() const;
    std::string_view fontNameView() const;

    // Replace the content with exactly these bytes (no NUL is added) and drop the
    // picture built from the old content.
    void setContent(std::span<const uint8_t> bytes);
    // Store a text with its NUL; the empty text stores no content.
    void setTextContent(std::string_view text);
    void clearContent();

    // Names longer than kMaxFontNameLength and the empty name store "宋体", the face
    // every cell falls back to.
    void setFontName(std::string_view name);
    // The bytes as they are, cut to what the field holds; for the file reader.
    void setStoredFontName(std::string_view name);

    PictureCache* pictureCache() const { return pictureCache_.get(); }
    void setPictureCache(std::unique_ptr<PictureCache> cache) { pictureCache_ = std::move(cache); }

private:
    std::unique_ptr<char[]> content_;
    uint32_t contentLength_ = 0;
    std::unique_ptr<PictureCache> pictureCache_;
};

inline constexpr std::string_view kDefaultFontName = "宋体";

}  // namespace grid
