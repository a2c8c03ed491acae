#include "tools/bench/CookieRequest.h"

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "framework/HttpCookies.h"
#include "framework/IdAntiFreeze.h"
#include "framework/IdHTTP.h"
#include "framework/MessagePump.h"
#include "tests/support/ScriptedServer.h"
#include "tools/bench/Cases.h"
#include "tools/bench/PlainWindow.h"

namespace bench {

namespace {

const char* const kHosts[] = {"127.0.0.1", "127.0.0.2", "127.0.0.3", "127.0.0.4", "127.0.0.5", "127.0.0.6"};

// One reply's worth of cookies for a host: as many as a host may keep, each as large as kept.
std::string FillingCookies() {
    std::string headers;
    for (size_t i = 0; i < fw::http::CookieStore::kMaxCookiesPerHost; ++i) {
        std::string name = "k" + std::to_string(100 + i);
        headers += "Set-Cookie: " + name + "=" + std::string(fw::http::CookieStore::kMaxCookieBytes - name.size(), 'v') +
                   "; Path=/\r\n";
    }
    return headers;
}

}  // namespace

CookieRequestRun RunCookieRequests(int requests, double probeMs) {
    CookieRequestRun run;
    std::vector<std::unique_ptr<harness::ScriptedServer>> servers;
    try {
        for (const char* host : kHosts) servers.push_back(std::make_unique<harness::ScriptedServer>(host));
    } catch (const std::exception& e) {
        Progress("cookie request: %s", e.what());
        return run;
    }
    const std::string cookies = FillingCookies();
    for (auto& s : servers)
        s->SetHandler([&cookies](const harness::ScriptedRequest& r) {
            return r.Target() == "/fill" ? harness::ScriptedReply::Ok("filled", cookies) : harness::ScriptedReply::Ok("0");
        });
    const std::string check = servers[0]->BaseUrl() + (kCheckPage + 1) + std::string("?username=") + kTicket +
                              "&password=" + kDocument;

    std::atomic<HWND> window{nullptr};
    std::atomic<bool> failed{false}, probed{false};
    std::thread ui([&] {
        fw::SetMainThreadId(GetCurrentThreadId());
        HWND w = ShowPlainWindow("BenchCookieWindow", "cookies");
        auto* antiFreeze = fw::Create<fw::TIdAntiFreeze>(nullptr);
        antiFreeze->OnlyWhenIdle = false;
        auto* full = fw::Create<fw::TIdHTTP>(nullptr);
        auto* plain = fw::Create<fw::TIdHTTP>(nullptr);
        try {
            for (auto& s : servers) full->Get(s->BaseUrl() + "fill");
            run.cookiesKept = full->Cookies().Count();
            full->Get(check);  // warm-up, on kept connections from here on
            plain->Get(check);
            fw::ProcessApplicationMessages();
            window = w;
            for (int i = 0; i < requests || !probed; ++i) {
                double t = NowMs();
                full->Get(check);
                run.withMs.push_back(NowMs() - t);
                fw::ProcessApplicationMessages();
                t = NowMs();
                plain->Get(check);
                run.withoutMs.push_back(NowMs() - t);
                fw::ProcessApplicationMessages();
            }
        } catch (const fw::Exception& e) {
            Progress("cookie request: %s", e.Message().c_str());
            failed = true;
            window = w;
        }
        fw::Free(plain);
        fw::Free(full);
        fw::Free(antiFreeze);
        DestroyWindow(w);
    });
    while (!window) Sleep(1);
    if (!failed) run.probe = Probe(window, probeMs);
    probed = true;
    ui.join();
    size_t largest = 0, smallest = ~size_t(0);
    for (const auto& r : servers[0]->Requests())
        if (r.Target().find(kCheckPage) == 0) largest = std::max(largest, r.raw.size()), smallest = std::min(smallest, r.raw.size());
    run.requestBytes = largest;
    run.plainBytes = smallest;
    run.ok = !failed && !run.withMs.empty();
    return run;
}

}  // namespace bench
