#include "app/units/status_bar_ref.h"

#include "app/window_ids.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app {

namespace {

constexpr int32_t kMessagePane = 2;

void showInMessagePane(const std::string& text) {
    rt::UnitAccess(window_id::MainWindow, main_unit::StatusBar).setText(rt::kFirstOwnProperty, text, kMessagePane);
}

}  // namespace

void showFileStatus(const std::string& text) { showInMessagePane(text); }
void showFindStatus(const std::string& text) { showInMessagePane(text); }

}  // namespace app
