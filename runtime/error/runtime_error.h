#pragma once

#include <string>
#include <string_view>

namespace rt {

// Messages of the numbered runtime errors 1..11 (the number is the shown error code).
inline constexpr const char* kNumberedErrorMessages[] = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

enum class RuntimeErrorCode : int {
    IndexOutOfRange = 1,
    NotANumber = 2,
    WrongDimensionCount = 3,
    IndexBelowOne = 4,
    TypeMismatch = 5,
    DllStackImbalance = 6,
    SubStatementResult = 7,
    OnlyEqualityComparable = 8,
    ChoiceIndexOutOfRange = 9,
    RedimensionSize = 10,
    ArgumentType = 11,
};

// Code-0 messages, built at the point of failure.
namespace error_message {
inline constexpr const char* kDllFunctionNotFoundIn = "无法找到指定DLL库文件“%s”中的输出命令“%s”";
inline constexpr const char* kDllFunctionNotFound = "无法找到指定DLL库文件中的输出命令“%s”";
inline constexpr const char* kTemplateSegmentBroken = "载入窗口模板数据段出错!";
inline constexpr const char* kStartupWindowFailed = "载入启动窗口失败";
inline constexpr const char* kEventWindowNotFound = "未找到引发事件的窗口";
inline constexpr const char* kEventUnitNotFound = "未找到引发事件的窗口组件";
inline constexpr const char* kEventUnitInvalid = "引发事件的窗口组件无效";
inline constexpr const char* kUnitWindowNotLoaded = "未载入欲访问窗口组件所在的窗口";
inline constexpr const char* kWindowNotLoaded = "指定窗口尚未载入";
inline constexpr const char* kWindowOrUnitMissing = "指定窗口或窗口组件不存在或尚未载入";
}  // namespace error_message

// The text of the runtime-error box, exactly as shown.
std::string composeRuntimeErrorText(std::string_view message, int code);

// Reports a numbered error (1..11) and ends the process.
[[noreturn]] void reportRuntimeError(RuntimeErrorCode code);
// Reports an error with its own message; code 0 shows no code line.
[[noreturn]] void reportRuntimeError(std::string_view message, int code);

// An error hook sees every report first; a non-zero answer skips the box.
// It is never re-entered: a report raised while it runs goes straight to the box.
using ErrorHook = int (*)(int code, const std::string& message);
void setErrorHook(ErrorHook hook);

// Shows the composed text to the user and waits until it is acknowledged. The
// default writes it to standard error; the window runtime installs a message box.
using ErrorPresenter = void (*)(const std::string& text);
void setErrorPresenter(ErrorPresenter presenter);

}  // namespace rt
