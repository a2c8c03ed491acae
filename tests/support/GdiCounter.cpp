#include "tests/support/GdiCounter.h"

#include <cstring>
#include <set>
#include <string>

namespace harness {

namespace {

struct State {
    size_t created = 0;
    std::set<HANDLE> alive;
    int dcs = 0;
} g;

// Replaces the program's import of dll!name; answers the previous address.
void* Patch(const char* dll, const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (_stricmp(reinterpret_cast<char*>(base + imp->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), name) != 0) continue;
            DWORD old;
            VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
            return previous;
        }
    }
    return nullptr;
}

// The system's own function, past the replaced import.
template <class F>
F Real(F, const char* dll, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(dll), name)));
}
#define REAL(dll, fn) Real(&fn, dll, #fn)

template <class H>
H Made(H h) {
    if (h) {
        ++g.created;
        g.alive.insert(h);
    }
    return h;
}

HBRUSH WINAPI MyCreateSolidBrush(COLORREF c) { return Made(REAL("gdi32.dll", CreateSolidBrush)(c)); }
HBRUSH WINAPI MyCreateBrushIndirect(const LOGBRUSH* b) { return Made(REAL("gdi32.dll", CreateBrushIndirect)(b)); }
HPEN WINAPI MyCreatePen(int s, int w, COLORREF c) { return Made(REAL("gdi32.dll", CreatePen)(s, w, c)); }
HFONT WINAPI MyCreateFontIndirectA(const LOGFONTA* f) { return Made(REAL("gdi32.dll", CreateFontIndirectA)(f)); }
HFONT WINAPI MyCreateFontA(int h, int w, int e, int o, int wt, DWORD i, DWORD u, DWORD s, DWORD cs, DWORD op,
                           DWORD cp, DWORD q, DWORD pf, LPCSTR face) {
    return Made(REAL("gdi32.dll", CreateFontA)(h, w, e, o, wt, i, u, s, cs, op, cp, q, pf, face));
}
HRGN WINAPI MyCreateRectRgn(int l, int t, int r, int b) { return Made(REAL("gdi32.dll", CreateRectRgn)(l, t, r, b)); }
HRGN WINAPI MyCreateRectRgnIndirect(const RECT* r) { return Made(REAL("gdi32.dll", CreateRectRgnIndirect)(r)); }
HDC WINAPI MyCreateCompatibleDC(HDC dc) { return Made(REAL("gdi32.dll", CreateCompatibleDC)(dc)); }
HBITMAP WINAPI MyCreateCompatibleBitmap(HDC dc, int w, int h) { return Made(REAL("gdi32.dll", CreateCompatibleBitmap)(dc, w, h)); }
BOOL WINAPI MyDeleteObject(HGDIOBJ h) {
    g.alive.erase(h);
    return REAL("gdi32.dll", DeleteObject)(h);
}
BOOL WINAPI MyDeleteDC(HDC h) {
    g.alive.erase(h);
    return REAL("gdi32.dll", DeleteDC)(h);
}
HDC WINAPI MyGetDC(HWND w) {
    HDC dc = REAL("user32.dll", GetDC)(w);
    if (dc) ++g.dcs;
    return dc;
}
HDC WINAPI MyGetWindowDC(HWND w) {
    HDC dc = REAL("user32.dll", GetWindowDC)(w);
    if (dc) ++g.dcs;
    return dc;
}
int WINAPI MyReleaseDC(HWND w, HDC dc) {
    int r = REAL("user32.dll", ReleaseDC)(w, dc);
    if (r) --g.dcs;
    return r;
}
HDC WINAPI MyBeginPaint(HWND w, PAINTSTRUCT* ps) {
    HDC dc = REAL("user32.dll", BeginPaint)(w, ps);
    if (dc) ++g.dcs;
    return dc;
}
BOOL WINAPI MyEndPaint(HWND w, const PAINTSTRUCT* ps) {
    --g.dcs;
    return REAL("user32.dll", EndPaint)(w, ps);
}

struct Hook {
    const char* dll;
    const char* name;
    void* replacement;
    void* original = nullptr;
};

Hook g_hooks[] = {
    {"gdi32.dll", "CreateSolidBrush", reinterpret_cast<void*>(MyCreateSolidBrush)},
    {"gdi32.dll", "CreateBrushIndirect", reinterpret_cast<void*>(MyCreateBrushIndirect)},
    {"gdi32.dll", "CreatePen", reinterpret_cast<void*>(MyCreatePen)},
    {"gdi32.dll", "CreateFontIndirectA", reinterpret_cast<void*>(MyCreateFontIndirectA)},
    {"gdi32.dll", "CreateFontA", reinterpret_cast<void*>(MyCreateFontA)},
    {"gdi32.dll", "CreateRectRgn", reinterpret_cast<void*>(MyCreateRectRgn)},
    {"gdi32.dll", "CreateRectRgnIndirect", reinterpret_cast<void*>(MyCreateRectRgnIndirect)},
    {"gdi32.dll", "CreateCompatibleDC", reinterpret_cast<void*>(MyCreateCompatibleDC)},
    {"gdi32.dll", "CreateCompatibleBitmap", reinterpret_cast<void*>(MyCreateCompatibleBitmap)},
    {"gdi32.dll", "DeleteObject", reinterpret_cast<void*>(MyDeleteObject)},
    {"gdi32.dll", "DeleteDC", reinterpret_cast<void*>(MyDeleteDC)},
    {"user32.dll", "GetDC", reinterpret_cast<void*>(MyGetDC)},
    {"user32.dll", "GetWindowDC", reinterpret_cast<void*>(MyGetWindowDC)},
    {"user32.dll", "ReleaseDC", reinterpret_cast<void*>(MyReleaseDC)},
    {"user32.dll", "BeginPaint", reinterpret_cast<void*>(MyBeginPaint)},
    {"user32.dll", "EndPaint", reinterpret_cast<void*>(MyEndPaint)},
};

}  // namespace

GdiCounter::GdiCounter() {
    g = State();
    for (Hook& h : g_hooks) h.original = Patch(h.dll, h.name, h.replacement);
}

GdiCounter::~GdiCounter() {
    for (Hook& h : g_hooks)
        if (h.original) Patch(h.dll, h.name, h.original);
}

size_t GdiCounter::Created() const { return g.created; }
std::vector<HANDLE> GdiCounter::Alive() const { return std::vector<HANDLE>(g.alive.begin(), g.alive.end()); }
int GdiCounter::DCsHeld() const { return g.dcs; }

}  // namespace harness
