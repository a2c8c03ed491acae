#include "tests/support/Waits.h"

#include <gtest/gtest.h>

#include "tests/support/ControlProbes.h"

namespace harness {

namespace {

void FailWait(const std::string& what, DWORD timeoutMs, const char* file, int line) {
    GTEST_MESSAGE_AT_(file, line, (what + " did not come within " + std::to_string(timeoutMs) + " ms").c_str(),
                      ::testing::TestPartResult::kNonFatalFailure);
}

// The deadline of the menu loop now running on this thread, read by its timer.
bool g_menuEnded = false;

void CALLBACK EndMenuAtDeadline(HWND, UINT, UINT_PTR, DWORD) {
    g_menuEnded = true;
    EndMenu();
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what, WaitMode mode,
               const char* file, int line) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) break;
        if (mode == WaitMode::Pump) PumpMessages(10);
        else Sleep(10);
    }
    if (done()) return true;
    FailWait(what, timeoutMs, file, line);
    return false;
}

bool WaitForMenuToEnd(const std::function<void()>& call, DWORD timeoutMs, const std::string& what, const char* file,
                      int line) {
    g_menuEnded = false;
    // A thread timer: the menu's loop handles this thread's timer messages while it runs.
    UINT_PTR timer = SetTimer(nullptr, 0, timeoutMs, EndMenuAtDeadline);
    call();
    KillTimer(nullptr, timer);
    if (!g_menuEnded) return true;
    g_menuEnded = false;
    FailWait(what, timeoutMs, file, line);
    return false;
}

}  // namespace harness
