#include "framework/Registry.h"

#include <vector>

namespace fw {

namespace {
std::string StripLeadingSlash(const std::string& key) {
    return (!key.empty() && key[0] == '\\') ? key.substr(1) : key;
}
}  // namespace

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root) {
    if (root == root_) return;
    CloseKey();
    root_ = root;
}

void TRegistry::CloseKey() {
    if (current_) {
        RegCloseKey(current_);
        current_ = nullptr;
        currentPath_.clear();
    }
}

void TRegistry::ChangeKey(HKEY key, const std::string& path) {
    CloseKey();
    current_ = key;
    currentPath_ = path;
}

bool TRegistry::CreateKey(const std::string& key) {
    bool relative = IsRelative(key);
    std::string sub = StripLeadingSlash(key);
    HKEY created = nullptr;
    DWORD disposition = 0;
    LONG rc = RegCreateKeyExA(BaseKey(relative), sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                              nullptr, &created, &disposition);
    if (rc != ERROR_SUCCESS) throw ERegistryException(Format("Failed to create key %s", key.c_str()));
    RegCloseKey(created);
    return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    bool relative = IsRelative(key);
    std::string sub = StripLeadingSlash(key);
    HKEY opened = nullptr;
    LONG rc;
    if (!canCreate || sub.empty()) {
        rc = RegOpenKeyExA(BaseKey(relative), sub.c_str(), 0, access_, &opened);
    } else {
        DWORD disposition = 0;
        rc = RegCreateKeyExA(BaseKey(relative), sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr,
                             &opened, &disposition);
    }
    if (rc != ERROR_SUCCESS) return false;
    std::string path = (relative && current_ && !currentPath_.empty()) ? currentPath_ + "\\" + sub : sub;
    ChangeKey(opened, path);
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
    REGSAM saved = access_;
    access_ = KEY_READ;
    bool ok = OpenKey(key, false);
    access_ = saved;
    return ok;
}

bool TRegistry::KeyExists(const std::string& key) {
    bool relative = IsRelative(key);
    std::string sub = StripLeadingSlash(key);
    HKEY probe = nullptr;
    if (RegOpenKeyExA(BaseKey(relative), sub.c_str(), 0, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE, &probe) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(probe);
    return true;
}

bool TRegistry::ValueExists(const std::string& name) const {
    if (!current_) return false;
    return RegQueryValueExA(current_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    LONG rc = RegSetValueExA(current_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1));
    if (rc != ERROR_SUCCESS) throw ERegistryException(Format("Failed to set data for '%s'", name.c_str()));
}

std::string TRegistry::ReadString(const std::string& name) const {
    DWORD type = 0, size = 0;
    if (!current_ || RegQueryValueExA(current_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::string();
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
    if (size == 0) return std::string();
    // One spare zero byte in case the stored data lacks its terminator.
    std::vector<char> buf(size + 1, '\0');
    if (RegQueryValueExA(current_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size) !=
        ERROR_SUCCESS)
        throw ERegistryException(Format("Failed to get data for '%s'", name.c_str()));
    return std::string(buf.data());
}

}  // namespace fw
