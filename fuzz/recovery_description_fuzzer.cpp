// Any bytes as the description beside a recovery copy: parsing never crashes, and a
// description it accepts is written back to text that parses to the same fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/recovery/recovery_description.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto description = app::parseRecoveryDescription(text);
    if (!description) return 0;
    if (app::parseRecoveryDescription(app::recoveryDescriptionText(*description)) != description) std::abort();
    return 0;
}
