#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/value/blocks.h"
#include "runtime/value/memory.h"
#include "runtime/value/value.h"

namespace rt {

// Owns one runtime block that a command returned and frees it when it goes out of
// scope. Arrays of texts or byte sets free their elements too.
class OwnedBlock {
public:
    OwnedBlock() = default;
    explicit OwnedBlock(const Value& result) : type_(result.type), block_(result.pointer()) {}
    OwnedBlock(OwnedBlock&& other) noexcept
        : type_(std::exchange(other.type_, 0)), block_(std::exchange(other.block_, nullptr)) {}
    OwnedBlock& operator=(OwnedBlock&& other) noexcept {
        if (this != &other) {
            reset();
            type_ = std::exchange(other.type_, 0);
            block_ = std::exchange(other.block_, nullptr);
        }
        return *this;
    }
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;
    ~OwnedBlock() { reset(); }

    const void* get() const { return block_; }
    uint32_t type() const { return type_; }

    void reset() {
        if (block_ && isArray(type_)) {
            uint32_t element = elementTagOf(type_);
            if (element == tagOf(ValueType::Text) || element == tagOf(ValueType::ByteSet)) {
                auto** pointers = reinterpret_cast<void**>(arrayElements(block_));
                for (size_t i = 0; i < arrayElementCount(block_); ++i) release(pointers[i]);
            }
        }
        release(block_);
        block_ = nullptr;
    }

private:
    uint32_t type_ = 0;
    void* block_ = nullptr;
};

// A text result: the empty text when the command returned null.
class OwnedText {
public:
    explicit OwnedText(const Value& result) : block_(result) {}
    std::string_view view() const { return textOf(block_.get()); }
    std::string str() const { return std::string(view()); }

private:
    OwnedBlock block_;
};

// A byte-set result: no bytes when the command returned null.
class OwnedByteSet {
public:
    explicit OwnedByteSet(const Value& result) : block_(result) {}
    std::span<const uint8_t> bytes() const { return byteSetBytes(block_.get()); }

private:
    OwnedBlock block_;
};

}  // namespace rt
