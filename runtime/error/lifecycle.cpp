#include "runtime/error/lifecycle.h"

#include <cstdio>
#include <cstdlib>

namespace rt {
namespace {
ExitRoutine exitRoutine = nullptr;
bool exitRoutineRan = false;
}  // namespace

void registerExitRoutine(ExitRoutine routine) { exitRoutine = routine; }

void forgetExitRoutine() { exitRoutine = nullptr; }

void runExitRoutineOnce() {
    if (exitRoutineRan || !exitRoutine) return;
    exitRoutineRan = true;
    exitRoutine();
}

void endProcess(int exitCode) {
    runExitRoutineOnce();
    std::fflush(nullptr);
    // Static destructors are skipped on purpose: after a runtime error the state they
    // would tear down may be half-built, and the platform reclaims everything anyway.
    std::_Exit(exitCode);
}

}  // namespace rt
