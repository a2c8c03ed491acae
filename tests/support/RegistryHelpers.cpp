#include "tests/support/RegistryHelpers.h"

#include <gtest/gtest.h>

#include <utility>

namespace harness {

std::string UniqueTestName(const std::string& prefix) {
    return prefix + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + " " +
           std::to_string(GetCurrentProcessId());
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

StoredValue QueryValue(HKEY root, const std::string& key, const std::string& name) {
    StoredValue v;
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return v;
    DWORD size = 0;
    if (RegQueryValueExA(k, name.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        v.exists = true;
        v.bytes.resize(size);
        RegQueryValueExA(k, name.c_str(), nullptr, &v.type, reinterpret_cast<BYTE*>(v.bytes.data()), &size);
    }
    RegCloseKey(k);
    return v;
}

void DeleteValue(HKEY root, const std::string& key, const std::string& name) {
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS) return;
    RegDeleteValueA(k, name.c_str());
    RegCloseKey(k);
}

void RemoveAutoRunValues(const std::string& name) {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        for (const char* key : {"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"})
            DeleteValue(root, key, name);
}

AutoRunCleanup::AutoRunCleanup(std::string name) : name_(std::move(name)) { RemoveAutoRunValues(name_); }

AutoRunCleanup::~AutoRunCleanup() { RemoveAutoRunValues(name_); }

}  // namespace harness
