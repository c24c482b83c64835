// The format menu and its dialogs.
#include "app/edit/format_commands.h"
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

// Codes: alignments 1-9, picture display 10-14, line bits, input types 0-8.
HandlerResult insertPicture(const EventArguments&) {
    insertPictureFromFile();
    return {};
}

HandlerResult pictureStretch(const EventArguments&) {
    showPicturesAs(10);
    return {};
}

HandlerResult pictureCentre(const EventArguments&) {
    showPicturesAs(11);
    return {};
}

HandlerResult pictureScaleCentre(const EventArguments&) {
    showPicturesAs(12);
    return {};
}

HandlerResult pictureTile(const EventArguments&) {
    showPicturesAs(13);
    return {};
}

HandlerResult pictureScaleTile(const EventArguments&) {
    showPicturesAs(14);
    return {};
}

HandlerResult alignMiddleLeft(const EventArguments&) {
    alignSelection(4);
    return {};
}

HandlerResult alignMiddleRight(const EventArguments&) {
    alignSelection(6);
    return {};
}

HandlerResult alignCentre(const EventArguments&) {
    alignSelection(5);
    return {};
}

HandlerResult alignTopLeft(const EventArguments&) {
    alignSelection(1);
    return {};
}

HandlerResult alignTopCentre(const EventArguments&) {
    alignSelection(2);
    return {};
}

HandlerResult alignTopRight(const EventArguments&) {
    alignSelection(3);
    return {};
}

HandlerResult alignBottomLeft(const EventArguments&) {
    alignSelection(7);
    return {};
}

HandlerResult alignBottomCentre(const EventArguments&) {
    alignSelection(8);
    return {};
}

HandlerResult alignBottomRight(const EventArguments&) {
    alignSelection(9);
    return {};
}

HandlerResult drawLeftLine(const EventArguments&) {
    drawSelectionLines(1);
    return {};
}

HandlerResult drawTopLine(const EventArguments&) {
    drawSelectionLines(2);
    return {};
}

HandlerResult drawRightLine(const EventArguments&) {
    drawSelectionLines(4);
    return {};
}

HandlerResult drawBottomLine(const EventArguments&) {
    drawSelectionLines(8);
    return {};
}

HandlerResult drawBoxLines(const EventArguments&) {
    drawSelectionLines(15);
    return {};
}

HandlerResult drawSingleDiagonal(const EventArguments&) {
    drawSelectionLines(64);
    return {};
}

HandlerResult drawDoubleDiagonal(const EventArguments&) {
    drawSelectionLines(128);
    return {};
}

HandlerResult drawCrossLines(const EventArguments&) {
    drawSelectionLines(256);
    return {};
}

// Every edge of every cell of the selection, outer and inner: a form ruled in one step.
HandlerResult drawAllLines(const EventArguments&) {
    drawSelectionLines(kAllEdges);
    return {};
}

HandlerResult eraseAllLines(const EventArguments&) {
    eraseSelectionLines(kAllEdges);
    return {};
}

HandlerResult eraseLeftLine(const EventArguments&) {
    eraseSelectionLines(1);
    return {};
}

HandlerResult eraseTopLine(const EventArguments&) {
    eraseSelectionLines(2);
    return {};
}

HandlerResult eraseRightLine(const EventArguments&) {
    eraseSelectionLines(4);
    return {};
}

HandlerResult eraseBottomLine(const EventArguments&) {
    eraseSelectionLines(8);
    return {};
}

HandlerResult eraseBoxLines(const EventArguments&) {
    eraseSelectionLines(15);
    return {};
}

HandlerResult eraseSingleDiagonal(const EventArguments&) {
    eraseSelectionLines(64);
    return {};
}

HandlerResult eraseDoubleDiagonal(const EventArguments&) {
    eraseSelectionLines(128);
    return {};
}

HandlerResult eraseCrossLines(const EventArguments&) {
    eraseSelectionLines(256);
    return {};
}

HandlerResult inputNormal(const EventArguments&) {
    setSelectionInputType(0);
    return {};
}

HandlerResult inputByte(const EventArguments&) {
    setSelectionInputType(1);
    return {};
}

HandlerResult inputShort(const EventArguments&) {
    setSelectionInputType(2);
    return {};
}

HandlerResult inputInteger(const EventArguments&) {
    setSelectionInputType(3);
    return {};
}

HandlerResult inputLong(const EventArguments&) {
    setSelectionInputType(4);
    return {};
}

HandlerResult inputFloat(const EventArguments&) {
    setSelectionInputType(5);
    return {};
}

HandlerResult inputDouble(const EventArguments&) {
    setSelectionInputType(6);
    return {};
}

HandlerResult inputLogical(const EventArguments&) {
    setSelectionInputType(7);
    return {};
}

HandlerResult inputDateTime(const EventArguments&) {
    setSelectionInputType(8);
    return {};
}

}  // namespace app::routines
