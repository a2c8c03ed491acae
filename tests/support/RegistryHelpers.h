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

}  // namespace harness
