#include "tools/bench/Measure.h"

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace bench {

namespace {

DWORD ProcessOf(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

std::string ReadWholeFile(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::string();
    std::string out;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
    CloseHandle(f);
    return out;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

// The kB value of a "Name:   123 kB" line of a /proc status file; -1 when absent.
double StatusKb(const std::string& status, const char* name) {
    size_t at = status.find(std::string("\n") + name + ":");
    if (at == std::string::npos) return -1;
    return std::strtod(status.c_str() + at + strlen(name) + 2, nullptr);
}

// Under Wine a Windows process is a Linux process whose command line starts with its
// module's path; the module path's tail (unique per run) finds it.
double AnonymousMb(const std::string& moduleTail) {
    const std::string tail = Lower(moduleTail);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("Z:\\proc\\*", &fd);
    if (h == INVALID_HANDLE_VALUE) return -1;
    double found = -1;
    do {
        if (!isdigit(static_cast<unsigned char>(fd.cFileName[0]))) continue;
        const std::string dir = std::string("Z:\\proc\\") + fd.cFileName;
        std::string cmd = Lower(ReadWholeFile(dir + "\\cmdline").c_str());  // the first argument
        if (cmd.size() < tail.size() || cmd.compare(cmd.size() - tail.size(), tail.size(), tail) != 0) continue;
        std::string status = ReadWholeFile(dir + "\\status");
        double anon = StatusKb(status, "RssAnon"), swap = StatusKb(status, "VmSwap");
        if (anon >= 0) found = (anon + std::max(0.0, swap)) / 1024.0;
        break;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return found;
}

}  // namespace

double NowMs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

Stats Summarize(std::vector<double> v) {
    Stats s;
    s.n = v.size();
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    s.min = v.front();
    s.max = v.back();
    s.median = v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    return s;
}

std::string Fmt(const Stats& s, int decimals) {
    if (s.n == 0) return "  (no sample)";
    char buf[128];
    snprintf(buf, sizeof buf, "%8.*f  [%.*f .. %.*f]", decimals, s.median, decimals, s.min, decimals, s.max);
    return buf;
}

void Progress(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    vfprintf(stderr, fmt, ap);
    va_end(ap);
    fputc('\n', stderr);
    fflush(stderr);
}

HWND FindTopLevel(DWORD pid, const char* cls, bool visible) {
    for (HWND h = FindWindowExA(nullptr, nullptr, cls, nullptr); h; h = FindWindowExA(nullptr, h, cls, nullptr))
        if (ProcessOf(h) == pid && (!visible || IsWindowVisible(h))) return h;
    return nullptr;
}

HWND FindVisible(DWORD pid, const char* cls) { return FindTopLevel(pid, cls, true); }

std::vector<HWND> WindowsOf(DWORD pid) {
    std::vector<HWND> out;
    std::function<void(HWND)> addTree = [&](HWND h) {
        out.push_back(h);
        for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) addTree(c);
    };
    for (HWND parent : {static_cast<HWND>(nullptr), HWND_MESSAGE})
        for (HWND h = FindWindowExA(parent, nullptr, nullptr, nullptr); h;
             h = FindWindowExA(parent, h, nullptr, nullptr))
            if (ProcessOf(h) == pid) addTree(h);
    return out;
}

Memory MemoryOf(DWORD pid, const std::string& moduleTail) {
    Memory m;
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!h) return m;
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof pmc;
    if (GetProcessMemoryInfo(h, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc)) {
        const double mb = 1024.0 * 1024.0;
        m.peakWorkingSetMb = static_cast<double>(pmc.PeakWorkingSetSize) / mb;
        m.workingSetMb = static_cast<double>(pmc.WorkingSetSize) / mb;
        m.privateUsageMb = static_cast<double>(pmc.PrivateUsage) / mb;
        m.ok = true;
    }
    CloseHandle(h);
    m.anonymousMb = AnonymousMb(moduleTail);
    return m;
}

double FileSizeMb(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return -1;
    return static_cast<double>((static_cast<unsigned long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow) /
           (1024.0 * 1024.0);
}

std::string ProgramDir() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string p(path, n);
    return p.substr(0, p.find_last_of('\\'));
}

ProbeResult Probe(HWND target, double durationMs, DWORD intervalMs) {
    ProbeResult r;
    std::vector<double> waits;
    double lastReturn = -1;
    const double end = NowMs() + durationMs;
    while (NowMs() < end) {
        DWORD_PTR result = 0;
        double a = NowMs();
        LRESULT ok = SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        double b = NowMs();
        waits.push_back(b - a);
        if (!ok) ++r.unanswered;
        if (lastReturn >= 0) r.longestGapMs = std::max(r.longestGapMs, b - lastReturn);
        lastReturn = b;
        Sleep(intervalMs);
    }
    Stats s = Summarize(waits);
    r.longestWaitMs = s.max;
    r.medianWaitMs = s.median;
    r.probes = static_cast<int>(waits.size());
    return r;
}

}  // namespace bench
