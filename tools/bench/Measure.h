// Measuring programs from outside: a clock, medians and spreads, a process's windows,
// its memory read by process id, and probes that time how long the thread owning a window
// leaves a message waiting.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace bench {

double NowMs();

struct Stats {
    double median = 0, min = 0, max = 0;
    size_t n = 0;
};
Stats Summarize(std::vector<double> v);
// "  123.4  [119.0 .. 131.2]" with the given number of decimals.
std::string Fmt(const Stats& s, int decimals = 1);

// A line of progress on the standard error (the report goes to the standard output).
void Progress(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// A top-level window of the process with the class, shown or (when visible is false) not.
HWND FindTopLevel(DWORD pid, const char* cls, bool visible);
HWND FindVisible(DWORD pid, const char* cls);
// Every window of the process, top-level (shown or not), message-only, and their children.
std::vector<HWND> WindowsOf(DWORD pid);

// Read by process id with GetProcessMemoryInfo. Under Wine the working sets are the Linux
// process's resident set (VmRSS, and VmHWM for the peak) and PrivateUsage is its swap use
// only, so the private figure is also read from the Linux process itself: its resident
// anonymous memory (RssAnon plus VmSwap), what the process allocated for itself. The
// Linux process is found by the tail of its module's path, which must be unique.
struct Memory {
    double peakWorkingSetMb = 0, workingSetMb = 0, privateUsageMb = 0;
    double anonymousMb = -1;  // -1 when the Linux process was not found
    bool ok = false;
};
Memory MemoryOf(DWORD pid, const std::string& moduleTail);

double FileSizeMb(const std::string& path);
// The directory of the running program.
std::string ProgramDir();

// How long the thread owning a window goes without handling messages: a WM_NULL is sent
// every intervalMs for durationMs. The longest a single send waited is a lower bound of the
// longest gap; the longest time between two sends' returns (the interval included) is an
// upper bound.
struct ProbeResult {
    double longestWaitMs = 0, medianWaitMs = 0, longestGapMs = 0;
    int probes = 0, unanswered = 0;
};
ProbeResult Probe(HWND target, double durationMs, DWORD intervalMs = 20);

}  // namespace bench
