#include "framework/MessagePump.h"

namespace fw {

namespace {
std::function<void()>& Pump() {
    static std::function<void()> pump;
    return pump;
}
std::function<void()>& Terminator() {
    static std::function<void()> t;
    return t;
}
std::function<void(const std::exception&)>& ExceptionHandler() {
    static std::function<void(const std::exception&)> h;
    return h;
}
DWORD g_mainThread = 0;
}  // namespace

void ProcessApplicationMessages() {
    if (Pump()) {
        Pump()();
        return;
    }
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

void SetApplicationMessagePump(std::function<void()> pump) { Pump() = std::move(pump); }

void HandleException(const std::exception& e) {
    if (ExceptionHandler()) ExceptionHandler()(e);
    else ::MessageBoxA(nullptr, e.what(), "", MB_OK | MB_ICONSTOP);
}

void SetExceptionHandler(std::function<void(const std::exception&)> handler) {
    ExceptionHandler() = std::move(handler);
}

void TerminateApplication() {
    if (Terminator()) Terminator()();
    else PostQuitMessage(0);
}

void SetApplicationTerminator(std::function<void()> terminate) { Terminator() = std::move(terminate); }

DWORD MainThreadId() {
    if (!g_mainThread) g_mainThread = GetCurrentThreadId();
    return g_mainThread;
}

void SetMainThreadId(DWORD id) { g_mainThread = id; }

}  // namespace fw
