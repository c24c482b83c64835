#pragma once

namespace rt {

using ExitRoutine = void (*)();

// The application's exit routine: called once when the process ends normally,
// before the runtime's own clean-up; never after a runtime error.
void registerExitRoutine(ExitRoutine routine);
void forgetExitRoutine();
// Runs the registered routine unless it already ran; later calls do nothing.
void runExitRoutineOnce();

// Runs the clean-up (the exit routine, when one is still registered) and ends the
// process with the given code; -1 becomes the exit status 255.
[[noreturn]] void endProcess(int exitCode);

}  // namespace rt
