// The typing case: characters posted one by one to the login form's ticket field, timed
// until all of them are in the field's text and the field has nothing left to paint, beside
// the same characters posted to a plain rich-edit window of the minimal program. Both fields
// hold the keyboard focus while they are typed into, as a field does for a candidate.
#pragma once
#include <windows.h>

#include <string>

namespace bench {

extern const int kTypedCharacters;

struct TypingRun {
    bool ok = false;
    double ms = 0;      // first character posted -> all in the text and painted
    std::string field;  // the window class of the field typed into
    bool lostFocus = false;  // not timed: the field did not hold the keyboard focus throughout
};

// Posts kTypedCharacters characters to the field (emptied first) and waits for them; the
// field must hold its thread's keyboard focus before the first and after the last.
TypingRun TypeInto(HWND field, DWORD timeoutMs = 20000);

// The minimal program with its plain "RichEdit20A" window.
TypingRun RunMinimalTyping();
// The client's ticket field on its login form, started in <bench dir>\e2e\<name>.
TypingRun RunClientTyping(const std::string& name);

}  // namespace bench
