// Bounded waits. Whatever a test waits for (a window, a menu, a message box, a request, a
// focus move, a process exit, this thread's message queue emptying) either comes within a
// few seconds or fails the test with a message naming what did not come, instead of
// holding the run until ctest gives up.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace harness {

// Bounds long enough for a loaded machine.
constexpr DWORD kClientStartMs = 15000;  // a freshly started client's first window (a second of splash)
constexpr DWORD kWindowWaitMs = 10000;   // a window or box of another process, a request, an exit
constexpr DWORD kLocalWaitMs = 5000;     // something of this thread: a focus move, a menu going away
constexpr DWORD kSettleMs = 3000;        // this thread's queue emptying once its time to pump is up

enum class WaitMode {
    Sleep,  // the thing comes from elsewhere: another process or thread
    Pump,   // it needs this thread's queued messages handled (through the application)
};

// Fails the running test, not fatally, at the given line with the text.
void FailAt(const std::string& text, const char* file, int line);

// Checks done() every few milliseconds until it holds. When it does not hold within
// timeoutMs, the running test fails, at the caller's line, with
// "<what> did not come within <timeoutMs> ms". Answers the last done().
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what,
               WaitMode mode = WaitMode::Sleep, const char* file = __builtin_FILE(), int line = __builtin_LINE());

// The same bound for a wait that this thread spends inside a popup menu's own loop, which
// it cannot leave by itself: runs call(); if a menu of this thread is still open after
// timeoutMs, it is ended and the test fails as above. The deadline is kept by another
// thread, so a queue that never empties (where timer messages never come) cannot hold it.
// Answers whether the call came back without being ended so.
bool WaitForMenuToEnd(const std::function<void()>& call, DWORD timeoutMs, const std::string& what,
                      const char* file = __builtin_FILE(), int line = __builtin_LINE());

// Handles this thread's queued messages one at a time, through the application when there
// is one (plainly otherwise), for forMs and then until the queue is empty. A queue that
// keeps filling (a window that never stops asking to be painted, a message that posts
// itself again) does not hold the pump: when it is not empty kSettleMs after forMs, the
// running test fails at the caller's line with "the message queue did not settle within
// ... ms", naming the message that kept coming and the window class it came to.
void PumpMessages(DWORD forMs = 0, const char* file = __builtin_FILE(), int line = __builtin_LINE());

// Handles this thread's queued messages one at a time as above for ms, and returns then
// whatever the queue still holds (for a wait that has its own bound); false when a quit
// request ended it early (without an application; it stays posted).
bool PumpFor(DWORD ms);

// Takes this thread's queued messages in [first, last] (every one when both are 0) for wnd
// (any window when null) off the queue unhandled, until there are none; fails as
// PumpMessages does when they still come kSettleMs later.
void DiscardMessages(HWND wnd = nullptr, UINT first = 0, UINT last = 0, const char* file = __builtin_FILE(),
                     int line = __builtin_LINE());

}  // namespace harness
