#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rt::dll {

// Typed calls of the application's declared DLL commands. Each goes through the
// declared command table, so resolution and the argument-count check happen exactly
// as for any other declared call.

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// "open" of a program name, a document or an address; true when something started.
bool shellOpen(std::string_view file);
ScreenPoint cursorPosition();
// The colour dialog; the chosen colour as 0x00BBGGRR, nothing when cancelled.
std::optional<uint32_t> chooseColor(uint32_t ownerWindow, uint32_t initialColor);
bool setForegroundWindow(uint32_t window);
// A null class or title matches any; 0 when nothing matches.
uint32_t findWindowAfter(uint32_t parent, uint32_t after, const char* className, const char* title);
uint32_t findWindow(const char* className, const char* title);
std::string windowText(uint32_t window);
std::optional<ScreenRect> windowRect(uint32_t window);
bool moveWindow(uint32_t window, const ScreenRect& frame);
// Decimal, or hexadecimal after "0x" when allowed; nothing when no digit was read.
std::optional<int64_t> stringToInt64(std::string_view text, bool allowHexadecimal);

}  // namespace rt::dll
