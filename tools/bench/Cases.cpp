#include "tools/bench/Cases.h"

#include <cstdlib>

#include "tests/support/Harness.h"

namespace bench {

using harness::ClientProcess;
using harness::ScriptedReply;
using harness::ScriptedRequest;

const char kInfoPage[] = "/paper/getKdInfo.jsp";
const char kCheckPage[] = "/paper/ClientLogin_Exam_Check.jsp";
const char kExamPage[] = "/paper/ClientLogin_Exam.jsp?";
const char kTicket[] = "20260001";
const char kDocument[] = "110101200001011234";

BenchServer::BenchServer(Mode mode, DWORD infoDelayMs) {
    server_.SetHandler([this, mode, infoDelayMs](const ScriptedRequest& r) {
        const double t = NowMs();
        const std::string target = r.Target();
        {
            std::lock_guard<std::mutex> lock(mu_);
            arrivals_.push_back({target, t});
        }
        ScriptedReply never;
        never.never = true;
        if (target.find(kInfoPage) == 0) {
            if (mode == InfoNeverAnswered) return never;
            ScriptedReply reply = ScriptedReply::Ok("Centre 01");
            reply.delayMs = infoDelayMs;
            return reply;
        }
        if (target.find(kCheckPage) == 0) return mode == CheckNeverAnswered ? never : ScriptedReply::Ok("0");
        if (target.find(kExamPage) == 0) return ScriptedReply::Ok("<html><body>exam</body></html>");
        return ScriptedReply::Raw("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
    });
}

std::string BenchServer::Ini() const { return "[User]\r\nServerList_Address=" + server_.BaseUrl() + "\r\n"; }

double BenchServer::Arrival(const char* page, size_t index) const {
    std::lock_guard<std::mutex> lock(mu_);
    size_t seen = 0;
    for (const auto& a : arrivals_)
        if (a.target.find(page) == 0 && seen++ == index) return a.time;
    return -1;
}

double BenchServer::WaitArrival(const char* page, DWORD timeoutMs, size_t index) const {
    const double end = NowMs() + timeoutMs;
    for (;;) {
        double t = Arrival(page, index);
        if (t >= 0 || NowMs() > end) return t;
        Sleep(1);
    }
}

std::string MinimalExe() { return ProgramDir() + "\\minimal_window.exe"; }

namespace {

DWORD g_pollMs = 1;

const int kLoginX = 250, kLoginY = 218;  // inside the login picture
const DWORD kSettleMs = 500;             // after a form shows, before its memory is read
const DWORD kBrowserSettleMs = 1000;     // after the exam page is asked for

// The baseline program, started straight from where it was built.
class MinimalProcess {
public:
    MinimalProcess() : exe_(MinimalExe()) {}
    ~MinimalProcess() {
        if (pi_.hProcess) {
            if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(pi_.hProcess, 1);
                WaitForSingleObject(pi_.hProcess, 5000);
            }
            CloseHandle(pi_.hProcess);
            CloseHandle(pi_.hThread);
        }
    }
    bool Start(const std::string& options = std::string()) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        std::string cmd = "\"" + exe_ + "\"" + (options.empty() ? "" : " " + options);
        return CreateProcessA(exe_.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) != 0;
    }
    DWORD Pid() const { return pi_.dwProcessId; }
    bool Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
    void Close(HWND window) {
        if (window) PostMessageA(window, WM_CLOSE, 0, 0);
        if (pi_.hProcess) WaitForSingleObject(pi_.hProcess, 10000);
    }
    const std::string& Exe() const { return exe_; }

private:
    std::string exe_;
    PROCESS_INFORMATION pi_ = {};
};

void CloseClient(ClientProcess& client, HWND login) {
    if (login) PostMessageA(login, WM_CLOSE, 0, 0);
    if (client.WaitForExit(10000) == STILL_ACTIVE) client.Kill();
}

SOCKET ConnectTo(int port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<u_short>(port));
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

bool SendAll(SOCKET s, const std::string& bytes) {
    return send(s, bytes.data(), static_cast<int>(bytes.size()), 0) == static_cast<int>(bytes.size());
}

// Reads one reply with a Content-Length body.
bool ReadReply(SOCKET s) {
    std::string in;
    char buf[4096];
    for (;;) {
        size_t head = in.find("\r\n\r\n");
        if (head != std::string::npos) {
            size_t cl = in.find("Content-Length: ");
            size_t length = cl == std::string::npos ? 0 : std::strtoul(in.c_str() + cl + 16, nullptr, 10);
            if (in.size() >= head + 4 + length) return true;
        }
        int n = recv(s, buf, sizeof buf, 0);
        if (n <= 0) return false;
        in.append(buf, static_cast<size_t>(n));
    }
}

// The client's window to probe while a request waits: the login form when it exists (shown
// or not). While the login form is being created it has no window yet; the only window of
// the user-interface thread then is the one COM made for it at initialisation.
HWND ProbeTarget(DWORD pid, bool verbose) {
    std::vector<HWND> all = WindowsOf(pid);
    if (verbose) {
        for (HWND h : all)
            Progress("    window %p class '%s' thread %lu %s", static_cast<void*>(h), harness::ClassOf(h).c_str(),
                     GetWindowThreadProcessId(h, nullptr), IsWindowVisible(h) ? "visible" : "hidden");
    }
    for (const char* cls : {"TFrmLogin", "OleMainThreadWndClass"})
        for (HWND h : all)
            if (harness::ClassOf(h) == cls) return h;
    return nullptr;
}

}  // namespace

