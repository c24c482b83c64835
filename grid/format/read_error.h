#pragma once

#include <string_view>

namespace grid {

// Why a table file or a cell block could not be read. The commands report only
// false; tools and tests show the message.
enum class ReadError {
    None,
    CannotOpen,
    NoProvider,
    WrongMagic,
    Truncated,
    NegativeField,
    TooLarge,
    OutOfMemory,
};

std::string_view readErrorMessage(ReadError error);

}  // namespace grid
