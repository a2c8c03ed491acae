// Benchmark driver: measures what a candidate feels of the client (how soon the login form
// appears, how long a sign-in takes, how much memory it holds, whether it ever stops
// answering, how quickly typed characters show in a field) side by side with a minimal
// one-window program and a bare HTTP client, all in the same session, and prints median
// and spread of every figure.
//
// Everything is timed from outside the client: windows are found by polling, requests are
// timed where they arrive at a scripted exam server on 127.0.0.1, memory is read with
// GetProcessMemoryInfo by process id, and responsiveness is the time a WM_NULL sent to the
// client's window waits before it is handled.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/Harness.h"
#include "tools/bench/Cases.h"
#include "tools/bench/CookieRequest.h"
#include "tools/bench/Measure.h"
#include "tools/bench/SignInCalls.h"
#include "tools/bench/Typing.h"

using namespace bench;

namespace {

const DWORD kQuietMs = 300;  // before each timed start

std::string Verdict(bool met) { return met ? "met" : "MISSED"; }

std::vector<double> Minus(const std::vector<double>& a, double b) {
    std::vector<double> out;
    for (double x : a) out.push_back(x - b);
    return out;
}

void Line(const char* label, const std::string& value, const char* unit = "") {
    printf("  %-56s %s %s\n", label, value.c_str(), unit);
}

int Usage() {
    fprintf(stderr, "usage: bench_driver [--runs N] [--probe-ms MS] [--info-delay MS] [--poll-ms MS] [--verbose]"
                    " [--typing-only]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 10;
    double probeMs = 3000;
    DWORD infoDelayMs = 0;
    bool verbose = false, typingOnly = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--signin-calls")
            return MeasureSignInCalls(argc > i + 1 && std::string(argv[i + 1]) == "--comctl-loaded");
        if (a == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--probe-ms" && i + 1 < argc) probeMs = std::atof(argv[++i]);
        else if (a == "--info-delay" && i + 1 < argc) infoDelayMs = static_cast<DWORD>(std::atoi(argv[++i]));
        else if (a == "--poll-ms" && i + 1 < argc)
            SetPollInterval(static_cast<DWORD>(std::max(1, std::atoi(argv[++i]))));
        else if (a == "--verbose") verbose = true;
        else if (a == "--typing-only") typingOnly = true;
        else return Usage();
    }
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);

    Progress("warming up (one run of each, not counted)");
    RunMinimal(false);
    RunClient("bench_warmup", infoDelayMs, false);
    if (!typingOnly) RunSignInCalls();
    RunMinimalTyping();
    RunClientTyping("bench_typing_warmup");

    // The baseline's platform layers, each adding to the one before (see minimal_window.cpp).
    const std::vector<std::pair<const char*, std::string>> layers = {
        {"  with the client's system libraries loaded", "--dlls"},
        {"  and also a screen context and COM initialised", "--dlls --com"},
        {"  and also the common controls loaded, asked, freed", "--dlls --com --comctl"}};

    // One round: the baseline and the client back to back, so that each pair shares the
    // machine's state of the moment; differences are taken within a round.
    struct Round {
        MinimalRun minimal;
        ClientRun client;
        std::vector<MinimalRun> layered;
    };
    std::vector<Round> rounds;
    std::vector<std::vector<std::pair<std::string, double>>> calls;
    std::vector<double> browserPreloaded;
    for (int i = 0; i < runs && typingOnly; ++i) {
        // Only what the typing case may change: the memory at the login form.
        Progress("memory at the login form: run %d of %d", i + 1, runs);
        Round r;
        Sleep(kQuietMs);
        r.minimal = RunMinimal(true);
        Sleep(kQuietMs);
        r.client = RunClient("bench_run" + std::to_string(i + 1), infoDelayMs, false);
        rounds.push_back(r);
    }
    for (int i = 0; i < runs && !typingOnly; ++i) {
        Progress("start-up, memory and sign-in: run %d of %d", i + 1, runs);
        // The order of the starts turns from round to round, and each start follows a quiet
        // moment, so that no program always comes first after the previous round's exits.
        Round r;
        r.layered.resize(layers.size());
        const size_t kinds = 2 + layers.size();
        for (size_t k = 0; k < kinds; ++k) {
            const size_t kind = (k + static_cast<size_t>(i)) % kinds;
            Sleep(kQuietMs);
            if (kind == 0) r.minimal = RunMinimal(true);
            else if (kind == 1) r.client = RunClient("bench_run" + std::to_string(i + 1), infoDelayMs, true);
            else r.layered[kind - 2] = RunMinimal(false, layers[kind - 2].second);
        }
        Progress("  minimal %.0f ms, client %.0f ms (splash %.0f), layers %.0f %.0f %.0f, sign-in %.0f ms",
                 r.minimal.startupMs, r.client.loginShownMs, r.client.splashShownMs, r.layered[0].startupMs,
                 r.layered[1].startupMs, r.layered[2].startupMs, r.client.examRequestMs);
        rounds.push_back(r);
        calls.push_back(RunSignInCalls());
        for (const auto& c : RunSignInCalls(true)) browserPreloaded.push_back(c.second);
    }

    // Typing, the plain window and the client's field back to back, turning the order.
    std::vector<double> typingPlain, typingClient, typingRatio;
    std::string fieldClass = "?";
    int typingUnfocused = 0;
    for (int i = 0; i < runs; ++i) {
        Progress("typing: run %d of %d", i + 1, runs);
        TypingRun plain, field;
        for (int k = 0; k < 2; ++k) {
            Sleep(kQuietMs);
            if ((k + i) % 2 == 0) plain = RunMinimalTyping();
            else field = RunClientTyping("bench_typing" + std::to_string(i + 1));
        }
        if (field.ok) fieldClass = field.field;
        typingUnfocused += plain.lostFocus + field.lostFocus;
        if (plain.ok && field.ok) {
            typingPlain.push_back(plain.ms);
            typingClient.push_back(field.ms);
            typingRatio.push_back(field.ms / plain.ms);
        }
        Progress("  plain window %.1f ms, client's field (%s) %.1f ms", plain.ms, field.field.c_str(), field.ms);
    }

    std::vector<double> roundTrips;
    if (!typingOnly) {
        Progress("bare client round trips");
        BenchServer exam(BenchServer::Answer);
        ServerRoundTrip(exam, 0);  // warm-up
        for (int i = 0; i < runs; ++i) {
            double rt = ServerRoundTrip(exam, static_cast<size_t>(i + 1));
            if (rt >= 0) roundTrips.push_back(rt);
        }
    }

    std::vector<WaitRun> creationWaits, signInWaits;
    for (int i = 0; i < runs && !typingOnly; ++i) {
        Progress("responsiveness: run %d of %d", i + 1, runs);
        const std::string n = std::to_string(i + 1);
        creationWaits.push_back(RunCreationWait("bench_wait_create" + n, probeMs, verbose && i == 0));
        signInWaits.push_back(RunSignInWait("bench_wait_signin" + n, probeMs));
    }

    CookieRequestRun cookieRun;
    if (!typingOnly) {
        Progress("a request with a full cookie store");
        cookieRun = RunCookieRequests(std::max(runs, 20), probeMs);
    }

    // --- figures
    const double kSplashMs = 1000;
    // One figure per round in which both sides succeeded.
    auto perRound = [&](const std::function<double(const Round&)>& f) {
        std::vector<double> v;
        for (const Round& r : rounds)
            if (r.minimal.ok && r.client.ok) v.push_back(f(r));
        return v;
    };
    auto clientNet = [&](const Round& r) { return r.client.loginShownMs - kSplashMs - infoDelayMs; };
    auto minimalStart = perRound([](const Round& r) { return r.minimal.startupMs; });
    auto clientStart = perRound([](const Round& r) { return r.client.loginShownMs; });
    auto clientLessSplash = perRound(clientNet);
    auto startOverhead = perRound([&](const Round& r) { return clientNet(r) - r.minimal.startupMs; });
    auto startRatio = perRound([&](const Round& r) { return clientNet(r) / r.minimal.startupMs; });
    auto splashShown = perRound([](const Round& r) { return r.client.splashShownMs; });
    auto splashOverMinimal = perRound([](const Round& r) { return r.client.splashShownMs - r.minimal.startupMs; });
    auto splashHeld = perRound([](const Round& r) { return r.client.splashHiddenMs - r.client.splashShownMs; });
    auto toInfo = perRound([](const Round& r) { return r.client.infoRequestMs - r.client.splashHiddenMs; });
    auto infoToLogin = perRound([](const Round& r) { return r.client.loginShownMs - r.client.infoRequestMs; });
    std::vector<std::vector<double>> layerStart(layers.size()), layerOver(layers.size());
    for (const Round& r : rounds)
        for (size_t k = 0; k < layers.size() && k < r.layered.size(); ++k)
            if (r.minimal.ok && r.layered[k].ok) {
                layerStart[k].push_back(r.layered[k].startupMs);
                layerOver[k].push_back(r.layered[k].startupMs - r.minimal.startupMs);
            }

    auto signedIn = [](const Round& r) { return r.client.ok && r.client.examRequestMs >= 0; };
    auto perSignIn = [&](const std::function<double(const Round&)>& f) {
        std::vector<double> v;
        for (const Round& r : rounds)
            if (signedIn(r)) v.push_back(f(r));
        return v;
    };
    auto signIn = perSignIn([](const Round& r) { return r.client.examRequestMs; });
    auto toCheck = perSignIn([](const Round& r) { return r.client.checkRequestMs; });
    auto checkToCreated = perSignIn([](const Round& r) { return r.client.browserCreatedMs - r.client.checkRequestMs; });
    auto createdToExam = perSignIn([](const Round& r) { return r.client.examRequestMs - r.client.browserCreatedMs; });
    auto browserShown = perSignIn([](const Round& r) { return r.client.browserShownMs; });
    const Stats rt = Summarize(roundTrips);
    auto signInOverhead = Minus(signIn, rt.median);
    std::vector<std::string> callNames;
    std::map<std::string, std::vector<double>> callTimes;
    std::vector<double> callTotals;
    for (const auto& run : calls) {
        double total = 0;
        for (const auto& c : run) {
            if (!callTimes.count(c.first)) callNames.push_back(c.first);
            callTimes[c.first].push_back(c.second);
            total += c.second;
        }
        if (!run.empty()) callTotals.push_back(total);
    }

    auto minPeak = perRound([](const Round& r) { return r.minimal.memory.peakWorkingSetMb; });
    auto loginPeak = perRound([](const Round& r) { return r.client.atLogin.peakWorkingSetMb; });
    auto browserPeak = perSignIn([](const Round& r) { return r.client.withBrowser.peakWorkingSetMb; });
    auto minPrivate = perRound([](const Round& r) { return r.minimal.memory.privateUsageMb; });
    auto loginPrivate = perRound([](const Round& r) { return r.client.atLogin.privateUsageMb; });
    auto browserPrivate = perSignIn([](const Round& r) { return r.client.withBrowser.privateUsageMb; });
    auto minAnon = perRound([](const Round& r) { return r.minimal.memory.anonymousMb; });
    auto loginAnon = perRound([](const Round& r) { return r.client.atLogin.anonymousMb; });
    auto browserAnon = perSignIn([](const Round& r) { return r.client.withBrowser.anonymousMb; });
    auto peakDiff = perRound([](const Round& r) {
        return r.client.atLogin.peakWorkingSetMb - r.minimal.memory.peakWorkingSetMb;
    });

    // Each wait case: longest gap (upper bound), longest single wait (lower bound), median wait.
    struct WaitFigures {
        std::vector<double> gap, wait, median;
        void Add(const ProbeResult& p) {
            gap.push_back(p.longestGapMs);
            wait.push_back(p.longestWaitMs);
            median.push_back(p.medianWaitMs);
        }
    };
    WaitFigures minIdle, clientIdle, creation, signInWait;
    for (const Round& r : rounds) {
        if (r.minimal.ok) minIdle.Add(r.minimal.idle);
        if (signedIn(r)) clientIdle.Add(r.client.idle);
    }
    int unanswered = 0;
    std::string creationTarget = "?";
    for (const WaitRun& r : creationWaits)
        if (r.ok) creation.Add(r.probe), creationTarget = r.target, unanswered += r.probe.unanswered;
    for (const WaitRun& r : signInWaits)
        if (r.ok) signInWait.Add(r.probe), unanswered += r.probe.unanswered;

    const double exeMb = FileSizeMb(harness::ClientExe());
    const double minimalExeMb = FileSizeMb(MinimalExe());

    // --- the report
    printf("Corvane benchmarks: %d runs of each case; figures are median [min .. max]\n", runs);
    printf("(complete runs: start-up %zu, sign-in %zu, bare round trips %zu, waits %zu + %zu, typing %zu)\n\n",
           clientStart.size(), signIn.size(), roundTrips.size(), creation.gap.size(), signInWait.gap.size(),
           typingClient.size());

    if (!typingOnly) {
        printf("START-UP: process start to the window shown (ms)\n");
        Line("minimal one-window program", Fmt(Summarize(minimalStart)));
        Line("Corvane.exe, login form shown", Fmt(Summarize(clientStart)));
        Line("  splash shown", Fmt(Summarize(splashShown)));
        Line("  splash shown, over the minimal program's window", Fmt(Summarize(splashOverMinimal)));
        Line("  splash held (a 1000 ms sleep inside)", Fmt(Summarize(splashHeld)));
        Line("  splash hidden -> information request arrives", Fmt(Summarize(toInfo)));
        char label[160];
        snprintf(label, sizeof label, "  information request -> login form (server %lu ms)",
                 static_cast<unsigned long>(infoDelayMs));
        Line(label, Fmt(Summarize(infoToLogin)));
        snprintf(label, sizeof label, "Corvane less splash (1000) and server delay (%lu)",
                 static_cast<unsigned long>(infoDelayMs));
        Line(label, Fmt(Summarize(clientLessSplash)));
        const Stats so = Summarize(startOverhead);
        Line("OVERHEAD over the minimal program", Fmt(so));
        Line("ratio to the minimal program", Fmt(Summarize(startRatio), 2), "x");
        Line("target: overhead <= 150 ms", Verdict(so.n && so.median <= 150));
        printf("  the minimal program doing the client's platform start-up work, over the plain one:\n");
        for (size_t k = 0; k < layers.size(); ++k) Line(layers[k].first, Fmt(Summarize(layerOver[k])));
        printf("\n");

        printf("SIGN-IN: click on the login picture to the exam-page GET at the server (ms)\n");
        Line("Corvane.exe", Fmt(Summarize(signIn)));
        Line("  click -> check request arrives", Fmt(Summarize(toCheck)));
        Line("  check request -> browser form created", Fmt(Summarize(checkToCreated)));
        Line("  browser form created -> exam-page request arrives", Fmt(Summarize(createdToExam)));
        Line("  (browser form shown, from the click)", Fmt(Summarize(browserShown)));
        Line("bare client: check, then exam-page request", Fmt(rt, 2));
        const Stats sio = Summarize(signInOverhead);
        Line("OVERHEAD over the bare client", Fmt(sio));
        Line("target: overhead < 30 ms", Verdict(sio.n && sio.median < 30));
        printf("  the platform calls of a sign-in, each timed alone in a fresh process:\n");
        for (const std::string& name : callNames) Line(("  " + name).c_str(), Fmt(Summarize(callTimes[name])));
        Line("  all of them", Fmt(Summarize(callTotals)));
        Line("  (web browser control, common controls already loaded)", Fmt(Summarize(browserPreloaded)));
        printf("\n");

    }
    printf("TYPING: %d characters posted to the focused field, until all are in its text and painted (ms)\n",
           kTypedCharacters);
    printf("(both fields' focus checked before and after each round: %d round%s not timed for want of it)\n",
           typingUnfocused, typingUnfocused == 1 ? "" : "s");
    Line("minimal program, plain RichEdit20A window", Fmt(Summarize(typingPlain)));
    Line(("Corvane.exe, login form's ticket field (" + fieldClass + ")").c_str(), Fmt(Summarize(typingClient)));
    const Stats tr = Summarize(typingRatio);
    Line("ratio to the plain window", Fmt(tr, 2), "x");
    Line("target: within 1.5 times the plain window", Verdict(tr.n && tr.median <= 1.5));
    printf("\n");

    printf("MEMORY (MB), read once the window has shown and settled\n");
    auto memoryLines = [&](const char* what, const std::vector<double>& peak, const std::vector<double>& privateUsage,
                           const std::vector<double>& anonymous) {
        Line((std::string(what) + ": peak working set").c_str(), Fmt(Summarize(peak)));
        Line("    private bytes (PrivateUsage: swap only, under Wine)", Fmt(Summarize(privateUsage)));
        Line("    private: resident anonymous memory (Linux RssAnon)", Fmt(Summarize(anonymous)));
    };
    memoryLines("minimal program", minPeak, minPrivate, minAnon);
    memoryLines("Corvane.exe, login form", loginPeak, loginPrivate, loginAnon);
    if (!typingOnly) memoryLines("Corvane.exe, browser form open", browserPeak, browserPrivate, browserAnon);
    const Stats pd = Summarize(peakDiff);
    Line("login form peak working set over the minimal program", Fmt(pd));
    Line("target: within 10 MB", Verdict(pd.n && pd.median <= 10));
    printf("\n");

    if (!typingOnly) {
        printf("RESPONSIVENESS: a WM_NULL sent every 20 ms; longest gap between two handled probes\n");
        printf("(upper bound), longest wait of one probe (lower bound), median wait (ms)\n");
        auto gapLines = [&](const std::string& what, const WaitFigures& f) {
            Line((what + ": longest gap").c_str(), Fmt(Summarize(f.gap)));
            Line("    longest wait", Fmt(Summarize(f.wait)));
            Line("    median wait", Fmt(Summarize(f.median)));
        };
        gapLines("minimal program, idle 1 s", minIdle);
        gapLines("Corvane.exe, login form idle 1 s", clientIdle);
        char what[160];
        snprintf(what, sizeof what, "creation request unanswered %.0f s (OnlyWhenIdle True)", probeMs / 1000);
        gapLines(what, creation);
        snprintf(what, sizeof what, "sign-in request unanswered %.0f s (OnlyWhenIdle False)", probeMs / 1000);
        gapLines(what, signInWait);
        printf("  (probed: %s during creation, TFrmLogin during sign-in; %d probes unanswered in 5 s)\n",
               creationTarget.c_str(), unanswered);
        const Stats cg = Summarize(creation.gap), sg = Summarize(signInWait.gap);
        Line("target: longest gap < 300 ms (worst run)", Verdict(cg.n && sg.n && cg.max < 300 && sg.max < 300));
        printf("\n");

        char value[64];
        printf("REQUEST WITH A FULL COOKIE STORE: the sign-in check, request to reply (ms)\n");
        if (cookieRun.ok) {
            printf("(%zu cookies kept, 50 of 4096 bytes on each of 6 hosts; the request to one host: %zu bytes,\n"
                   " %zu without cookies; %zu requests of each, in turns)\n",
                   cookieRun.cookiesKept, cookieRun.requestBytes, cookieRun.plainBytes, cookieRun.withMs.size());
            const Stats with = Summarize(cookieRun.withMs), without = Summarize(cookieRun.withoutMs);
            Line("with the host's 50 cookies", Fmt(with, 2));
            Line("without cookies", Fmt(without, 2));
            snprintf(value, sizeof value, "%8.2f", with.median - without.median);
            Line("COST of the cookies (difference of the medians)", value);
            char probed[160];
            snprintf(probed, sizeof probed, "requesting %.0f s, OnlyWhenIdle False: longest gap", probeMs / 1000);
            Line(probed, Fmt(Summarize({cookieRun.probe.longestGapMs})));
            Line("    longest wait", Fmt(Summarize({cookieRun.probe.longestWaitMs})));
            Line("target: longest gap < 300 ms", Verdict(cookieRun.probe.probes > 0 && cookieRun.probe.longestGapMs < 300));
        } else {
            printf("  (failed: see the progress lines)\n");
        }
        printf("\n");

        printf("SIZE (MB)\n");
        snprintf(value, sizeof value, "%8.2f", exeMb);
        Line("Corvane.exe", value);
        snprintf(value, sizeof value, "%8.2f", minimalExeMb);
        Line("minimal_window.exe", value);
        Line("target: under 4 MB", Verdict(exeMb > 0 && exeMb < 4));
    }
    fflush(stdout);
    return 0;
}
