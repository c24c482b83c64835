#pragma once

#include <cstdint>

namespace grid {

// The meaning of the bits of a cell's flag word. Files store the word as it is.
namespace CellFlags {
inline constexpr uint32_t kAlignmentMask = 0x0000000F;
inline constexpr uint32_t kLeftLine = 0x00000010;
inline constexpr uint32_t kTopLine = 0x00000020;
inline constexpr uint32_t kRightLine = 0x00000040;
inline constexpr uint32_t kBottomLine = 0x00000080;
inline constexpr uint32_t kEdgeLines = 0x000000F0;
inline constexpr uint32_t kSingleDiagonal = 0x00000100;
inline constexpr uint32_t kDoubleDiagonal = 0x00000200;
inline constexpr uint32_t kCrossLines = 0x00000400;
inline constexpr uint32_t kBold = 0x00000800;
inline constexpr uint32_t kItalic = 0x00001000;
inline constexpr uint32_t kUnderline = 0x00002000;
inline constexpr uint32_t kStrikeout = 0x00004000;
inline constexpr uint32_t kFontStyleMask = 0x00007800;
inline constexpr int kFontStyleShift = 11;
inline constexpr uint32_t kPictureData = 0x00008000;
inline constexpr uint32_t kBinaryData = 0x00010000;
inline constexpr uint32_t kVerbatimText = 0x00020000;
inline constexpr uint32_t kKindMask = 0x00038000;
inline constexpr uint32_t kJoinedLeft = 0x00040000;
inline constexpr uint32_t kJoinedAbove = 0x00080000;
inline constexpr uint32_t kJoinedRight = 0x00100000;
inline constexpr uint32_t kJoinedBelow = 0x00200000;
inline constexpr uint32_t kMergeMask = 0x003C0000;
inline constexpr uint32_t kInputTypeMask = 0x03C00000;
inline constexpr int kInputTypeShift = 22;
inline constexpr uint32_t kMasked = 0x04000000;
inline constexpr uint32_t kLocked = 0x08000000;
}  // namespace CellFlags

// Content kinds as the commands number them.
enum class CellKind : int { Text = 1, VerbatimText = 2, Picture = 3, Binary = 4 };

enum class InputType : int {
    Normal = 0,
    Byte = 1,
    Short = 2,
    Integer = 3,
    Long = 4,
    Float = 5,
    Double = 6,
    Logical = 7,
    DateTime = 8,
};

// A flag word with more than one kind bit (only a foreign file makes one) reads as
// the first kind in the order picture, binary, verbatim text.
constexpr CellKind kindOf(uint32_t flags) {
    if (flags & CellFlags::kPictureData) return CellKind::Picture;
    if (flags & CellFlags::kBinaryData) return CellKind::Binary;
    if (flags & CellFlags::kVerbatimText) return CellKind::VerbatimText;
    return CellKind::Text;
}

constexpr bool isDataKind(CellKind kind) {
    return kind == CellKind::Picture || kind == CellKind::Binary;
}

constexpr uint32_t kindBits(CellKind kind) {
    switch (kind) {
        case CellKind::VerbatimText: return CellFlags::kVerbatimText;
        case CellKind::Picture: return CellFlags::kPictureData;
        case CellKind::Binary: return CellFlags::kBinaryData;
        default: return 0;
    }
}

constexpr uint32_t withKind(uint32_t flags, CellKind kind) {
    return (flags & ~CellFlags::kKindMask) | kindBits(kind);
}

// Stored values above 8 act as the normal type.
constexpr InputType inputTypeOf(uint32_t flags) {
    uint32_t value = (flags & CellFlags::kInputTypeMask) >> CellFlags::kInputTypeShift;
    return value <= 8 ? static_cast<InputType>(value) : InputType::Normal;
}

constexpr uint32_t withInputType(uint32_t flags, InputType type) {
    return (flags & ~CellFlags::kInputTypeMask) |
           (static_cast<uint32_t>(type) << CellFlags::kInputTypeShift);
}

}  // namespace grid
