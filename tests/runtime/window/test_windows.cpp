#include "tests/runtime/window/test_windows.h"

#include <QApplication>
#include <array>
#include <utility>

#include "runtime/window/loaded_window.h"
#include "runtime/window/units/standard_units.h"

namespace {

std::vector<std::string> routineNamesInUse;

template <size_t Index>
rt::HandlerResult recordingRoutine(const rt::EventArguments& arguments) {
    RoutineCall call{routineNamesInUse.at(Index), {}, rt::WindowRuntime::instance().currentEventSource()};
    for (int i = 0; i < arguments.count; ++i) call.arguments.push_back(arguments[i]);
    routineCalls().push_back(call);
    if (call.name == "answer" && nextAnswer()) return rt::HandlerResult::of(*nextAnswer());
    return {};
}

template <size_t... Indexes>
constexpr std::array<rt::ApplicationRoutine, sizeof...(Indexes)> routinesFor(std::index_sequence<Indexes...>) {
    return {recordingRoutine<Indexes>...};
}

const auto kRecordingRoutines = routinesFor(std::make_index_sequence<16>());

}  // namespace

std::vector<RoutineCall>& routineCalls() {
    static std::vector<RoutineCall> calls;
    return calls;
}

std::optional<int32_t>& nextAnswer() {
    static std::optional<int32_t> answer;
    return answer;
}

void useInterfaceText(std::u8string_view text) {
    rt::registerStandardUnitKinds();
    uic::InterfaceFileParser parser;
    ASSERT_TRUE(parser.parse("test.ui.txt", std::string_view(reinterpret_cast<const char*>(text.data()), text.size())))
        << parser.error();
    ASSERT_LE(parser.routineNames().size(), kRecordingRoutines.size());
    routineNamesInUse = parser.routineNames();
    std::vector<const char*> names;
    for (const std::string& name : routineNamesInUse) names.push_back(name.c_str());
    std::vector<uint8_t> segment = rt::writeTemplateSegment({parser.windows()});
    rt::WindowRuntime::instance().initialise(
        segment, std::span(kRecordingRoutines.data(), routineNamesInUse.size()), names);
    routineCalls().clear();
    nextAnswer().reset();
}

void destroyLoadedWindows() {
    for (const rt::WindowTemplate& window : rt::WindowRuntime::instance().templates().windows) {
        rt::WindowRuntime::instance().destroyWindow(window.id);
    }
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
