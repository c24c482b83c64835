#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace rt {

// ByteSet block: the word 1, a data length n >= 1, then n bytes. The empty byte set is
// a null pointer, never a block of length 0.
void* makeByteSet(std::span<const uint8_t> bytes);
inline void* makeByteSet(std::string_view bytes) {
    return makeByteSet({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}
std::span<const uint8_t> byteSetBytes(const void* block);

// A new NUL-terminated text block; the empty text is a null pointer.
char* makeText(std::string_view text);
// The text a text payload points at; null reads as the empty text.
inline std::string_view textOf(const void* p) {
    return p ? std::string_view(static_cast<const char*>(p)) : std::string_view();
}

// Array block: a dimension count d, d dimension sizes, then the elements in row-major
// order. Elements of a new array are zero.
void* makeArray(uint32_t elementSize, std::span<const uint32_t> dimensions);
uint32_t arrayDimensionCount(const void* block);
std::span<const uint32_t> arrayDimensions(const void* block);
size_t arrayElementCount(const void* block);
uint8_t* arrayElements(void* block);
const uint8_t* arrayElements(const void* block);
size_t arrayBlockSize(const void* block, uint32_t elementSize);

// The address of one element, by 1-based indices: one index counts through all
// elements, otherwise there must be one index per dimension. Bad indices are the
// runtime errors of array access (3, 4 and 1).
uint8_t* arrayElementAt(void* block, uint32_t elementSize, std::span<const int32_t> indices);

// Runtime service 2: before an array that may lie in constant data is changed, copy it
// into a heap block and point the variable at the copy.
void makeArrayWritable(uint32_t elementSize, void** arrayVariable);

}  // namespace rt
