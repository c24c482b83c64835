// The format menu and its dialogs.
#include "app/routines/routine.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app::routines {

HandlerResult openCellProperties(const EventArguments&) {
    rt::loadWindow(window_id::CellPropertiesDialog, 0, true);
    return {};
}

HandlerResult openInsertTime(const EventArguments&) {
    rt::loadWindow(window_id::InsertTimeDialog, 0, true);
    return {};
}

HandlerResult popupCellProperties(const EventArguments&) {
    rt::loadWindow(window_id::CellPropertiesDialog, 0, true);
    return {};
}

// The work of these arrives with the cell formatting commands; until then they run and do nothing.
HandlerResult insertPicture(const EventArguments&) { return {}; }
HandlerResult pictureStretch(const EventArguments&) { return {}; }
HandlerResult pictureCentre(const EventArguments&) { return {}; }
HandlerResult pictureScaleCentre(const EventArguments&) { return {}; }
HandlerResult pictureTile(const EventArguments&) { return {}; }
HandlerResult pictureScaleTile(const EventArguments&) { return {}; }
HandlerResult alignMiddleLeft(const EventArguments&) { return {}; }
HandlerResult alignMiddleRight(const EventArguments&) { return {}; }
HandlerResult alignCentre(const EventArguments&) { return {}; }
HandlerResult alignTopLeft(const EventArguments&) { return {}; }
HandlerResult alignTopCentre(const EventArguments&) { return {}; }
HandlerResult alignTopRight(const EventArguments&) { return {}; }
HandlerResult alignBottomLeft(const EventArguments&) { return {}; }
HandlerResult alignBottomCentre(const EventArguments&) { return {}; }
HandlerResult alignBottomRight(const EventArguments&) { return {}; }
HandlerResult drawLeftLine(const EventArguments&) { return {}; }
HandlerResult drawTopLine(const EventArguments&) { return {}; }
HandlerResult drawRightLine(const EventArguments&) { return {}; }
HandlerResult drawBottomLine(const EventArguments&) { return {}; }
HandlerResult drawBoxLines(const EventArguments&) { return {}; }
HandlerResult drawSingleDiagonal(const EventArguments&) { return {}; }
HandlerResult drawDoubleDiagonal(const EventArguments&) { return {}; }
HandlerResult drawCrossLines(const EventArguments&) { return {}; }
HandlerResult eraseLeftLine(const EventArguments&) { return {}; }
HandlerResult eraseTopLine(const EventArguments&) { return {}; }
HandlerResult eraseRightLine(const EventArguments&) { return {}; }
HandlerResult eraseBottomLine(const EventArguments&) { return {}; }
HandlerResult eraseBoxLines(const EventArguments&) { return {}; }
HandlerResult eraseSingleDiagonal(const EventArguments&) { return {}; }
HandlerResult eraseDoubleDiagonal(const EventArguments&) { return {}; }
HandlerResult eraseCrossLines(const EventArguments&) { return {}; }
HandlerResult inputNormal(const EventArguments&) { return {}; }
HandlerResult inputByte(const EventArguments&) { return {}; }
HandlerResult inputShort(const EventArguments&) { return {}; }
HandlerResult inputInteger(const EventArguments&) { return {}; }
HandlerResult inputLong(const EventArguments&) { return {}; }
HandlerResult inputFloat(const EventArguments&) { return {}; }
HandlerResult inputDouble(const EventArguments&) { return {}; }
HandlerResult inputLogical(const EventArguments&) { return {}; }
HandlerResult inputDateTime(const EventArguments&) { return {}; }

}  // namespace app::routines
