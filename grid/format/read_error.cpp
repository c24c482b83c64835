#include "grid/format/read_error.h"

namespace grid {

std::string_view readErrorMessage(ReadError error) {
    switch (error) {
        case ReadError::None: return "no error";
        case ReadError::CannotOpen: return "the file cannot be opened";
        case ReadError::NoProvider: return "the data source has no provider";
        case ReadError::WrongMagic: return "not a table file";
        case ReadError::Truncated: return "the file ends before the data it announces";
        case ReadError::NegativeField: return "a count or length is negative";
        case ReadError::TooLarge: return "the table or a cell is larger than the limits";
        case ReadError::OutOfMemory: return "not enough memory for the table";
    }
    return "unknown error";
}

}  // namespace grid
