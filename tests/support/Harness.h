// End-to-end harness: starts the client in a directory of its own, finds its windows,
// reads and answers its message boxes, takes screenshots and reads files it leaves.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "tests/support/BoxIcon.h"
#include "tests/support/Waits.h"

namespace harness {

// Build tree paths as the tests see them under Wine.
std::string BinaryDir();
std::string ClientExe();
std::string ScreenshotDir();

std::string ReadFile(const std::string& path, bool* exists = nullptr);
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// UTF-8 literal to the ANSI code page (the client's texts are ANSI).
std::string Ansi(const char* utf8);

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;
    BoxIcon icon = BoxIcon::None;
};

// Saves a picture of the window (with its frame) as <ScreenshotDir>\<name>.bmp.
void SaveScreenshot(HWND hwnd, const std::string& name);

class ClientProcess {
public:
    // Copies the client into <BinaryDir>\e2e\<name> (emptied first) together with the
    // given UserInfo.ini (none when empty), which is also its working directory.
    explicit ClientProcess(const std::string& name, const std::string& userInfoIni = std::string());
    ~ClientProcess();  // ends the process if it still runs

    const std::string& Dir() const { return dir_; }
    // Replaces an RCDATA resource of this copy of the client before it starts.
    void ReplaceRcData(const std::string& name, const std::string& bytes);
    void Start();
    DWORD Pid() const { return pi_.dwProcessId; }
    bool Running() const;

    // A visible top-level window of this process with the class (and caption, when given);
    // none, and a failed test, when it did not come in time or the process ended first.
    HWND WaitForWindow(const std::string& cls, const std::string& caption = std::string(),
                       DWORD timeoutMs = kWindowWaitMs, const char* file = __builtin_FILE(),
                       int line = __builtin_LINE()) const;
    HWND FindWindowOf(const std::string& cls, const std::string& caption = std::string()) const;
    std::vector<HWND> TopLevelWindows(bool visibleOnly) const;

    // The process's first visible dialog box, with its caption, text and icon (read once
    // the box shows it: see ReadBoxIcon); an empty one, and a failed test, as for a window.
    MessageBoxInfo WaitForMessageBox(DWORD timeoutMs = kWindowWaitMs, const char* file = __builtin_FILE(),
                                     int line = __builtin_LINE()) const;
    static void PressOk(const MessageBoxInfo& box);

    // Exit code, or STILL_ACTIVE (and a failed test) when the process did not end in time.
    DWORD WaitForExit(DWORD timeoutMs = kWindowWaitMs, const char* file = __builtin_FILE(),
                      int line = __builtin_LINE());
    void Kill();

private:
    std::string name_, dir_, exe_;
    PROCESS_INFORMATION pi_ = {};
    HANDLE job_ = nullptr;
};

// The login form's edit fields, found by their places.
struct LoginFields {
    HWND userName = nullptr, pwd = nullptr, serverList = nullptr;
};
LoginFields FindLoginFields(HWND login);
// Replaces a field's text as if typed.
void SetFieldText(HWND edit, const std::string& text);
// A left click at a point of the window's client area.
void ClickAt(HWND hwnd, int x, int y);
// The window holding the keyboard focus in the thread that owns hwnd.
HWND FocusOf(HWND hwnd);
// Percent-decoded text.
std::string PercentDecode(const std::string& s);
// The value of a query key in a request target ("/p?a=1&b=2"), percent-decoded.
std::string QueryValue(const std::string& target, const std::string& key);

std::string WindowText(HWND hwnd);
std::string ClassOf(HWND hwnd);
RECT WindowRect(HWND hwnd);
RECT ClientRectOnScreen(HWND hwnd);

}  // namespace harness
