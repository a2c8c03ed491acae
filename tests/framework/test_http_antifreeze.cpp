// The anti-freeze keeps the user-interface thread's messages flowing while the HTTP client
// waits: on a silent server, on a slow one (only when not limited to idle slices), and
// during a connection attempt that is never answered and gives up.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <thread>
#include <vector>

#include "framework/IdAntiFreeze.h"
#include "framework/IdHTTP.h"
#include "framework/MessagePump.h"
#include "tests/support/FailureOf.h"
#include "tests/support/ScriptedServer.h"

using harness::ScriptedReply;
using harness::ScriptedServer;

namespace {

std::vector<DWORD>* g_ticks = nullptr;

LRESULT CALLBACK TickWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER && g_ticks) g_ticks->push_back(GetTickCount());
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// A window with a fast timer: each WM_TIMER handled marks a moment the queue was served.
class TickWindow {
public:
    TickWindow() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TickWndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HttpTickWindow";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowA("HttpTickWindow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        SetTimer(hwnd_, 1, 20, nullptr);
        g_ticks = &ticks;
    }
    ~TickWindow() {
        g_ticks = nullptr;
        KillTimer(hwnd_, 1);
        DestroyWindow(hwnd_);
    }
    // The longest stretch between start, the handled ticks and end.
    DWORD LongestGap(DWORD start, DWORD end) const {
        DWORD last = start, gap = 0;
        for (DWORD t : ticks) gap = std::max(gap, t - last), last = t;
        return std::max(gap, end - last);
    }
    std::vector<DWORD> ticks;

private:
    HWND hwnd_;
};

class AntiFreezeTest : public ::testing::Test {
protected:
    void SetUp() override {
        fw::SetMainThreadId(GetCurrentThreadId());
        antiFreeze = fw::Create<fw::TIdAntiFreeze>(nullptr);
        http = fw::Create<fw::TIdHTTP>(nullptr);
    }
    void TearDown() override {
        fw::Free(http);
        fw::Free(antiFreeze);
    }
    std::string Failure(const std::string& url) {
        return harness::FailureOf([&] { http->Get(url); });
    }
    fw::TIdAntiFreeze* antiFreeze = nullptr;
    fw::TIdHTTP* http = nullptr;
};

}  // namespace

TEST_F(AntiFreezeTest, SilentServerKeepsMessagesFlowingInBothModes) {
    for (bool onlyWhenIdle : {true, false}) {
        ScriptedServer server;
        ScriptedReply silent;
        silent.never = true;
        server.Enqueue(silent);
        antiFreeze->OnlyWhenIdle = onlyWhenIdle;
        http->ReadTimeout = 1500;  // ends the wait
        TickWindow window;
        DWORD start = GetTickCount();
        EXPECT_EQ("Read timed out.", Failure(server.BaseUrl()));
        DWORD end = GetTickCount();
        EXPECT_GE(window.ticks.size(), 4u) << "OnlyWhenIdle " << onlyWhenIdle;
        EXPECT_LT(window.LongestGap(start, end), 400u) << "OnlyWhenIdle " << onlyWhenIdle;
    }
}

TEST_F(AntiFreezeTest, ArrivingDataPumpsOnlyWhenNotLimitedToIdleSlices) {
    const std::string reply = "HTTP/1.1 200 OK\r\n\r\n";  // 19 bytes, to the close
    size_t ticksWhenIdleOnly = 0;
    for (bool onlyWhenIdle : {true, false}) {
        ScriptedServer server;
        ScriptedReply slow = ScriptedReply::Raw(reply, true);
        slow.trickleMs = 60;  // never a whole idle slice without data
        server.Enqueue(slow);
        antiFreeze->OnlyWhenIdle = onlyWhenIdle;
        TickWindow window;
        DWORD start = GetTickCount();
        EXPECT_EQ("", http->Get(server.BaseUrl()));
        DWORD end = GetTickCount();
        EXPECT_GE(end - start, 900u);
        if (onlyWhenIdle) {
            ticksWhenIdleOnly = window.ticks.size();
        } else {
            EXPECT_LT(window.LongestGap(start, end), 400u);
            EXPECT_GT(window.ticks.size(), ticksWhenIdleOnly + 3);
        }
    }
    EXPECT_LE(ticksWhenIdleOnly, 3u);
}

TEST_F(AntiFreezeTest, UnansweredConnectionAttemptGivesUpAndPumpsMeanwhile) {
    // A listener whose accept queue is full drops further connection attempts unanswered.
    WSADATA wsa;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &wsa));
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(0, bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr));
    ASSERT_EQ(0, listen(listener, 0));
    int len = sizeof addr;
    getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    std::vector<SOCKET> fillers;
    bool full = false;
    for (int i = 0; i < 16 && !full; ++i) {
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        u_long nb = 1;
        ioctlsocket(s, FIONBIO, &nb);
        connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        fillers.push_back(s);
        fd_set w;
        FD_ZERO(&w);
        FD_SET(s, &w);
        timeval tv = {0, 300000};
        full = select(0, nullptr, &w, nullptr, &tv) == 0;
    }
    ASSERT_TRUE(full) << "the accept queue never filled";

    http->ConnectTimeout = 1000;
    TickWindow window;
    DWORD start = GetTickCount();
    EXPECT_EQ("Connect timed out.", Failure("http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/"));
    DWORD end = GetTickCount();
    EXPECT_GE(end - start, 1000u);
    EXPECT_LT(end - start, 1600u);
    EXPECT_LT(window.LongestGap(start, end), 400u);
    for (SOCKET s : fillers) closesocket(s);
    closesocket(listener);
    WSACleanup();
}

TEST(AntiFreeze, ActsForTheProcessOnlyOnTheUiThreadWhileActive) {
    fw::SetMainThreadId(GetCurrentThreadId());
    EXPECT_EQ(nullptr, fw::TIdAntiFreeze::ForCurrentThread());
    auto* first = fw::Create<fw::TIdAntiFreeze>(nullptr);
    EXPECT_EQ(first, fw::TIdAntiFreeze::ForCurrentThread());
    fw::TIdAntiFreeze* seenElsewhere = first;
    std::thread([&] { seenElsewhere = fw::TIdAntiFreeze::ForCurrentThread(); }).join();
    EXPECT_EQ(nullptr, seenElsewhere);

    fw::RegisterHttpClasses();
    auto* second = dynamic_cast<fw::TIdAntiFreeze*>(fw::TClassRegistry::CreateByName("TIdAntiFreeze", nullptr));
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(second, fw::TIdAntiFreeze::ForCurrentThread());  // the newest active one
    fw::TPropValue no;
    no.kind = fw::TPropValue::Ident;
    no.s = "False";
    EXPECT_TRUE(second->SetProperty("Active", no));
    EXPECT_EQ(first, fw::TIdAntiFreeze::ForCurrentThread());
    fw::Free(first);
    EXPECT_EQ(nullptr, fw::TIdAntiFreeze::ForCurrentThread());
    fw::Free(second);
}
