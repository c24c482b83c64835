#include "app/tools/system_tools.h"

#include <string>

#include "runtime/dll/dll_calls.h"
#include "runtime/dll/shell_target.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/window/message_box.h"

namespace app {
namespace {

// The menu's names of the programs, for the message.
std::string toolName(std::string_view program) {
    if (program == "calc") return "计算器";
    if (program == "NOTEPAD") return "记事本";
    return std::string(program);
}

}  // namespace

void runSystemTool(std::string_view program) {
    if (rt::dll::shellOpen(program)) return;
    QStringList tried = rt::programCandidatesFor(rt::fromGbk(program));
    std::string text = "无法启动" + toolName(program) + "：这台电脑上没有找到可用的程序。\n试过：" +
                       rt::toGbk(tried.join(QStringLiteral("、")));
    rt::showMessageBox(text, rt::message_box::Ok | rt::message_box::ExclamationIcon, toolName(program));
}

}  // namespace app
