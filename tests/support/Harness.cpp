#include "tests/support/Harness.h"
#include "framework/SysUtils.h"

#include <shellapi.h>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace harness {

std::string BinaryDir() { return TEST_BINARY_DIR; }
std::string ClientExe() { return BinaryDir() + "\\bin\\Corvane.exe"; }
std::string ScreenshotDir() {
    std::string d = BinaryDir() + "\\screenshots";
    CreateDirectoryA(d.c_str(), nullptr);
    return d;
}

std::string ReadFile(const std::string& path, bool* exists) {
    std::ifstream in(path, std::ios::binary);
    if (exists) *exists = static_cast<bool>(in);
    if (!in) return std::string();
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Ansi(const char* utf8) { return fw::FromUtf8(utf8); }

std::string WindowText(HWND hwnd) {
    char buf[4096];
    if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
        // A caption is known to the system, even while the window's thread is busy.
        int n = GetWindowTextA(hwnd, buf, sizeof buf);
        return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
    }
    // Asked of the control itself: another process's edit keeps its text to itself.
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, &n))
        return std::string();
    return std::string(buf, n);
}

std::string ClassOf(HWND hwnd) {
    char buf[256];
    int n = GetClassNameA(hwnd, buf, sizeof buf);
    return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

RECT WindowRect(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT ClientRectOnScreen(HWND hwnd) {
    RECT r = {};
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LoginFields FindLoginFields(HWND login) {
    LoginFields f;
    for (HWND c = GetWindow(login, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r = WindowRect(c);
        MapWindowPoints(nullptr, login, reinterpret_cast<POINT*>(&r), 2);
        if (r.left == 232 && r.top == 136) f.userName = c;
        else if (r.left == 232 && r.top == 168) f.pwd = c;
        else if (r.left == 361 && r.top == 0) f.serverList = c;
    }
    return f;
}

void SetFieldText(HWND edit, const std::string& text) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ClickAt(HWND hwnd, int x, int y) {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

HWND FocusOf(HWND hwnd) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info);
    return info.hwndFocus;
}

std::string PercentDecode(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() + 0 && isxdigit(static_cast<unsigned char>(s[i + 1])) &&
            isxdigit(static_cast<unsigned char>(s[i + 2]))) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string QueryValue(const std::string& target, const std::string& key) {
    size_t q = target.find('?');
    if (q == std::string::npos) return std::string();
    std::string query = target.substr(q + 1);
    size_t pos = 0;
    while (pos <= query.size()) {
        size_t end = query.find('&', pos);
        if (end == std::string::npos) end = query.size();
        std::string pair = query.substr(pos, end - pos);
        size_t eq = pair.find('=');
        if (eq != std::string::npos && pair.substr(0, eq) == key) return PercentDecode(pair.substr(eq + 1));
        pos = end + 1;
    }
    return std::string();
}

// --- screenshots --------------------------------------------------------------------------

static void WriteBmp(const std::string& path, HDC dc, HBITMAP bmp, int w, int h) {
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof bih;
    bih.biWidth = w;
    bih.biHeight = h;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    const int stride = (w * 3 + 3) & ~3;
    std::string pixels(static_cast<size_t>(stride) * h, '\0');
    GetDIBits(dc, bmp, 0, h, &pixels[0], reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS);
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof bfh + sizeof bih;
    bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string out(reinterpret_cast<const char*>(&bfh), sizeof bfh);
    out.append(reinterpret_cast<const char*>(&bih), sizeof bih);
    out += pixels;
    WriteFile(path, out);
}

void SaveScreenshot(HWND hwnd, const std::string& name) {
    RECT r = hwnd ? WindowRect(hwnd) : RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    WriteBmp(ScreenshotDir() + "\\" + name + ".bmp", mem, bmp, w, h);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

// --- the client process -----------------------------------------------------------------------

static void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string n = fd.cFileName;
            if (n == "." || n == "..") continue;
            std::string p = dir + "\\" + n;
            SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(p);
            else DeleteFileA(p.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

ClientProcess::ClientProcess(const std::string& name, const std::string& userInfoIni) : name_(name) {
    std::string root = BinaryDir() + "\\e2e";
    CreateDirectoryA(root.c_str(), nullptr);
    dir_ = root + "\\" + name;
    RemoveTree(dir_);
    CreateDirectoryA(dir_.c_str(), nullptr);
    exe_ = dir_ + "\\Corvane.exe";
    CopyFileA(ClientExe().c_str(), exe_.c_str(), FALSE);
    if (!userInfoIni.empty()) WriteFile(dir_ + "\\UserInfo.ini", userInfoIni);
}

ClientProcess::~ClientProcess() {
    Kill();
    if (job_) CloseHandle(job_);
    if (pi_.hProcess) CloseHandle(pi_.hProcess);
    if (pi_.hThread) CloseHandle(pi_.hThread);
}

void ClientProcess::ReplaceRcData(const std::string& name, const std::string& bytes) {
    HANDLE h = BeginUpdateResourceA(exe_.c_str(), FALSE);
    if (!h) throw fw::Exception("cannot open the resources of " + exe_);
    std::string data = bytes;
    BOOL ok = UpdateResourceA(h, MAKEINTRESOURCEA(10), name.c_str(), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                              data.empty() ? nullptr : &data[0], static_cast<DWORD>(data.size()));
    if (!EndUpdateResourceA(h, FALSE) || !ok) throw fw::Exception("cannot replace resource " + name);
}

void ClientProcess::Start() {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string cmd = "\"" + exe_ + "\"";
    if (!CreateProcessA(exe_.c_str(), &cmd[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, dir_.c_str(), &si,
                        &pi_))
        throw fw::Exception("cannot start " + exe_);
    // Should this test process die, the client goes with it instead of blocking later tests.
    job_ = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job_) {
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        AssignProcessToJobObject(job_, pi_.hProcess);
    }
    ResumeThread(pi_.hThread);
}

bool ClientProcess::Running() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> ClientProcess::TopLevelWindows(bool visibleOnly) const {
    struct Ctx { DWORD pid; bool visible; std::vector<HWND> out; } ctx{pi_.dwProcessId, visibleOnly, {}};
    EnumWindows([](HWND h, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == c->pid && (!c->visible || IsWindowVisible(h))) c->out.push_back(h);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&ctx));
    return ctx.out;
}

HWND ClientProcess::FindWindowOf(const std::string& cls, const std::string& caption) const {
    for (HWND h : TopLevelWindows(true))
        if (ClassOf(h) == cls && (caption.empty() || WindowText(h) == caption)) return h;
    return nullptr;
}

HWND ClientProcess::WaitForWindow(const std::string& cls, const std::string& caption, DWORD timeoutMs,
                                  const char* file, int line) const {
    HWND found = nullptr;
    const std::string kind = cls == "#32770" ? "a dialog box" : cls == "#32768" ? "a menu" : "the window " + cls;
    const std::string what = kind + (caption.empty() ? "" : " \"" + caption + "\"") + " of " + name_;
    if (!WaitUntil([&] { return (found = FindWindowOf(cls, caption)) != nullptr || !Running(); }, timeoutMs, what,
                   WaitMode::Sleep, file, line))
        return nullptr;
    if (!found && !(found = FindWindowOf(cls, caption))) {
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        FailAt(what + " did not come: the process ended with exit code " + std::to_string(code), file, line);
    }
    return found;
}

MessageBoxInfo ClientProcess::WaitForMessageBox(DWORD timeoutMs, const char* file, int line) const {
    MessageBoxInfo info;
    info.hwnd = WaitForWindow("#32770", std::string(), timeoutMs, file, line);
    if (!info.hwnd) return info;
    info.caption = WindowText(info.hwnd);
    info.text = WindowText(GetDlgItem(info.hwnd, 0xFFFF));
    info.icon = ReadBoxIcon(info.hwnd, kWindowWaitMs, file, line);
    return info;
}

void ClientProcess::PressOk(const MessageBoxInfo& box) {
    if (!box.hwnd) return;
    HWND ok = GetDlgItem(box.hwnd, IDOK);
    if (!ok) ok = GetDlgItem(box.hwnd, IDCANCEL);
    PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ok), BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

DWORD ClientProcess::WaitForExit(DWORD timeoutMs, const char* file, int line) {
    if (!pi_.hProcess) return STILL_ACTIVE;
    WaitUntil([&] { return !Running(); }, timeoutMs, "the end of " + name_, WaitMode::Sleep, file, line);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

void ClientProcess::Kill() {
    if (Running()) {
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
}

}  // namespace harness
