#include "app/Common.h"

#include <cstring>

#include "framework/MessagePump.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"

namespace app {

namespace detail {

static_assert(sizeof(LANA_ENUM) == 256, "adapter-number list buffer is 256 bytes");
static_assert(sizeof(ADAPTER_STATUS) == 60, "adapter status buffer is 60 bytes");

std::string GetMacAddressVia(NetbiosFn netbios) {
    // Every buffer is cleared before its command, and a command that reports an error
    // ends the lookup with the empty text rather than text made of stale bytes.
    NCB ncb;
    LANA_ENUM lanas;
    std::memset(&lanas, 0, sizeof lanas);
    std::memset(&ncb, 0, sizeof ncb);
    ncb.ncb_command = NCBENUM;
    ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
    ncb.ncb_length = sizeof lanas;
    if (netbios(&ncb) != NRC_GOODRET || lanas.length == 0) return std::string();

    // Only the first adapter number is asked; another adapter never contributes.
    const UCHAR lana = lanas.lana[0];

    std::memset(&ncb, 0, sizeof ncb);
    ncb.ncb_command = NCBRESET;
    ncb.ncb_lana_num = lana;
    netbios(&ncb);

    ADAPTER_STATUS status;
    std::memset(&status, 0, sizeof status);
    std::memset(&ncb, 0, sizeof ncb);
    ncb.ncb_command = NCBASTAT;
    ncb.ncb_lana_num = lana;
    ncb.ncb_callname[0] = '*';  // the other 15 bytes stay zero
    ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&status);
    ncb.ncb_length = sizeof status;  // the status alone, no name table
    const UCHAR statusRc = netbios(&ncb);

    std::memset(&ncb, 0, sizeof ncb);
    ncb.ncb_command = NCBRESET;
    ncb.ncb_lana_num = lana;
    netbios(&ncb);

    if (statusRc != NRC_GOODRET) return std::string();
    const UCHAR* a = status.adapter_address;
    return fw::Format("%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
}

void WriteAutoRunValue(HKEY root, const std::string& keyPath, const std::string& Name, const std::string& Data) {
    fw::TRegistry* reg = fw::Create<fw::TRegistry>(static_cast<REGSAM>(KEY_ALL_ACCESS));
    try {
        reg->SetRootKey(root);
        reg->CreateKey(keyPath);
        if (reg->OpenKey(keyPath, false)) {
            try {
                reg->WriteString(Name, Data);
            } catch (...) {
                reg->CloseKey();
                throw;
            }
            reg->CloseKey();
        }
    } catch (...) {
        // The failure is what the caller sees; the object goes anyway so that it does not leak.
        try {
            fw::Free(reg);
        } catch (...) {
        }
        throw;
    }
    // A failure while letting the registry object go is not the caller's to handle: the
    // application ends instead.
    try {
        fw::Free(reg);
    } catch (...) {
        fw::TerminateApplication();
    }
}

}  // namespace detail

std::string GetMacAddress() { return detail::GetMacAddressVia(&::Netbios); }

void SetAutoRun(const std::string& Name, const std::string& Data, bool Once) {
    std::string keyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    if (Once) keyPath += "Once";
    detail::WriteAutoRunValue(HKEY_LOCAL_MACHINE, keyPath, Name, Data);
}

}  // namespace app
