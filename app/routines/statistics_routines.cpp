// The statistics menu and its pop-up twins, which run the same commands.
#include "app/routines/routine.h"
#include "app/statistics/formula_command.h"
#include "app/statistics/statistics_commands.h"

namespace app::routines {

HandlerResult sumSelection(const EventArguments&) {
    aggregateSelection(Aggregate::Sum);
    return {};
}

HandlerResult differenceSelection(const EventArguments&) {
    aggregateSelection(Aggregate::Difference);
    return {};
}

HandlerResult productSelection(const EventArguments&) {
    aggregateSelection(Aggregate::Product);
    return {};
}

HandlerResult quotientSelection(const EventArguments&) {
    aggregateSelection(Aggregate::Quotient);
    return {};
}

HandlerResult remainderSelection(const EventArguments&) {
    aggregateSelection(Aggregate::Remainder);
    return {};
}

HandlerResult addToSelection(const EventArguments&) {
    applyToSelection("加上");
    return {};
}

HandlerResult subtractFromSelection(const EventArguments&) {
    applyToSelection("减去");
    return {};
}

HandlerResult multiplySelection(const EventArguments&) {
    applyToSelection("乘以");
    return {};
}

HandlerResult divideSelection(const EventArguments&) {
    applyToSelection("除以");
    return {};
}

HandlerResult roundSelection(const EventArguments&) {
    app::roundSelection();
    return {};
}

HandlerResult popupSum(const EventArguments& arguments) { return sumSelection(arguments); }
HandlerResult popupDifference(const EventArguments& arguments) { return differenceSelection(arguments); }
HandlerResult popupProduct(const EventArguments& arguments) { return productSelection(arguments); }
HandlerResult popupQuotient(const EventArguments& arguments) { return quotientSelection(arguments); }
HandlerResult popupRemainder(const EventArguments& arguments) { return remainderSelection(arguments); }
HandlerResult popupAdd(const EventArguments& arguments) { return addToSelection(arguments); }
HandlerResult popupSubtract(const EventArguments& arguments) { return subtractFromSelection(arguments); }
HandlerResult popupMultiply(const EventArguments& arguments) { return multiplySelection(arguments); }
HandlerResult popupDivide(const EventArguments& arguments) { return divideSelection(arguments); }
HandlerResult popupRound(const EventArguments& arguments) { return roundSelection(arguments); }

HandlerResult evaluateFormulas(const EventArguments&) {
    computeFormulas();
    return {};
}

HandlerResult popupEvaluateFormulas(const EventArguments& arguments) { return evaluateFormulas(arguments); }

}  // namespace app::routines
