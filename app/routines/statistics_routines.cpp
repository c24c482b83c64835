// The statistics menu and its pop-up twins.
#include "app/routines/routine.h"
#include "app/statistics/formula_command.h"

namespace app::routines {

// The work of these arrives with statistics, batch arithmetic and formulas; until then they run and do nothing.
HandlerResult sumSelection(const EventArguments&) { return {}; }
HandlerResult differenceSelection(const EventArguments&) { return {}; }
HandlerResult productSelection(const EventArguments&) { return {}; }
HandlerResult quotientSelection(const EventArguments&) { return {}; }
HandlerResult remainderSelection(const EventArguments&) { return {}; }
HandlerResult addToSelection(const EventArguments&) { return {}; }
HandlerResult subtractFromSelection(const EventArguments&) { return {}; }
HandlerResult multiplySelection(const EventArguments&) { return {}; }
HandlerResult divideSelection(const EventArguments&) { return {}; }
HandlerResult roundSelection(const EventArguments&) { return {}; }
HandlerResult popupSum(const EventArguments&) { return {}; }
HandlerResult popupDifference(const EventArguments&) { return {}; }
HandlerResult popupProduct(const EventArguments&) { return {}; }
HandlerResult popupQuotient(const EventArguments&) { return {}; }
HandlerResult popupRemainder(const EventArguments&) { return {}; }
HandlerResult popupAdd(const EventArguments&) { return {}; }
HandlerResult popupSubtract(const EventArguments&) { return {}; }
HandlerResult popupMultiply(const EventArguments&) { return {}; }
HandlerResult popupDivide(const EventArguments&) { return {}; }
HandlerResult popupRound(const EventArguments&) { return {}; }

HandlerResult evaluateFormulas(const EventArguments&) {
    computeFormulas();
    return {};
}

HandlerResult popupEvaluateFormulas(const EventArguments& arguments) { return evaluateFormulas(arguments); }

}  // namespace app::routines
