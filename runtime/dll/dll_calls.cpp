#include "runtime/dll/dll_calls.h"

#include <vector>

#include "runtime/dll/dll_commands.h"

namespace rt::dll {
namespace {

Value call(int index, std::initializer_list<Value> arguments) {
    return applicationDllCommands().call(index, static_cast<int>(arguments.size()), arguments.begin());
}

Value address(void* p) { return Value::fromPointer(p, tagOf(ValueType::Long)); }
Value handle(uint32_t window) { return Value::integer(static_cast<int32_t>(window)); }

}  // namespace

bool shellOpen(std::string_view file) {
    std::string name(file);
    Value result = call(dll_command::ShellExecute, {Value::integer(0), Value::text("open"), Value::text(name.c_str()),
                                                    Value::text(nullptr), Value::text(nullptr), Value::integer(1)});
    return static_cast<int32_t>(result.low) > 32;
}

ScreenPoint cursorPosition() {
    ScreenPoint point;
    call(dll_command::GetCursorPos, {address(&point)});
    return point;
}

std::optional<uint32_t> chooseColor(uint32_t ownerWindow, uint32_t initialColor) {
    constexpr uint32_t kStartWithResult = 0x1;
    uint32_t record[9] = {36, ownerWindow, 0, initialColor, 0, kStartWithResult, 0, 0, 0};
    if (!call(dll_command::ChooseColor, {address(record)}).low) return std::nullopt;
    return record[3];
}

bool setForegroundWindow(uint32_t window) { return call(dll_command::SetForegroundWindow, {handle(window)}).low != 0; }

uint32_t findWindowAfter(uint32_t parent, uint32_t after, const char* className, const char* title) {
    return call(dll_command::FindWindowEx, {handle(parent), handle(after), Value::text(className), Value::text(title)}).low;
}

uint32_t findWindow(const char* className, const char* title) {
    return call(dll_command::FindWindow, {Value::text(className), Value::text(title)}).low;
}

std::string windowText(uint32_t window) {
    auto length = static_cast<int32_t>(call(dll_command::GetWindowTextLength, {handle(window)}).low);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    auto copied = static_cast<int32_t>(
        call(dll_command::GetWindowText, {handle(window), address(buffer.data()), Value::integer(length + 1)}).low);
    return std::string(buffer.data(), static_cast<size_t>(std::max(copied, 0)));
}

std::optional<ScreenRect> windowRect(uint32_t window) {
    ScreenRect rect;
    if (!call(dll_command::GetWindowRect, {handle(window), address(&rect)}).low) return std::nullopt;
    return rect;
}

bool moveWindow(uint32_t window, const ScreenRect& frame) {
    return call(dll_command::MoveWindow, {handle(window), Value::integer(frame.left), Value::integer(frame.top),
                                          Value::integer(frame.right - frame.left),
                                          Value::integer(frame.bottom - frame.top), Value::logical(true)})
               .low != 0;
}

std::optional<int64_t> stringToInt64(std::string_view text, bool allowHexadecimal) {
    std::string copy(text);
    int64_t value = 0;
    Value converted = call(dll_command::StrToInt64Ex, {Value::text(copy.c_str()), Value::integer(allowHexadecimal ? 1 : 0),
                                                       address(&value)});
    if (!converted.low) return std::nullopt;
    return value;
}

}  // namespace rt::dll
