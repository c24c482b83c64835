// The tools and help menus and their windows.
#include "app/routines/routine.h"
#include "app/tools/about_texts.h"
#include "app/tools/system_tools.h"
#include "app/units/dialog_unit.h"
#include "app/window_ids.h"
#include "program_version.h"
#include "runtime/dll/dll_calls.h"
#include "runtime/window/unit_access.h"

namespace app::routines {
namespace {

constexpr uint32_t kAbout = window_id::AboutDialog;
constexpr uint32_t kHelp = window_id::HelpDialog;

}  // namespace

HandlerResult openHelp(const EventArguments&) {
    rt::loadWindow(kHelp, 0, true);
    return {};
}

HandlerResult openAbout(const EventArguments&) {
    rt::loadWindow(kAbout, 0, true);
    return {};
}

HandlerResult openCalculator(const EventArguments&) {
    runSystemTool("calc");
    return {};
}

HandlerResult openNotepad(const EventArguments&) {
    runSystemTool("NOTEPAD");
    return {};
}

HandlerResult aboutCreated(const EventArguments&) {
    DialogUnit(kAbout, "标签_版本").setText("版本：" + std::string(kProgramVersion));
    DialogUnit(kAbout, "链接框_QQ").setText(contactLinkText());
    DialogUnit(kAbout, "标签2").setText(contactText());
    DialogUnit(kAbout, "链接框_主页").setText("主页：" + homePageAddress());
    return {};
}

HandlerResult openHomePage(const EventArguments&) {
    rt::dll::shellOpen(homePageAddress());
    return {};
}

HandlerResult openContactLink(const EventArguments&) {
    rt::dll::shellOpen(contactLinkTarget());
    return {};
}

HandlerResult aboutClose(const EventArguments&) {
    rt::destroyWindow(kAbout);
    return {};
}

HandlerResult helpClose(const EventArguments&) {
    rt::destroyWindow(kHelp);
    return {};
}

// The lessons' address is the link's own target, set in its interface file.
HandlerResult openLessonsLink(const EventArguments&) {
    rt::dll::shellOpen(DialogUnit(kHelp, "超级链接框1").linkTarget());
    return {};
}

}  // namespace app::routines
