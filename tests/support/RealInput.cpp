#include "tests/support/RealInput.h"

#include <cctype>

namespace harness {

namespace {
// Each event is given a moment, as between a candidate's key strokes.
void Send(INPUT in) {
    SendInput(1, &in, sizeof in);
    Sleep(10);
}

void Key(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    Send(in);
}

void Mouse(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = x;
    in.mi.dy = y;
    in.mi.dwFlags = flags;
    Send(in);
}
}  // namespace

void PressKey(WORD vk, bool shift) {
    if (shift) Key(VK_SHIFT, false);
    Key(vk, false);
    Key(vk, true);
    if (shift) Key(VK_SHIFT, true);
}

void TypeKeys(const std::string& text) {
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalpha(u)) PressKey(static_cast<WORD>(std::toupper(u)), std::isupper(u) != 0);
        else if (std::isdigit(u) || u == ' ') PressKey(u);
    }
}

void RealClick(HWND hwnd, int x, int y, bool right) {
    POINT p = {x, y};
    ClientToScreen(hwnd, &p);
    SetCursorPos(p.x, p.y);
    Mouse(MOUSEEVENTF_MOVE);  // a move of nothing: the window under the pointer hears of it
    Mouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    Mouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

}  // namespace harness
