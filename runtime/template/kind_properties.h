#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rt {

// The own property block of most unit kinds: named values, each a GBK text, in the
// order they were written. A kind reads the names it knows ("caption", "items",
// "panes", ...) and ignores the rest, so a block can grow without breaking readers.
// Layout: a 32-bit count, then per entry a NUL-terminated name and a byte string.
class PropertyBlock {
public:
    void set(std::string name, std::string value);
    std::optional<std::string> find(std::string_view name) const;
    std::string text(std::string_view name, std::string_view fallback = {}) const;
    int32_t integer(std::string_view name, int32_t fallback = 0) const;
    // A value holding several lines (list items, toolbar entries) split at "\n".
    std::vector<std::string> lines(std::string_view name) const;
    const std::vector<std::pair<std::string, std::string>>& entries() const { return entries_; }

    std::string encode() const;
    static std::optional<PropertyBlock> decode(std::string_view bytes);

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// Kinds whose blocks have a fixed layout that starts with a version word; a reader
// refuses a version above 1.
struct DataSrcBlock {
    int32_t readOnly = 0;
    int32_t allowAdd = 1;
    int32_t allowDelete = 1;
    std::string providerName;

    std::string encode() const;
    static std::optional<DataSrcBlock> decode(std::string_view bytes);
};

struct NProviderBlock {
    int32_t rowCount = 0;
    int32_t columnCount = 0;

    std::string encode() const;
    static std::optional<NProviderBlock> decode(std::string_view bytes);
};

struct ColorPickerBlock {
    uint32_t color = 0;
    int32_t transparentAllowed = 0;

    std::string encode() const;
    static std::optional<ColorPickerBlock> decode(std::string_view bytes);
};

}  // namespace rt
