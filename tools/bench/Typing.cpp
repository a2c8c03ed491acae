#include "tools/bench/Typing.h"

#include "tests/support/Harness.h"
#include "tools/bench/Cases.h"
#include "tools/bench/Measure.h"

namespace bench {

const int kTypedCharacters = 200;

namespace {

std::string TypedText() {
    std::string s;
    for (int i = 0; i < kTypedCharacters; ++i) s += static_cast<char>('a' + i % 26);
    return s;
}

// The field's text, asked of the field itself (another process's window).
bool TextIs(HWND field, const std::string& expected) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(field, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length) || length != expected.size())
        return false;
    std::string buf(expected.size() + 1, '\0');
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutA(field, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]), SMTO_NORMAL, 5000, &n))
        return false;
    return buf.compare(0, n, expected) == 0 && n == expected.size();
}

bool NothingToPaint(HWND field) { return !GetUpdateRect(field, nullptr, FALSE); }

// Waits until the field is settled with the expected text.
bool WaitSettled(HWND field, const std::string& expected, double timeoutMs) {
    const double end = NowMs() + timeoutMs;
    while (NowMs() < end) {
        if (TextIs(field, expected) && NothingToPaint(field)) return true;
        Sleep(1);
    }
    return false;
}

}  // namespace

TypingRun TypeInto(HWND field, DWORD timeoutMs) {
    TypingRun run;
    run.field = harness::ClassOf(field);
    const std::string text = TypedText();
    SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), SMTO_NORMAL, 5000, nullptr);
    if (!WaitSettled(field, "", 5000)) return run;
    Sleep(100);
    // A candidate types into a focused field (caret shown, selection kept): a round where
    // the field does not hold the focus from the first character to the last is not timed.
    auto focused = [&](const char* when) {
        if (harness::FocusOf(field) == field) return true;  // read from outside its process
        run.lostFocus = true;
        Progress("typing into a %s window: it did not hold the focus %s", run.field.c_str(), when);
        return false;
    };
    if (!focused("before typing")) return run;
    const double t0 = NowMs();
    for (char c : text) PostMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
    if (!WaitSettled(field, text, timeoutMs)) {
        Progress("typing into a %s window: the text did not arrive", run.field.c_str());
        return run;
    }
    const double ms = NowMs() - t0;
    if (!focused("while typed into")) return run;
    run.ms = ms;
    run.ok = true;
    return run;
}

TypingRun RunMinimalTyping() {
    TypingRun run;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string exe = MinimalExe(), cmd = "\"" + exe + "\" --richedit";
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return run;
    HWND w = nullptr, field = nullptr;
    const double t0 = NowMs();
    while (NowMs() - t0 < 30000 && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        if ((w = FindVisible(pi.dwProcessId, "BenchMinimalWindow")) &&
            (field = FindWindowExA(w, nullptr, "RichEdit20A", nullptr)))
            break;
        Sleep(5);
    }
    if (field) {
        Sleep(300);
        run = TypeInto(field);
    } else {
        Progress("the minimal program's rich-edit window did not show");
    }
    if (w) PostMessageA(w, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return run;
}

TypingRun RunClientTyping(const std::string& name) {
    TypingRun run;
    BenchServer exam(BenchServer::Answer);
    harness::ClientProcess client(name, exam.Ini());
    client.Start();
    HWND login = client.WaitForWindow("TFrmLogin", "", 30000);
    harness::LoginFields fields = login ? harness::FindLoginFields(login) : harness::LoginFields();
    if (fields.userName) {
        Sleep(300);
        run = TypeInto(fields.userName);
    } else {
        Progress("%s: the ticket field was not found", name.c_str());
    }
    if (login) PostMessageA(login, WM_CLOSE, 0, 0);
    if (client.WaitForExit(10000) == STILL_ACTIVE) client.Kill();
    return run;
}

}  // namespace bench
