#include <winsock2.h>
#include <windows.h>

#include "framework/IdIPWatch.h"

#include <cstring>

namespace fw {

namespace {

std::string HostName() {
    EnsureWinsock();
    char buf[250];
    std::memset(buf, 0, sizeof buf);
    if (gethostname(buf, sizeof buf) != 0) throw EIdWinSockError(WSAGetLastError());
    buf[sizeof buf - 1] = '\0';
    return std::string(buf);
}

}  // namespace

std::vector<std::string> HostAddresses(const std::string& host) {
    EnsureWinsock();
    const hostent* he = gethostbyname(host.c_str());
    if (!he) throw EIdWinSockError(WSAGetLastError());
    std::vector<std::string> out;
    if (he->h_addrtype != AF_INET || he->h_length != 4 || !he->h_addr_list) return out;
    for (char** p = he->h_addr_list; *p; ++p) {
        const unsigned char* a = reinterpret_cast<const unsigned char*>(*p);
        out.push_back(Format("%u.%u.%u.%u", a[0], a[1], a[2], a[3]));
    }
    return out;
}

std::string TIdIPWatch::LocalIP() const {
    std::vector<std::string> addresses = HostAddresses(HostName());
    if (addresses.empty()) throw Exception("List index out of bounds (0)");
    return addresses.front();
}

std::string TIdIPWatch::LocalName() const { return HostName(); }

void TIdIPWatch::SaveHistory() const {
    HANDLE f = CreateFileA(HistoryFilename.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    for (const std::string& line : history_) {
        std::string bytes = line + "\r\n";
        DWORD written = 0;
        if (!WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) break;
    }
    CloseHandle(f);
}

void TIdIPWatch::BeforeDestruction() {
    if (HistoryEnabled) SaveHistory();
    TComponent::BeforeDestruction();
}

bool TIdIPWatch::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "Active") {
        Active = value.AsBool();
        return true;
    }
    if (name == "HistoryEnabled") {
        HistoryEnabled = value.AsBool();
        return true;
    }
    if (name == "HistoryFilename") {
        HistoryFilename = value.AsString();
        return true;
    }
    return TComponent::SetProperty(name, value);
}

void RegisterIPWatchClasses() { TClassRegistry::Register<TIdIPWatch>(); }

}  // namespace fw
