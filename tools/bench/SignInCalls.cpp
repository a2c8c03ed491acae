#include "tools/bench/SignInCalls.h"

#include <winsock2.h>
#include <windows.h>
#include <nb30.h>
#include <ole2.h>
#include <exdisp.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "tests/support/Harness.h"
#include "tools/bench/Cases.h"
#include "tools/bench/Measure.h"
#include "tools/bench/PlainWindow.h"

namespace bench {

// Made in the state the client is in at that moment: a window shown, COM and sockets started.
int MeasureSignInCalls(bool commonControlsLoaded) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    HWND w = ShowPlainWindow("BenchCallsWindow", "calls");
    CoInitialize(nullptr);
    const std::string dir = harness::BinaryDir() + "\\e2e\\bench_calls";
    CreateDirectoryA((harness::BinaryDir() + "\\e2e").c_str(), nullptr);
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string ini = dir + "\\UserInfo.ini";
    auto writeIni = [&](const char* key, const char* value) {
        WritePrivateProfileStringA("User", key, value, ini.c_str());
    };
    auto localIp = [] {
        char host[256] = {};
        gethostname(host, sizeof host);
        hostent* he = gethostbyname(host);
        return he && he->h_addr_list[0] ? std::string(inet_ntoa(*reinterpret_cast<in_addr*>(he->h_addr_list[0])))
                                        : std::string();
    };
    auto step = [](const char* label, const std::function<void()>& f) {
        const double a = NowMs();
        f();
        printf("%s\t%.3f\n", label, NowMs() - a);
    };
    const char* runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    if (commonControlsLoaded) {
        OleInitialize(nullptr);
    } else {
        step("settings file: sign-in name and time", [&] {
            writeIni("LoginName", kTicket);
            writeIni("LastLoginTime", "2026/1/1 8:00:00");
        });
        step("adapter address (NetBIOS, 4 commands)", [&] {
            NCB ncb;
            LANA_ENUM lanas = {};
            memset(&ncb, 0, sizeof ncb);
            ncb.ncb_command = NCBENUM;
            ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
            ncb.ncb_length = sizeof lanas;
            Netbios(&ncb);
            for (UCHAR command : {UCHAR(NCBRESET), UCHAR(NCBASTAT), UCHAR(NCBRESET)}) {
                ADAPTER_STATUS status = {};
                memset(&ncb, 0, sizeof ncb);
                ncb.ncb_command = command;
                ncb.ncb_lana_num = lanas.lana[0];
                if (command == NCBASTAT) {
                    ncb.ncb_callname[0] = '*';
                    ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&status);
                    ncb.ncb_length = sizeof status;
                }
                Netbios(&ncb);
            }
            writeIni("MAC", "02-11-22-33-44-55");
        });
        step("local address (host name lookup)", [&] { writeIni("IP", localIp().c_str()); });
        step("computer name", [&] {
            char host[256] = {};
            gethostname(host, sizeof host);
            writeIni("ComputerName", host);
        });
        step("autostart value (machine registry)", [&] {
            HKEY key;
            if (!RegCreateKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) {
                RegSetValueExA(key, "BenchCalls", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
                RegCloseKey(key);
            }
        });
        step("OLE initialisation", [] { OleInitialize(nullptr); });
        step("local address again (exam page address)", [&] { localIp(); });
    }
    IOleObject* browser = nullptr;
    auto createBrowser = [&] {
        CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                         reinterpret_cast<void**>(&browser));
    };
    if (commonControlsLoaded) {
        LoadLibraryA("comctl32.dll");  // stays loaded; its load is not part of the step
        step("web browser control, common controls already loaded", createBrowser);
    } else {
        step("web browser control created (libraries loaded)", createBrowser);
    }
    fflush(stdout);
    if (browser) browser->Release();
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, KEY_ALL_ACCESS, &key) == 0) {
        RegDeleteValueA(key, "BenchCalls");
        RegCloseKey(key);
    }
    DestroyWindow(w);
    return 0;
}

std::vector<std::pair<std::string, double>> RunSignInCalls(bool commonControlsLoaded) {
    std::vector<std::pair<std::string, double>> out;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return out;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string cmd = "\"" + std::string(path) + "\" --signin-calls" + (commonControlsLoaded ? " --comctl-loaded" : "");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    BOOL started = CreateProcessA(path, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    std::string text;
    if (started) {
        char buf[1024];
        DWORD n = 0;
        while (ReadFile(readEnd, buf, sizeof buf, &n, nullptr) && n > 0) text.append(buf, n);
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(readEnd);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string::npos) eol = text.size();
        std::string line = text.substr(pos, eol - pos);
        size_t tab = line.find('\t');
        if (tab != std::string::npos) out.emplace_back(line.substr(0, tab), std::atof(line.c_str() + tab + 1));
        pos = eol + 1;
    }
    return out;
}

}  // namespace bench
