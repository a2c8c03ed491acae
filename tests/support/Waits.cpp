#include "tests/support/Waits.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <utility>

#include "framework/Forms.h"

namespace harness {

namespace {

void FailWait(const std::string& what, DWORD timeoutMs, const char* file, int line) {
    FailAt(what + " did not come within " + std::to_string(timeoutMs) + " ms", file, line);
}

std::string MessageName(UINT msg) {
    static const std::map<UINT, const char*> names = {
        {WM_NULL, "WM_NULL"},       {WM_PAINT, "WM_PAINT"},         {WM_TIMER, "WM_TIMER"},
        {WM_QUIT, "WM_QUIT"},       {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},       {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_SYSKEYUP, "WM_SYSKEYUP"}};
    auto it = names.find(msg);
    if (it != names.end()) return it->second;
    char buf[32];
    if (msg >= WM_APP) snprintf(buf, sizeof buf, "WM_APP+%u", msg - WM_APP);
    else if (msg >= WM_USER) snprintf(buf, sizeof buf, "WM_USER+%u", msg - WM_USER);
    else snprintf(buf, sizeof buf, "message 0x%04X", msg);
    return buf;
}

// The messages taken off the queue while it would not empty, by message and window class:
// the one that came most often is what kept the queue from settling.
class QueueTally {
public:
    void Add(const MSG& m) {
        char cls[256] = "";
        if (m.hwnd) GetClassNameA(m.hwnd, cls, sizeof cls);
        ++counts_[{m.message, cls}];
    }
    std::string Describe() const {
        std::pair<std::pair<UINT, std::string>, long> most{{0, ""}, 0};
        long total = 0;
        for (const auto& c : counts_) {
            total += c.second;
            if (c.second > most.second) most = c;
        }
        const std::string to =
            most.first.second.empty() ? " to the thread" : " to a window of class " + most.first.second;
        return MessageName(most.first.first) + to + " kept coming (" + std::to_string(most.second) + " of " +
               std::to_string(total) + " messages handled meanwhile)";
    }

private:
    std::map<std::pair<UINT, std::string>, long> counts_;
};

// Handles one message as the application's loop does, or plainly without an application;
// false when a plain pump meets a quit request, which stays posted for the loop that ends.
bool Handle(MSG& m) {
    if (fw::Application) {
        fw::Application->ProcessMessage(m);
        return true;
    }
    if (m.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(m.wParam));
        return false;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
    return true;
}

// Takes the messages in [first, last] for wnd off the queue until there are none, handling
// them or not; fails naming what kept coming when there still are kSettleMs later.
void Drain(HWND wnd, UINT first, UINT last, bool handle, const std::string& what, const char* file, int line) {
    const DWORD start = GetTickCount();
    QueueTally tally;
    MSG m;
    while (PeekMessageA(&m, wnd, first, last, PM_REMOVE)) {
        tally.Add(m);
        if (handle && !Handle(m)) return;
        if (GetTickCount() - start >= kSettleMs) {
            FailAt(what + " did not settle within " + std::to_string(kSettleMs) + " ms: " + tally.Describe(), file,
                   line);
            return;
        }
    }
}

// Ends the menu loop running on this thread when the deadline's message reaches it: the
// message is posted, so it comes before paints and timers, and a menu's loop dispatches it.
constexpr UINT kMenuDeadline = WM_APP + 0x3D1;
bool g_menuEnded = false;

LRESULT CALLBACK MenuDeadlineProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != kMenuDeadline) return DefWindowProcA(wnd, msg, wp, lp);
    g_menuEnded = true;
    EndMenu();
    return 0;
}

HWND CreateMenuDeadlineWindow() {
    static const bool registered = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = MenuDeadlineProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HarnessMenuDeadline";
        return RegisterClassA(&wc) != 0;
    }();
    if (!registered) return nullptr;
    return CreateWindowExA(0, "HarnessMenuDeadline", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

void FailAt(const std::string& text, const char* file, int line) {
    GTEST_MESSAGE_AT_(file, line, text.c_str(), ::testing::TestPartResult::kNonFatalFailure);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what, WaitMode mode,
               const char* file, int line) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) break;
        if (mode == WaitMode::Pump) PumpFor(10);
        else Sleep(10);
    }
    if (done()) return true;
    FailWait(what, timeoutMs, file, line);
    return false;
}

bool WaitForMenuToEnd(const std::function<void()>& call, DWORD timeoutMs, const std::string& what, const char* file,
                      int line) {
    g_menuEnded = false;
    HWND deadline = CreateMenuDeadlineWindow();
    if (!deadline) {
        FailAt("no window could be made to keep the deadline of " + what, file, line);
        return false;
    }
    HANDLE returned = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread watch([&] {
        if (WaitForSingleObject(returned, timeoutMs) == WAIT_TIMEOUT) PostMessageA(deadline, kMenuDeadline, 0, 0);
    });
    call();
    SetEvent(returned);
    watch.join();
    CloseHandle(returned);
    DiscardMessages(deadline, kMenuDeadline, kMenuDeadline, file, line);  // a deadline that passed as it returned
    DestroyWindow(deadline);
    if (!g_menuEnded) return true;
    g_menuEnded = false;
    FailWait(what, timeoutMs, file, line);
    return false;
}

void PumpMessages(DWORD forMs, const char* file, int line) {
    if (PumpFor(forMs)) Drain(nullptr, 0, 0, true, "the message queue", file, line);
}

bool PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG m;
    while (GetTickCount() - start < ms) {
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) Sleep(1);
        else if (!Handle(m)) return false;
    }
    return true;
}

void DiscardMessages(HWND wnd, UINT first, UINT last, const char* file, int line) {
    Drain(wnd, first, last, false, "the messages being discarded", file, line);
}

}  // namespace harness
