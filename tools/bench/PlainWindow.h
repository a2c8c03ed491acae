// A shown top-level window of a class of its own with the default procedure, 200 by 100
// at the screen's corner: the benchmark's stand-in for a program's window.
#pragma once
#include <windows.h>

namespace bench {

HWND ShowPlainWindow(const char* className, const char* title);

}  // namespace bench
