// TRegistry: a thin object over one open registry key, with the error texts the program
// reports when a key cannot be created or a value cannot be written or read.
#pragma once
#include <windows.h>
#include <string>

#include "framework/Classes.h"

namespace fw {

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class TRegistry : public TObject {
public:
    FW_CLASS(TRegistry)
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : access_(access) {}
    ~TRegistry() override;

    // Changing the root closes the current key.
    HKEY RootKey() const { return root_; }
    void SetRootKey(HKEY root);
    REGSAM Access() const { return access_; }
    HKEY CurrentKey() const { return current_; }
    const std::string& CurrentPath() const { return currentPath_; }

    // A key path starting with "\" is taken from the root; any other from the current
    // key when one is open, else from the root.
    //
    // Creates the key when missing (with the current access) and closes it at once.
    // Raises ERegistryException("Failed to create key <Key>") on failure.
    bool CreateKey(const std::string& key);
    // Opens the key with the current access, creating it first when canCreate; false
    // when that fails. The opened key becomes the current key.
    bool OpenKey(const std::string& key, bool canCreate);
    // Opens the key for reading only (KEY_READ), never creating anything.
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();

    bool KeyExists(const std::string& key);
    bool ValueExists(const std::string& name) const;

    // REG_SZ, the terminating zero counted; raises "Failed to set data for '<Name>'".
    void WriteString(const std::string& name, const std::string& value);
    // The empty text for a missing value; raises "Invalid data type for '<Name>'" for a
    // value that is not a string and "Failed to get data for '<Name>'" when reading fails.
    std::string ReadString(const std::string& name) const;

private:
    bool IsRelative(const std::string& key) const { return key.empty() || key[0] != '\\'; }
    HKEY BaseKey(bool relative) const { return (current_ && relative) ? current_ : root_; }
    void ChangeKey(HKEY key, const std::string& path);

    HKEY root_ = HKEY_CURRENT_USER;
    REGSAM access_;
    HKEY current_ = nullptr;
    std::string currentPath_;
};

}  // namespace fw
