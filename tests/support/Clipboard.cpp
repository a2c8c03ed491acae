#include "tests/support/Clipboard.h"

#include <windows.h>

#include <cstring>

namespace harness {

namespace {

// The clipboard may be held for a moment by another program.
bool Open() {
    for (int i = 0; i < 100; ++i, Sleep(20))
        if (OpenClipboard(nullptr)) return true;
    return false;
}

}  // namespace

bool PutOnClipboard(const std::string& ansi) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, (static_cast<size_t>(n) + 1) * sizeof(wchar_t));
    if (!g) return false;
    auto* w = static_cast<wchar_t*>(GlobalLock(g));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), w, n);
    w[n] = L'\0';
    GlobalUnlock(g);
    if (!Open()) {
        GlobalFree(g);
        return false;
    }
    EmptyClipboard();
    bool ok = SetClipboardData(CF_UNICODETEXT, g) != nullptr;
    if (!ok) GlobalFree(g);
    CloseClipboard();
    return ok;
}

void EmptyTheClipboard() {
    if (!Open()) return;
    EmptyClipboard();
    CloseClipboard();
}

std::string ClipboardText() {
    if (!Open()) return std::string();
    std::string out;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* w = static_cast<const wchar_t*>(GlobalLock(h))) {
            int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
            if (n > 1) {
                out.resize(static_cast<size_t>(n));
                WideCharToMultiByte(CP_ACP, 0, w, -1, &out[0], n, nullptr, nullptr);
                out.resize(static_cast<size_t>(n) - 1);
            }
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return out;
}

}  // namespace harness
