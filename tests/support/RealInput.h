// Keys and clicks as a candidate makes them: real input through the system's input queue,
// delivered to whichever window is in front and holds the focus, with the keyboard state
// (Shift held, for instance) that the receiving program reads.
#pragma once
#include <windows.h>
#include <string>

namespace harness {

// One key pressed and released; with shift, Shift is held around it.
void PressKey(WORD vk, bool shift = false);
// Letters, digits and blanks, typed one key at a time.
void TypeKeys(const std::string& text);
// A left (or right) click at a point of the window's client area: the pointer moves there,
// presses and releases.
void RealClick(HWND hwnd, int x, int y, bool right = false);

}  // namespace harness
