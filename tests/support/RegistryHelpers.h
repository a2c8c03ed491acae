// Registry helpers shared by tests: per-test names, and reading and removing what a test
// wrote.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace harness {

// prefix + the running test's name + the process id: tests run in parallel.
std::string UniqueTestName(const std::string& prefix);

bool KeyExists(HKEY root, const std::string& key);

struct StoredValue {
    bool exists = false;
    DWORD type = 0;
    std::vector<char> bytes;  // as stored, terminating zero included
};
StoredValue QueryValue(HKEY root, const std::string& key, const std::string& name);

void DeleteValue(HKEY root, const std::string& key, const std::string& name);

// Removes the autostart value `name` from Run and RunOnce of both the machine and the
// current user: wherever a faulty write put it, nothing is left behind.
void RemoveAutoRunValues(const std::string& name);

// Removes the autostart value when made and again when it goes, also when a test fails.
class AutoRunCleanup {
public:
    explicit AutoRunCleanup(std::string name);
    ~AutoRunCleanup();
    AutoRunCleanup(const AutoRunCleanup&) = delete;
    AutoRunCleanup& operator=(const AutoRunCleanup&) = delete;

private:
    std::string name_;
};

}  // namespace harness
