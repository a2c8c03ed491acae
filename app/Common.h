// Unit Common: the workstation's MAC address for the sign-in record, and the autostart
// value written after a successful sign-in.
#pragma once
#include <windows.h>
#include <nb30.h>
#include <string>

namespace app {

// The first NetBIOS adapter's address as "XX-XX-XX-XX-XX-XX" (upper-case hex); the empty
// text when there is no adapter or the system reports an error for it.
std::string GetMacAddress();

// Writes the string value Name = Data under HKEY_LOCAL_MACHINE
// "Software\Microsoft\Windows\CurrentVersion\Run" (or "...\RunOnce" when Once), creating
// the key when missing. Raises fw::ERegistryException when the key cannot be created or
// the value cannot be set; when the key cannot be opened nothing is written.
void SetAutoRun(const std::string& Name, const std::string& Data, bool Once);

namespace detail {
// The two routines above with their system entry point and key made replaceable, so that tests
// can drive them through adapters and keys that fail.
using NetbiosFn = UCHAR(APIENTRY*)(PNCB);
std::string GetMacAddressVia(NetbiosFn netbios);
void WriteAutoRunValue(HKEY root, const std::string& keyPath, const std::string& Name, const std::string& Data);
}  // namespace detail

}  // namespace app
