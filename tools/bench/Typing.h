// The typing case: characters posted one by one to the login form's ticket field, timed
// until all of them are in the field's text and the field has nothing left to paint, beside
// the same characters posted to a plain rich-edit window of the minimal program.
#pragma once
#include <windows.h>

#include <string>

namespace bench {

extern const int kTypedCharacters;

struct TypingRun {
    bool ok = false;
    double ms = 0;      // first character posted -> all in the text and painted
    std::string field;  // the window class of the field typed into
};

// Posts kTypedCharacters characters to the field (emptied first) and waits for them.
TypingRun TypeInto(HWND field, DWORD timeoutMs = 20000);

// The minimal program with its plain "RichEdit20A" window.
TypingRun RunMinimalTyping();
// The client's ticket field on its login form, started in <bench dir>\e2e\<name>.
TypingRun RunClientTyping(const std::string& name);

}  // namespace bench
