// Bounded waits. Whatever a test waits for (a window, a menu, a message box, a request, a
// focus move, a process exit) either comes within a few seconds or fails the test with a
// message naming what did not come, instead of holding the run until ctest gives up.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace harness {

// Bounds long enough for a loaded machine.
constexpr DWORD kClientStartMs = 15000;  // a freshly started client's first window (a second of splash)
constexpr DWORD kWindowWaitMs = 10000;   // a window or box of another process, a request, an exit
constexpr DWORD kLocalWaitMs = 5000;     // something of this thread: a focus move, a menu going away

enum class WaitMode {
    Sleep,  // the thing comes from elsewhere: another process or thread
    Pump,   // it needs this thread's queued messages handled (through the application)
};

// Checks done() every few milliseconds until it holds. When it does not hold within
// timeoutMs, the running test fails, at the caller's line, with
// "<what> did not come within <timeoutMs> ms". Answers the last done().
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what,
               WaitMode mode = WaitMode::Sleep, const char* file = __builtin_FILE(), int line = __builtin_LINE());

// The same bound for a wait that this thread spends inside a popup menu's own loop, which
// it cannot leave by itself: runs call(); if a menu of this thread is still open after
// timeoutMs, it is ended and the test fails as above. Answers whether the call came back
// without being ended so.
bool WaitForMenuToEnd(const std::function<void()>& call, DWORD timeoutMs, const std::string& what,
                      const char* file = __builtin_FILE(), int line = __builtin_LINE());

}  // namespace harness
