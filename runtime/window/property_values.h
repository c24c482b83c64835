#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "runtime/platform/gbk_codec.h"
#include "runtime/value/blocks.h"
#include "runtime/value/call.h"
#include "runtime/value/value.h"

namespace rt {

// Conversions between property values and what widgets hold. Texts read from a
// property are new blocks the reader owns.
inline Value textValue(std::string_view gbk) { return Value::fromPointer(makeText(gbk), tagOf(ValueType::Text)); }
inline Value textValue(const QString& text) { return textValue(toGbk(text)); }
// The text of a text value; other kinds read as empty (rt::textOfValue converts them,
// and the two must keep different names: one name for both let the linker pick
// either for every caller).
inline std::string textArgumentOf(const Value& value) { return std::string(Arguments(1, &value).text(0)); }
inline QString qtTextOfValue(const Value& value) { return fromGbk(Arguments(1, &value).text(0)); }
inline int32_t integerOfValue(const Value& value) { return Arguments(1, &value).integer(0); }
inline bool logicalOfValue(const Value& value) { return Arguments(1, &value).logical(0); }

}  // namespace rt
