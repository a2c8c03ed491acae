// Which of the system's standard icons a message box (of any process) shows.
#pragma once
#include <windows.h>
#include <ostream>

namespace harness {

enum class BoxIcon { None, Hand, Question, Exclamation, Information, Unknown };

// None when the box has no visible icon control; Unknown when the box went away first, or
// when its picture is none of the standard icons by the end of timeoutMs (a failed wait).
BoxIcon ReadBoxIcon(HWND box, DWORD timeoutMs = 10000, const char* file = __builtin_FILE(), int line = __builtin_LINE());

// The kind by name in test failures.
void PrintTo(BoxIcon icon, std::ostream* out);

}  // namespace harness
