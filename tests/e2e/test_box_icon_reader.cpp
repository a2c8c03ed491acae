// The harness's message box icon reader: each standard icon told apart, and a box that
// paints late waited for rather than misread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/support/BoxIcon.h"
#include "tests/support/Waits.h"

using harness::BoxIcon;

namespace {

const char* const kCaption = "Box icon reader";
const DWORD kPaintDelayMs = 600;

WNDPROC originalStaticProc = nullptr;

// The icon control holds its first paint back, as a box on a busy machine does.
LRESULT CALLBACK LateStatic(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT && !GetPropA(hwnd, "painted")) {
        SetPropA(hwnd, "painted", reinterpret_cast<HANDLE>(1));
        Sleep(kPaintDelayMs);
    }
    if (msg == WM_NCDESTROY) RemovePropA(hwnd, "painted");
    return CallWindowProcA(originalStaticProc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK SlowIconControls(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs;
        char cls[16] = "";
        GetClassNameA(reinterpret_cast<HWND>(wp), cls, sizeof cls);
        if (std::string(cls) == "Static" && (cs->style & SS_TYPEMASK) == SS_ICON) {
            HWND h = reinterpret_cast<HWND>(wp);
            originalStaticProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LateStatic)));
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

HWND WaitForBox() {
    HWND h = nullptr;
    harness::WaitUntil([&] { return (h = FindWindowA("#32770", kCaption)) != nullptr && IsWindowVisible(h); },
                       harness::kWindowWaitMs, "the box");
    return h && IsWindowVisible(h) ? h : nullptr;
}

}  // namespace

TEST(BoxIconReader, TellsEachStandardIconOnceABoxThatPaintsLateHasPaintedIt) {
    const struct { UINT flag; BoxIcon kind; } boxes[] = {
        {MB_ICONHAND, BoxIcon::Hand},               {MB_ICONQUESTION, BoxIcon::Question},
        {MB_ICONEXCLAMATION, BoxIcon::Exclamation}, {MB_ICONASTERISK, BoxIcon::Information},
        {0, BoxIcon::None}};
    for (const auto& b : boxes) {
        std::atomic<DWORD> showerId{0};
        std::thread shower([&] {
            showerId = GetCurrentThreadId();
            HHOOK hook = SetWindowsHookExA(WH_CBT, &SlowIconControls, nullptr, GetCurrentThreadId());
            MessageBoxA(nullptr, "text", kCaption, MB_OK | b.flag);
            UnhookWindowsHookEx(hook);
        });
        HWND box = WaitForBox();
        EXPECT_NE(box, nullptr);
        if (box) {
            DWORD start = GetTickCount();
            EXPECT_EQ(harness::ReadBoxIcon(box), b.kind) << "flag " << b.flag;
            if (b.kind != BoxIcon::None) {
                EXPECT_GE(GetTickCount() - start, kPaintDelayMs / 2) << "read before the icon was painted";
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        } else {
            // A box that comes later ends at once rather than holding the join.
            while (!showerId) Sleep(1);
            PostThreadMessageA(showerId, WM_QUIT, 0, 0);
        }
        shower.join();
    }
}
