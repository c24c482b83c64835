#include "runtime/error/runtime_error.h"

#include <cstdio>

#include "runtime/error/event_suspension.h"
#include "runtime/error/lifecycle.h"

namespace rt {
namespace {

ErrorHook errorHook = nullptr;
bool hookRunning = false;

void writeToStandardError(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

ErrorPresenter errorPresenter = writeToStandardError;

}  // namespace

std::string composeRuntimeErrorText(std::string_view message, int code) {
    std::string text = "运行时出错!\r\n\r\n";
    if (code != 0) {
        text += "错误代码：";
        text += std::to_string(code);
        text += "\r\n\r\n";
    }
    if (!message.empty()) {
        text += "错误信息：";
        text += message;
        text += "\r\n";
    }
    return text;
}

void reportRuntimeError(RuntimeErrorCode code) {
    int number = static_cast<int>(code);
    reportRuntimeError(kNumberedErrorMessages[number - 1], number);
}

void reportRuntimeError(std::string_view message, int code) {
    // From here on no event reaches the application: it may be in any state.
    suspendEvents();
    std::string text(message);
    bool handledByHook = false;
    if (errorHook && !hookRunning) {
        hookRunning = true;
        handledByHook = errorHook(code, text) != 0;
        hookRunning = false;
    }
    if (!handledByHook) errorPresenter(composeRuntimeErrorText(message, code));
    forgetExitRoutine();
    endProcess(-1);
}

void setErrorHook(ErrorHook hook) { errorHook = hook; }

void setErrorPresenter(ErrorPresenter presenter) {
    errorPresenter = presenter ? presenter : writeToStandardError;
}

}  // namespace rt
