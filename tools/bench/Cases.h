// The benchmark's cases: the client and the minimal program started and timed, a sign-in
// clicked and timed to the exam page's request, a bare client's round trips, and the
// client's message handling probed while a request waits on a server that never answers.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "tests/support/ScriptedServer.h"
#include "tools/bench/Measure.h"

namespace bench {

extern const char kInfoPage[], kCheckPage[], kExamPage[], kTicket[], kDocument[];

// A scripted exam server serving the three pages, recording when each request arrived.
class BenchServer {
public:
    enum Mode { Answer, InfoNeverAnswered, CheckNeverAnswered };
    explicit BenchServer(Mode mode, DWORD infoDelayMs = 0);

    std::string Ini() const;  // a UserInfo.ini naming this server
    int Port() const { return server_.Port(); }
    // Arrival time of the index-th request (0-based) whose target starts with page; <0 if none yet.
    double Arrival(const char* page, size_t index = 0) const;
    double WaitArrival(const char* page, DWORD timeoutMs, size_t index = 0) const;

private:
    struct Arrived {
        std::string target;
        double time;
    };
    // Declared before the server, whose threads record here until it is stopped.
    mutable std::mutex mu_;
    std::vector<Arrived> arrivals_;
    harness::ScriptedServer server_;
};

std::string MinimalExe();

// How often the start-up cases look for the windows they wait for (default 1 ms).
void SetPollInterval(DWORD ms);

struct MinimalRun {
    bool ok = false;
    double startupMs = 0;  // process start to its window shown
    Memory memory;
    ProbeResult idle;
};
// full: also read its memory and probe it idle; otherwise only the start-up is timed.
// options: the platform layers to add (see minimal_window.cpp).
MinimalRun RunMinimal(bool full, const std::string& options = std::string());

struct ClientRun {
    bool ok = false;
    // start-up, from the process start
    double splashShownMs = -1, splashHiddenMs = -1, infoRequestMs = -1, loginShownMs = -1;
    Memory atLogin;
    ProbeResult idle;
    // sign-in, from the click
    double checkRequestMs = -1, browserCreatedMs = -1, browserShownMs = -1, examRequestMs = -1;
    Memory withBrowser;
};
// Starts the client in <bench dir>\e2e\<name>; with signIn, signs in once the login form
// shows and waits for the browser form and the exam page's request.
ClientRun RunClient(const std::string& name, DWORD infoDelayMs, bool signIn);

// The same two exchanges a sign-in makes (the check, then the exam page on a new
// connection), made by a bare blocking client: the time from the first connect to the
// exam page's request arriving is the least any client could take. index counts the exam
// page's requests this server has had before; -1 on failure.
double ServerRoundTrip(BenchServer& exam, size_t index);

struct WaitRun {
    bool ok = false;
    ProbeResult probe;
    std::string target;  // class of the probed window
};
// The creation request waits on a server that never answers it.
WaitRun RunCreationWait(const std::string& name, double probeMs, bool verbose);
// A sign-in waits on a check page that never answers.
WaitRun RunSignInWait(const std::string& name, double probeMs);

}  // namespace bench
