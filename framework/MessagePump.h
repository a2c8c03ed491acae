// The hook through which waiting code (the HTTP client's anti-freeze) lets the application
// handle its queued messages. The application installs its own handling; until then, and
// in tests without an application, messages are translated and dispatched plainly.
#pragma once
#include <windows.h>
#include <exception>
#include <functional>

namespace fw {

// Processes every message waiting in the calling thread's queue through the application's
// normal handling (its message filter included).
void ProcessApplicationMessages();

// Installed by the application object; an empty function restores the plain handling.
void SetApplicationMessagePump(std::function<void()> pump);

// Asks the application to end: its message loop stops when control returns to it.
void TerminateApplication();
void SetApplicationTerminator(std::function<void()> terminate);

// Shows an exception that escaped an event handler (the application's exception box).
void HandleException(const std::exception& e);
void SetExceptionHandler(std::function<void(const std::exception&)> handler);

// The thread that runs the user interface (the one that created the application object;
// the process's first thread that asked, until then).
DWORD MainThreadId();
void SetMainThreadId(DWORD id);

}  // namespace fw
