#include "runtime/window/virtual_keys.h"

#include <Qt>
#include <map>

namespace rt {

int32_t virtualKeyOf(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // the same codes
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
    static const std::map<int, int32_t> keys = {
        {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},      {Qt::Key_Backtab, 0x09},  {Qt::Key_Return, 0x0D},
        {Qt::Key_Enter, 0x0D},     {Qt::Key_Shift, 0x10},    {Qt::Key_Control, 0x11}, {Qt::Key_Alt, 0x12},
        {Qt::Key_Pause, 0x13},     {Qt::Key_CapsLock, 0x14}, {Qt::Key_Escape, 0x1B},  {Qt::Key_Space, 0x20},
        {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},     {Qt::Key_Home, 0x24},
        {Qt::Key_Left, 0x25},      {Qt::Key_Up, 0x26},       {Qt::Key_Right, 0x27},   {Qt::Key_Down, 0x28},
        {Qt::Key_Print, 0x2C},     {Qt::Key_Insert, 0x2D},   {Qt::Key_Delete, 0x2E},  {Qt::Key_Menu, 0x5D},
        {Qt::Key_NumLock, 0x90},   {Qt::Key_ScrollLock, 0x91}, {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Equal, 0xBB},
        {Qt::Key_Plus, 0xBB},      {Qt::Key_Comma, 0xBC},    {Qt::Key_Minus, 0xBD},   {Qt::Key_Period, 0xBE},
        {Qt::Key_Slash, 0xBF},     {Qt::Key_QuoteLeft, 0xC0}, {Qt::Key_BracketLeft, 0xDB},
        {Qt::Key_Backslash, 0xDC}, {Qt::Key_BracketRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},
    };
    auto found = keys.find(qtKey);
    return found == keys.end() ? 0 : found->second;
}

int32_t keyStateOf(unsigned qtModifiers) {
    int32_t state = 0;
    if (qtModifiers & Qt::ControlModifier) state |= 1;
    if (qtModifiers & Qt::ShiftModifier) state |= 2;
    if (qtModifiers & Qt::AltModifier) state |= 4;
    return state;
}

}  // namespace rt
