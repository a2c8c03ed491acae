// The baseline of the benchmarks: the least a Win32 program does to put one window on the
// screen (register a class, create, show, paint, run the message loop). It is shaped like
// the login form (same client size, centred) so that the two starts compare like for like.
//
// Options add, one layer at a time, the platform work the client does before its first
// window, so that the start-up cost of each layer can be measured apart from the client:
//   --dlls    load the system libraries the client links to (sockets, NetBIOS, COM, OLE)
//   --com     open a display context on the screen and initialise COM for this thread
//   --comctl  load the common controls library, ask its version and free it again
// and one that puts a plain rich-edit window where the login form has its ticket field,
// for the typing case:
//   --richedit  load the RichEdit 2.0 library and add a single-line "RichEdit20A" child in
//               plain-text mode, with the login form's font, holding the keyboard focus once
//               the window is shown (as the login form's first field does)
#include <windows.h>
#include <richedit.h>
#include <shlwapi.h>

#include <cstring>
#include <initializer_list>

namespace {

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_3DLIGHT));
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Whether the command line holds the option as a word of its own.
bool HasOption(const char* cmdLine, const char* option) {
    const size_t n = std::strlen(option);
    for (const char* at = cmdLine; at && (at = std::strstr(at, option)); at += n) {
        const bool starts = at == cmdLine || at[-1] == ' ';
        const bool ends = at[n] == '\0' || at[n] == ' ';
        if (starts && ends) return true;
    }
    return false;
}

void PlatformLayers(const char* cmdLine) {
    if (HasOption(cmdLine, "--dlls"))
        for (const char* dll : {"ws2_32.dll", "netapi32.dll", "ole32.dll", "oleaut32.dll"}) LoadLibraryA(dll);
    if (HasOption(cmdLine, "--com")) {
        HDC dc = GetDC(nullptr);
        ReleaseDC(nullptr, dc);
        // Reached by name so that the plain baseline does not load the COM library at all.
        using CoInitializeFn = HRESULT(WINAPI*)(void*);
        if (HMODULE ole = LoadLibraryA("ole32.dll")) {
            void* init = reinterpret_cast<void*>(GetProcAddress(ole, "CoInitialize"));
            if (init) reinterpret_cast<CoInitializeFn>(init)(nullptr);
        }
    }
    if (HasOption(cmdLine, "--comctl")) {
        if (HMODULE lib = LoadLibraryA("comctl32.dll")) {
            auto getVersion =
                reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(lib, "DllGetVersion")));
            DLLVERSIONINFO info = {};
            info.cbSize = sizeof info;
            if (getVersion) getVersion(&info);
            FreeLibrary(lib);
        }
    }
}

// At the ticket field's place and size on the login form.
HWND AddRichEdit(HWND parent, HINSTANCE inst) {
    if (!LoadLibraryA("RICHED20.DLL")) return nullptr;
    HWND edit = CreateWindowExA(0, "RichEdit20A", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                                232, 136, 161, 21, parent, nullptr, inst, nullptr);
    if (!edit) return nullptr;
    SendMessageA(edit, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return edit;
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR cmdLine, int show) {
    PlatformLayers(cmdLine);
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "BenchMinimalWindow";
    if (!RegisterClassA(&wc)) return 1;

    const DWORD style = WS_CAPTION | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT r = {0, 0, 521, 342};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "minimal", style, x, y, w, h, nullptr, nullptr, inst, nullptr);
    if (!hwnd) return 1;
    HWND edit = HasOption(cmdLine, "--richedit") ? AddRichEdit(hwnd, inst) : nullptr;
    ShowWindow(hwnd, show == SW_HIDE ? SW_SHOWNORMAL : show);
    UpdateWindow(hwnd);
    if (edit) SetFocus(edit);

    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
