// Main block of the examinee client: single-instance guard, then the application.
#include <windows.h>

#include "app/Texts.h"

using app::T;
using app::Text;

static LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    // The guard's handle is never closed: it lives as long as the process.
    CreateMutexA(nullptr, FALSE, "Frame_HW_DDR3_PPT");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxA(nullptr, T(Text::AlreadyRunning).c_str(), T(Text::NoticeCaption).c_str(), 0x40);
        ExitProcess(0);
    }

    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DLIGHT + 1);
    wc.lpszClassName = "TFrmLogin";
    RegisterClassA(&wc);
    HWND main = CreateWindowA("TFrmLogin", T(Text::AppTitle).c_str(),
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              CW_USEDEFAULT, CW_USEDEFAULT, 527, 371, nullptr, nullptr, instance, nullptr);
    ShowWindow(main, show);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    ExitProcess(0);
}
