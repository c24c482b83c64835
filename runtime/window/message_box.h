#pragma once

#include <cstdint>
#include <string_view>

class QWidget;

namespace rt {

// Flags of the message box, combined: one button set, one icon, one default button.
namespace message_box {
inline constexpr uint32_t Ok = 0x0;
inline constexpr uint32_t OkCancel = 0x1;
inline constexpr uint32_t AbortRetryIgnore = 0x2;
inline constexpr uint32_t YesNoCancel = 0x3;
inline constexpr uint32_t YesNo = 0x4;
inline constexpr uint32_t RetryCancel = 0x5;
inline constexpr uint32_t ErrorIcon = 0x10;
inline constexpr uint32_t QuestionIcon = 0x20;
inline constexpr uint32_t ExclamationIcon = 0x30;
inline constexpr uint32_t InformationIcon = 0x40;
inline constexpr uint32_t SecondButtonDefault = 0x100;
inline constexpr uint32_t ThirdButtonDefault = 0x200;
}  // namespace message_box

// The answers, as the application compares them.
enum class MessageBoxAnswer : int32_t { Ok = 0, Cancel = 1, Abort = 2, Retry = 3, Ignore = 4, Yes = 5, No = 6 };

// A modal message box over the active window. Texts are GBK. Closing it without a
// button (Escape, the close button) answers Ok on a one-button box and Cancel on any
// other, also where there is no Cancel button: on a Yes/No box it is neither answer.
MessageBoxAnswer showMessageBox(std::string_view text, uint32_t flags, std::string_view caption);

}  // namespace rt