void SetPollInterval(DWORD ms) { g_pollMs = ms; }

MinimalRun RunMinimal(bool full, const std::string& options) {
    MinimalRun run;
    MinimalProcess p;
    const double t0 = NowMs();
    if (!p.Start(options)) {
        Progress("cannot start %s", p.Exe().c_str());
        return run;
    }
    HWND w = nullptr;
    while (!(w = FindVisible(p.Pid(), "BenchMinimalWindow"))) {
        if (NowMs() - t0 > 30000 || !p.Running()) return run;
        Sleep(g_pollMs);
    }
    run.startupMs = NowMs() - t0;
    if (full) {
        Sleep(kSettleMs);
        run.memory = MemoryOf(p.Pid(), "\\minimal_window.exe");
        run.idle = Probe(w, 1000);
    }
    p.Close(w);
    run.ok = true;
    return run;
}

ClientRun RunClient(const std::string& name, DWORD infoDelayMs, bool signIn) {
    ClientRun run;
    BenchServer exam(BenchServer::Answer, infoDelayMs);
    ClientProcess client(name, exam.Ini());
    const double t0 = NowMs();
    client.Start();
    const DWORD pid = client.Pid();
    // One window lookup per poll, as for the minimal program: the splash until it shows,
    // then until it goes, then the login form.
    enum { SplashToShow, SplashToGo, LoginToShow } phase = SplashToShow;
    HWND login = nullptr;
    for (;;) {
        const double t = NowMs() - t0;
        if (t > 30000 || !client.Running()) {
            Progress("%s: the login form did not show", name.c_str());
            return run;
        }
        if (phase == SplashToShow && FindVisible(pid, "TFrm_StartImage")) {
            run.splashShownMs = t;
            phase = SplashToGo;
            continue;
        }
        if (phase == SplashToGo && !FindVisible(pid, "TFrm_StartImage")) {
            run.splashHiddenMs = t;
            phase = LoginToShow;
            continue;
        }
        if (phase == LoginToShow && (login = FindVisible(pid, "TFrmLogin"))) {
            run.loginShownMs = t;
            break;
        }
        Sleep(g_pollMs);
    }
    double info = exam.Arrival(kInfoPage);
    run.infoRequestMs = info >= 0 ? info - t0 : -1;
    Sleep(kSettleMs);
    run.atLogin = MemoryOf(pid, "\\" + name + "\\Corvane.exe");
    if (!signIn) {
        CloseClient(client, login);
        run.ok = true;
        return run;
    }
    run.idle = Probe(login, 1000);

    harness::LoginFields fields = harness::FindLoginFields(login);
    if (!fields.userName || !fields.pwd) {
        Progress("%s: the login fields were not found", name.c_str());
        CloseClient(client, login);
        return run;
    }
    harness::SetFieldText(fields.userName, kTicket);
    harness::SetFieldText(fields.pwd, kDocument);
    const double click = NowMs();
    harness::ClickAt(login, kLoginX, kLoginY);
    for (;;) {
        const double t = NowMs() - click;
        if (run.browserCreatedMs < 0 && FindTopLevel(pid, "TFrmMain", false)) run.browserCreatedMs = t;
        if (run.browserShownMs < 0 && FindVisible(pid, "TFrmMain")) run.browserShownMs = t;
        if (run.browserShownMs >= 0 && exam.Arrival(kExamPage) >= 0) break;
        if (t > 30000 || !client.Running()) {
            Progress("%s: the sign-in did not reach the exam page", name.c_str());
            CloseClient(client, login);
            return run;
        }
        Sleep(1);
    }
    run.checkRequestMs = exam.Arrival(kCheckPage) - click;
    run.examRequestMs = exam.Arrival(kExamPage) - click;
    Sleep(kBrowserSettleMs);
    run.withBrowser = MemoryOf(pid, "\\" + name + "\\Corvane.exe");
    CloseClient(client, login);
    run.ok = true;
    return run;
}

