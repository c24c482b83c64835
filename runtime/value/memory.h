#pragma once

#include <cstddef>

namespace rt {

// The runtime's heap. Every text, byte set and array that crosses the command
// boundary is a block from here, and the receiver frees it with release().
// Failure to allocate is a runtime error that ends the process, so callers never
// see a null block for a non-zero size.
void* allocate(size_t byteCount);

// Null allocates. A pointer inside a registered read-only range is copied into a new
// block (as many bytes as fit in both the new size and the rest of the range).
void* reallocate(void* block, size_t byteCount);

// Null and pointers inside a registered read-only range are ignored.
void release(void* block);

// Constant data handed out as if it were heap blocks: release ignores it and
// reallocate copies out of it.
void registerReadOnlyRange(const void* begin, size_t byteCount);
bool isInReadOnlyRange(const void* p);
// Bytes from p to the end of its read-only range; 0 when p is in none.
size_t bytesLeftInReadOnlyRange(const void* p);

}  // namespace rt
