#include "runtime/error/runtime_error.h"

#include <gtest/gtest.h>

#include "runtime/error/event_suspension.h"
#include "runtime/error/lifecycle.h"
#include "tests/runtime/error/report_in_child.h"

namespace {

std::string& markerPath() {
    static std::string path;
    return path;
}

void appendMarker() { writeWholeFile(markerPath(), readWholeFile(markerPath()) + "ran\n"); }

TEST(RuntimeErrorText, IsBuiltExactly) {
    EXPECT_EQ(rt::composeRuntimeErrorText("数组成员引用下标必须大于等于1", 4),
              "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n");
    EXPECT_EQ(rt::composeRuntimeErrorText("分配 12 字节内存失败!", 0),
              "运行时出错!\r\n\r\n错误信息：分配 12 字节内存失败!\r\n");
    EXPECT_EQ(rt::composeRuntimeErrorText("", 11), "运行时出错!\r\n\r\n错误代码：11\r\n\r\n");
    // The GBK bytes of the heading, so an encoding change of the sources shows up here.
    EXPECT_EQ(rt::composeRuntimeErrorText("", 0), "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n");
}

TEST(RuntimeErrorReport, NumberedErrorShowsItsMessageAndEndsWithMinusOne) {
    EXPECT_EQ(reportInChild([] { rt::reportRuntimeError(rt::RuntimeErrorCode::DllStackImbalance); }),
              "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
    EXPECT_EQ(reportInChild([] { rt::reportRuntimeError(rt::RuntimeErrorCode::ArgumentType); }),
              rt::composeRuntimeErrorText("所提供参数的数据类型不符合要求", 11));
    EXPECT_EQ(reportInChild([] { rt::reportRuntimeError(rt::error_message::kWindowNotLoaded, 0); }),
              "运行时出错!\r\n\r\n错误信息：指定窗口尚未载入\r\n");
}

TEST(RuntimeErrorReport, ExitRoutineRunsOnlyOnANormalEnd) {
    TempDir dir;
    markerPath() = dir.file("exit-routine");
    reportInChild([] {
        rt::registerExitRoutine(appendMarker);
        rt::reportRuntimeError(rt::RuntimeErrorCode::TypeMismatch);
    });
    EXPECT_EQ(readWholeFile(markerPath()), "");

    EXPECT_EXIT(
        {
            rt::registerExitRoutine(appendMarker);
            rt::runExitRoutineOnce();
            rt::endProcess(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readWholeFile(markerPath()), "ran\n");
}

int hookAnswer = 0;
int hookCalls = 0;

int recordingHook(int code, const std::string& message) {
    ++hookCalls;
    writeWholeFile(markerPath(), std::to_string(code) + " " + message + (rt::areEventsSuspended() ? " suspended" : ""));
    return hookAnswer;
}

int reportingHook(int, const std::string&) {
    rt::reportRuntimeError("inner", 0);
}

TEST(RuntimeErrorReport, HookSeesTheErrorWithEventsSuspended) {
    TempDir dir;
    markerPath() = dir.file("hook");
    hookAnswer = 1;
    EXPECT_EQ(reportInChild([] {
                  rt::setErrorHook(recordingHook);
                  rt::reportRuntimeError(rt::RuntimeErrorCode::NotANumber);
              }),
              "");
    EXPECT_EQ(readWholeFile(markerPath()), "2 未得到所需要的数值型数据 suspended");

    hookAnswer = 0;
    EXPECT_EQ(reportInChild([] {
                  rt::setErrorHook(recordingHook);
                  rt::reportRuntimeError(rt::RuntimeErrorCode::NotANumber);
              }),
              rt::composeRuntimeErrorText("未得到所需要的数值型数据", 2));
}

TEST(RuntimeErrorReport, HookIsNeverReentered) {
    // A report from inside the hook goes straight to the box and ends the process.
    EXPECT_EQ(reportInChild([] {
                  rt::setErrorHook(reportingHook);
                  rt::reportRuntimeError("outer", 0);
              }),
              rt::composeRuntimeErrorText("inner", 0));
}

TEST(EventSuspension, CountsNestedSuspensions) {
    EXPECT_FALSE(rt::areEventsSuspended());
    rt::suspendEvents();
    rt::suspendEvents();
    rt::resumeEvents();
    EXPECT_TRUE(rt::areEventsSuspended());
    rt::resumeEvents();
    EXPECT_FALSE(rt::areEventsSuspended());
    rt::resumeEvents();
    EXPECT_FALSE(rt::areEventsSuspended());
}

}  // namespace
