#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rt {

// What the input box lets the user type: any text, an integer ("-" and digits), a
// decimal ("-", "." and digits) or a password (shown as dots). Control keys always
// pass.
enum class InputMode { AnyText = 1, Integer = 2, Decimal = 3, Password = 4 };

// A modal box with a prompt, a caption (empty: "请输入："), an initial text and the
// buttons "确认输入(&O)" and "取消(&C)". The GBK text entered, or nothing when cancelled.
std::optional<std::string> showInputBox(std::string_view prompt, std::string_view caption,
                                        std::string_view initialText, InputMode mode);

// Whether the mode lets this typed character through.
bool inputModeAccepts(InputMode mode, char16_t character);

}  // namespace rt
