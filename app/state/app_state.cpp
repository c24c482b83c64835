#include "app/state/app_state.h"

#include <memory>

#include "runtime/error/lifecycle.h"

namespace app {
namespace {

std::unique_ptr<AppState> state;

void freeAppState() { state.reset(); }

}  // namespace

void createAppState() {
    state = std::make_unique<AppState>();
    rt::registerExitRoutine(freeAppState);
}

AppState& appState() {
    if (!state) createAppState();
    return *state;
}

}  // namespace app
