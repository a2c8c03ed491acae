#include "tools/bench/PlainWindow.h"

namespace bench {

HWND ShowPlainWindow(const char* className, const char* title) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, wc.hInstance,
                             nullptr);
    ShowWindow(w, SW_SHOWNORMAL);
    return w;
}

}  // namespace bench
