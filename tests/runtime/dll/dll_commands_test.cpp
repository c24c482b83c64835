#include "runtime/dll/dll_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/value/owned.h"
#include "tests/runtime/error/report_in_child.h"
#include "tests/support/qt_application.h"

namespace {

using rt::Value;

// Loads the built-in libraries only from the paths it is told to accept, and
// remembers every path it was asked for.
class RecordingLoader : public rt::DllLoader {
public:
    std::vector<std::string> accepted;
    std::vector<std::string> tried;
    std::vector<std::string> unloaded;

    const rt::DllModule* load(const std::string& path) override {
        tried.push_back(path);
        bool accept = std::find(accepted.begin(), accepted.end(), path) != accepted.end();
        return accept ? rt::findBuiltInModule(path) : nullptr;
    }
    void unload(const rt::DllModule* module) override { unloaded.push_back(module->fileName); }
};

Value parse(rt::DllCommands& commands, int index, const char* text, uint32_t flags, int64_t& result) {
    const Value arguments[] = {Value::text(text), Value::integer(static_cast<int32_t>(flags)),
                               Value::fromPointer(&result, rt::tagOf(rt::ValueType::Long))};
    return commands.call(index, 3, arguments);
}

TEST(DllCommands, SearchesConfiguredProgramAndPlatformPlacesInOrder) {
    RecordingLoader loader;
    loader.accepted = {"shlwapi"};
    rt::DllCommands commands({{"shlwapi", "StrToInt64ExA"}}, loader, "/opt/biaoge");
    commands.setConfiguredDirectories("/first", "/second/");
    int64_t result = 0;
    EXPECT_TRUE(parse(commands, 0, "77", 0, result).low);
    EXPECT_EQ(result, 77);
    EXPECT_EQ(loader.tried,
              (std::vector<std::string>{"/first/shlwapi", "/opt/biaoge/shlwapi", "/second/shlwapi", "shlwapi"}));

    // The second call neither searches nor loads again.
    EXPECT_TRUE(parse(commands, 0, "78", 0, result).low);
    EXPECT_EQ(result, 78);
    EXPECT_EQ(loader.tried.size(), 4u);
}

TEST(DllCommands, AbsoluteLibraryIsTriedAlone) {
    RecordingLoader loader;
    loader.accepted = {"/usr/lib/shlwapi.dll"};
    rt::DllCommands commands({{"/usr/lib/shlwapi.dll", "StrToInt64ExA"}}, loader, "/opt/biaoge");
    int64_t result = 0;
    parse(commands, 0, "5", 0, result);
    EXPECT_EQ(loader.tried, (std::vector<std::string>{"/usr/lib/shlwapi.dll"}));
}

TEST(DllCommands, LibraryNameWithoutExtensionFindsTheDll) {
    // "user32" and "User32.DLL" name the same library as "user32.dll".
    EXPECT_NE(rt::findBuiltInModule("user32"), nullptr);
    EXPECT_EQ(rt::findBuiltInModule("User32.DLL"), rt::findBuiltInModule("user32"));
    EXPECT_EQ(rt::findBuiltInModule("user32.so"), nullptr);
    EXPECT_EQ(rt::findBuiltInModule("C:\\windows\\system32\\shell32.dll"), rt::findBuiltInModule("shell32"));
}

TEST(DllCommands, WithoutLibraryTheSystemLibrariesAreSearched) {
    testApplication();
    RecordingLoader loader;
    loader.accepted = {"Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll", "Mpr.dll", "Shell32.dll"};
    rt::DllCommands commands({{"", "ShellExecuteA"}}, loader, "/opt/biaoge");
    const Value arguments[6] = {Value::integer(0), Value::text("nothing"), Value::text(nullptr),
                                Value::text(nullptr), Value::text(nullptr), Value::integer(1)};
    Value result = commands.call(0, 6, arguments);
    EXPECT_EQ(static_cast<int32_t>(result.low), 31);  // an unknown operation
    EXPECT_EQ(loader.tried, loader.accepted);
    EXPECT_EQ(loader.unloaded, (std::vector<std::string>{"kernel32.dll", "gdi32.dll", "user32.dll",
                                                          "advapi32.dll", "mpr.dll"}));
}

TEST(DllCommands, OrdinalsAreTakenModulo65536) {
    RecordingLoader loader;
    loader.accepted = {"shlwapi.dll"};
    rt::DllCommands commands({{"shlwapi.dll", "#1"}, {"shlwapi.dll", "#65537"}}, loader, "/opt/biaoge");
    int64_t result = 0;
    EXPECT_TRUE(parse(commands, 0, "0x10", 1, result).low);
    EXPECT_EQ(result, 16);
    EXPECT_TRUE(parse(commands, 1, "-3", 0, result).low);
    EXPECT_EQ(result, -3);
}

TEST(DllCommands, MissingFunctionsAndWrongArgumentCountsAreRuntimeErrors) {
    EXPECT_EQ(reportInChild([] {
                  rt::DllCommands commands({{"user32", "NoSuchFunction"}}, rt::builtInDllLoader(), "/opt");
                  commands.call(0, 0, nullptr);
              }),
              rt::composeRuntimeErrorText("无法找到指定DLL库文件“user32”中的输出命令“NoSuchFunction”", 0));
    EXPECT_EQ(reportInChild([] {
                  rt::DllCommands commands({{"", "NoSuchFunction"}}, rt::builtInDllLoader(), "/opt");
                  commands.call(0, 0, nullptr);
              }),
              rt::composeRuntimeErrorText("无法找到指定DLL库文件中的输出命令“NoSuchFunction”", 0));
    EXPECT_EQ(reportInChild([] {
                  rt::DllCommands commands({{"missing.dll", "StrToInt64ExA"}}, rt::builtInDllLoader(), "/opt");
                  commands.call(0, 0, nullptr);
              }),
              rt::composeRuntimeErrorText("无法找到指定DLL库文件“missing.dll”中的输出命令“StrToInt64ExA”", 0));
    EXPECT_EQ(reportInChild([] {
                  const Value oneArgument[] = {Value::text("1")};
                  rt::applicationDllCommands().call(rt::dll_command::StrToInt64Ex, 1, oneArgument);
              }),
              rt::composeRuntimeErrorText("调用DLL命令后发现堆栈错误", 6));
}

TEST(StrToInt64, DecimalAndHexadecimalForms) {
    struct Case {
        const char* text;
        uint32_t flags;
        bool converted;
        int64_t value;
    };
    const Case cases[] = {
        {"123", 0, true, 123},   {"  -42x", 0, true, -42}, {"+7", 0, true, 7},
        {"0x1F", 1, true, 31},   {"0X1f", 1, true, 31},    {"0xA", 1, true, 10},
        {"-0x10", 1, true, -16}, {"0x1F", 0, true, 0},     {"abc", 0, false, 0},
        {"", 1, false, 0},       {"0xZZ", 1, false, 0},    {"9223372036854775807", 0, true, INT64_MAX},
    };
    for (const Case& c : cases) {
        int64_t result = -1;
        Value converted = parse(rt::applicationDllCommands(), rt::dll_command::StrToInt64Ex, c.text, c.flags, result);
        EXPECT_EQ(converted.low != 0, c.converted) << c.text;
        EXPECT_EQ(result, c.value) << c.text;
    }
}

}  // namespace