double ServerRoundTrip(BenchServer& exam, size_t index) {
    const int port = exam.Port();
    const std::string query = std::string("?username=") + kTicket + "&password=" + kDocument;
    auto request = [&](const std::string& target) {
        return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n\r\n";
    };
    const double t0 = NowMs();
    SOCKET a = ConnectTo(port);
    if (a == INVALID_SOCKET || !SendAll(a, request(kCheckPage + query)) || !ReadReply(a)) return -1;
    closesocket(a);
    SOCKET b = ConnectTo(port);
    if (b == INVALID_SOCKET || !SendAll(b, request(std::string(kExamPage) + query.substr(1)))) return -1;
    double arrived = exam.WaitArrival(kExamPage, 5000, index);
    ReadReply(b);
    closesocket(b);
    return arrived < 0 ? -1 : arrived - t0;
}

WaitRun RunCreationWait(const std::string& name, double probeMs, bool verbose) {
    WaitRun run;
    BenchServer exam(BenchServer::InfoNeverAnswered);
    ClientProcess client(name, exam.Ini());
    client.Start();
    if (exam.WaitArrival(kInfoPage, 30000) < 0) {
        Progress("%s: the information page was not asked for", name.c_str());
        return run;
    }
    Sleep(100);
    HWND target = ProbeTarget(client.Pid(), verbose);
    if (!target) {
        Progress("%s: no window of the client to probe", name.c_str());
        return run;
    }
    run.target = harness::ClassOf(target);
    run.probe = Probe(target, probeMs);
    client.Kill();
    run.ok = true;
    return run;
}

WaitRun RunSignInWait(const std::string& name, double probeMs) {
    WaitRun run;
    BenchServer exam(BenchServer::CheckNeverAnswered);
    ClientProcess client(name, exam.Ini());
    client.Start();
    HWND login = client.WaitForWindow("TFrmLogin", "", 30000);
    if (!login) {
        Progress("%s: the login form did not show", name.c_str());
        return run;
    }
    harness::LoginFields fields = harness::FindLoginFields(login);
    harness::SetFieldText(fields.userName, kTicket);
    harness::SetFieldText(fields.pwd, kDocument);
    harness::ClickAt(login, kLoginX, kLoginY);
    if (exam.WaitArrival(kCheckPage, 30000) < 0) {
        Progress("%s: the check page was not asked for", name.c_str());
        return run;
    }
    Sleep(100);
    run.target = harness::ClassOf(login);
    run.probe = Probe(login, probeMs);
    client.Kill();
    run.ok = true;
    return run;
}

}  // namespace bench
