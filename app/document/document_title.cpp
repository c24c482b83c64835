#include "app/document/document_title.h"

#include "app/document/title_texts.h"
#include "app/state/app_state.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"

namespace app {
namespace {

constexpr int32_t kCaption = rt::kFirstOwnProperty + rt::window_property::Caption;

rt::UnitAccess mainWindow() { return rt::UnitAccess(window_id::MainWindow, 0); }

}  // namespace

void composeTitle() { mainWindow().setText(kCaption, applicationTitle() + "——" + appState().documentName); }

void appendStartUpCaptionText() {
    rt::UnitAccess window = mainWindow();
    window.setText(kCaption, window.text(kCaption) + "    " + startUpCaptionText());
}

}  // namespace app
