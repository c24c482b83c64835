#include "runtime/value/blocks.h"

#include <cstring>

#include "runtime/error/runtime_error.h"
#include "runtime/value/memory.h"

namespace rt {
namespace {

struct ByteSetHeader {
    uint32_t one;
    uint32_t length;
};

uint32_t readWord(const void* p) {
    uint32_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

size_t headerSize(uint32_t dimensionCount) { return sizeof(uint32_t) * (1 + size_t{dimensionCount}); }

}  // namespace

void* makeByteSet(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return nullptr;
    auto* block = static_cast<uint8_t*>(allocate(sizeof(ByteSetHeader) + bytes.size()));
    ByteSetHeader header{1, static_cast<uint32_t>(bytes.size())};
    std::memcpy(block, &header, sizeof header);
    std::memcpy(block + sizeof header, bytes.data(), bytes.size());
    return block;
}

std::span<const uint8_t> byteSetBytes(const void* block) {
    if (!block) return {};
    auto* bytes = static_cast<const uint8_t*>(block);
    return {bytes + sizeof(ByteSetHeader), readWord(bytes + sizeof(uint32_t))};
}

char* makeText(std::string_view text) {
    if (text.empty()) return nullptr;
    auto* block = static_cast<char*>(allocate(text.size() + 1));
    std::memcpy(block, text.data(), text.size());
    block[text.size()] = '\0';
    return block;
}

void* makeArray(uint32_t elementSize, std::span<const uint32_t> dimensions) {
    size_t count = 1;
    for (uint32_t size : dimensions) count *= size;
    size_t header = headerSize(static_cast<uint32_t>(dimensions.size()));
    auto* block = static_cast<uint8_t*>(allocate(header + count * elementSize));
    uint32_t dimensionCount = static_cast<uint32_t>(dimensions.size());
    std::memcpy(block, &dimensionCount, sizeof dimensionCount);
    std::memcpy(block + sizeof(uint32_t), dimensions.data(), dimensions.size_bytes());
    std::memset(block + header, 0, count * elementSize);
    return block;
}

uint32_t arrayDimensionCount(const void* block) { return readWord(block); }

std::span<const uint32_t> arrayDimensions(const void* block) {
    auto* words = static_cast<const uint32_t*>(block);
    return {words + 1, words[0]};
}

size_t arrayElementCount(const void* block) {
    size_t count = 1;
    for (uint32_t size : arrayDimensions(block)) count *= size;
    return count;
}

uint8_t* arrayElements(void* block) {
    return static_cast<uint8_t*>(block) + headerSize(arrayDimensionCount(block));
}

const uint8_t* arrayElements(const void* block) {
    return static_cast<const uint8_t*>(block) + headerSize(arrayDimensionCount(block));
}

size_t arrayBlockSize(const void* block, uint32_t elementSize) {
    return headerSize(arrayDimensionCount(block)) + arrayElementCount(block) * elementSize;
}

uint8_t* arrayElementAt(void* block, uint32_t elementSize, std::span<const int32_t> indices) {
    auto dimensions = arrayDimensions(block);
    size_t offset = 0;
    if (indices.size() == 1) {
        if (indices[0] < 1) reportRuntimeError(RuntimeErrorCode::IndexBelowOne);
        if (size_t(indices[0]) > arrayElementCount(block)) reportRuntimeError(RuntimeErrorCode::IndexOutOfRange);
        offset = size_t(indices[0]) - 1;
    } else {
        if (indices.size() != dimensions.size()) reportRuntimeError(RuntimeErrorCode::WrongDimensionCount);
        for (size_t i = 0; i < indices.size(); ++i) {
            if (indices[i] < 1) reportRuntimeError(RuntimeErrorCode::IndexBelowOne);
            if (uint32_t(indices[i]) > dimensions[i]) reportRuntimeError(RuntimeErrorCode::IndexOutOfRange);
            offset = offset * dimensions[i] + (uint32_t(indices[i]) - 1);
        }
    }
    return arrayElements(block) + offset * elementSize;
}

void makeArrayWritable(uint32_t elementSize, void** arrayVariable) {
    void* array = *arrayVariable;
    if (!array || !isInReadOnlyRange(array)) return;
    size_t size = arrayBlockSize(array, elementSize);
    void* copy = allocate(size);
    std::memcpy(copy, array, size);
    *arrayVariable = copy;
}

}  // namespace rt
