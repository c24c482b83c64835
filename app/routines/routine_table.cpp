#include "app/routines/routine_table.h"

#include "app/routines/routine.h"

namespace app {
namespace {

#define ROUTINE(name) &routines::name,
const rt::ApplicationRoutine kRoutines[] = {
#include "routine_names.inc"
};
#undef ROUTINE

#define ROUTINE(name) #name,
const char* const kRoutineNames[] = {
#include "routine_names.inc"
};
#undef ROUTINE

}  // namespace

std::span<const rt::ApplicationRoutine> applicationRoutines() { return kRoutines; }
std::span<const char* const> applicationRoutineNames() { return kRoutineNames; }

}  // namespace app
