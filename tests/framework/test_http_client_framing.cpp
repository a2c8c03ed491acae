// The client against hostile and unusual replies on a kept connection: a reply's tail that
// arrives late is still read as part of it, a reply whose end cannot be trusted drops the
// connection, and each follow-up request gets its own reply. Also the cookies such replies
// may set, and the scripted server's own shutdown while a send is stuck.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <cstring>
#include <future>
#include <memory>
#include <thread>

#include "framework/IdHTTP.h"
#include "tests/support/FailureOf.h"
#include "tests/support/HttpClientProbe.h"
#include "tests/support/ScriptedServer.h"

using harness::ExpectedGet;
using harness::FailureOf;
using harness::HttpClient;
using harness::ScriptedReply;
using harness::ScriptedServer;

namespace {

// The reply's bytes up to `tail` sent at once, the rest 300 ms later.
ScriptedReply LateTail(const std::string& bytes, const std::string& tail) {
    ScriptedReply r = ScriptedReply::Raw(bytes);
    r.pauseAt = bytes.rfind(tail);
    r.pauseMs = 300;
    return r;
}

const std::string kChunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";

// A request with its folded header lines joined again.
std::string Unfolded(std::string raw) {
    for (size_t at; (at = raw.find("\r\n ")) != std::string::npos;) raw.erase(at, 2);
    return raw;
}

}  // namespace

TEST(HttpClientFraming, TrailerTailArrivingLateBelongsToItsReplyNotTheNext) {
    const std::string reply = kChunked + "2\r\nok\r\n0\r\nA: 1\r\n\r\n";
    // The tail held back before the trailer, inside it, and before its final empty line
    // (which, taken as the next reply's status line, would fail that call).
    for (const char* tail : {"A: 1\r\n\r\n", ": 1\r\n\r\n", "\r\n\r\n", "\r\n"}) {
        ScriptedServer server;
        server.Enqueue(LateTail(reply, tail));
        server.Enqueue(ScriptedReply::Ok("second"));
        HttpClient c;
        EXPECT_EQ("ok", c->Get(server.BaseUrl() + "a")) << tail;
        EXPECT_EQ("second", c->Get(server.BaseUrl() + "b")) << tail;
        auto reqs = server.Requests();
        ASSERT_EQ(2u, reqs.size());
        EXPECT_EQ(1, reqs[1].connection) << tail;  // the kept connection, in step
    }
}

TEST(HttpClientFraming, ChunkExtensionsAreIgnoredOnTheWire) {
    ScriptedServer server;
    server.Enqueue(LateTail(kChunked + "5;ext=1\r\nhello\r\n0;end=1\r\n\r\n", "0;end=1\r\n\r\n"));
    server.Enqueue(ScriptedReply::Ok("second"));
    HttpClient c;
    EXPECT_EQ("hello", c->Get(server.BaseUrl()));
    EXPECT_EQ("second", c->Get(server.BaseUrl()));
    EXPECT_EQ(1, server.Requests()[1].connection);
}

TEST(HttpClientFraming, UntrustedContentLengthFailsAndDropsTheConnection) {
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    for (const ScriptedReply& bad : {ScriptedReply::Raw(ok + "Content-Length: 2\r\nContent-Length: 5\r\n\r\nhello"),
                                     LateTail(ok + "Content-Length: 2\r\nContent-Length: 5\r\n\r\nhello", "llo"),
                                     ScriptedReply::Raw(ok + "Content-Length: -5\r\n\r\nhello")}) {
        ScriptedServer server;
        server.Enqueue(bad);
        server.Enqueue(ScriptedReply::Ok("own reply"));
        HttpClient c;
        EXPECT_EQ("Invalid Content-Length.", FailureOf([&] { c->Get(server.BaseUrl()); })) << bad.bytes;
        EXPECT_FALSE(c->Connected());
        EXPECT_EQ("own reply", c->Get(server.BaseUrl()));
        EXPECT_EQ(2, server.Requests()[1].connection);
    }
    // Equal ones are one length; the connection stays.
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Raw(ok + "Content-Length: 5\r\nContent-Length: 5\r\n\r\nhello"));
    server.Enqueue(ScriptedReply::Ok("own reply"));
    HttpClient c;
    EXPECT_EQ("hello", c->Get(server.BaseUrl()));
    EXPECT_EQ("own reply", c->Get(server.BaseUrl()));
    EXPECT_EQ(1, server.Requests()[1].connection);
}

TEST(HttpClientFraming, BytesBeyondTheAnnouncedEndAreNotReadAsTheNextReply) {
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nokHTTP/1.1 200 OK\r\n"
                                      "Content-Length: 5\r\n\r\nforged"));
    server.Enqueue(ScriptedReply::Ok("own reply"));
    HttpClient c;
    EXPECT_EQ("ok", c->Get(server.BaseUrl()));
    EXPECT_EQ("own reply", c->Get(server.BaseUrl()));
    EXPECT_EQ(2, server.Requests()[1].connection);
}

TEST(HttpClientFraming, CookiesWithControlBytesOrOverTheLimitsNeverReachTheRequest) {
    ScriptedServer server;
    std::string setCookies = "Set-Cookie: a=b\rX-Injected: 1\r\nSet-Cookie: n\x01=1\r\nSet-Cookie: del=\x7f\r\n"
                             "Set-Cookie: big=" + std::string(4094, 'x') + "\r\nSet-Cookie: good=1\r\n";
    server.Enqueue(ScriptedReply::Ok("first", setCookies));
    // 60 cookies of the largest kept size in one head: only the newest 50 are kept.
    std::string many;
    for (int i = 0; i < 60; ++i) many += "Set-Cookie: c" + std::to_string(i + 10) + "=" + std::string(4092, 'v') + "\r\n";
    server.Enqueue(ScriptedReply::Ok("second", many));
    server.Enqueue(ScriptedReply::Ok("third"));
    server.Enqueue(ScriptedReply::Ok("fourth"));
    HttpClient c;
    EXPECT_EQ("first", c->Get(server.BaseUrl()));
    EXPECT_EQ("second", c->Get(server.BaseUrl()));
    EXPECT_EQ("third", c->Get(server.BaseUrl()));
    auto reqs = server.Requests();
    ASSERT_EQ(3u, reqs.size());
    const std::string host = "127.0.0.1:" + std::to_string(server.Port());
    EXPECT_EQ(ExpectedGet("/", host, "good=1"), reqs[1].raw);
    // "good" was the host's oldest cookie, so it went first, then c10 to c19.
    std::string kept;
    for (int i = 20; i < 70; ++i) kept += (kept.empty() ? "c" : "; c") + std::to_string(i) + "=" + std::string(4092, 'v');
    EXPECT_EQ(ExpectedGet("/", host, kept), Unfolded(reqs[2].raw));
    EXPECT_EQ(50u, c->Cookies().Count());
}

TEST(ScriptedServerShutdown, StopsWhileASendIsBlockedOnADroppedClient) {
    auto* server = new ScriptedServer;
    // A body far larger than the socket buffers, refused by the client after its head.
    server->Enqueue(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 64000000\r\n\r\n" + std::string(16000000, 'x')));
    {
        HttpClient c;
        EXPECT_EQ(fw::http::kReplyTooLarge, FailureOf([&] { c->Get(server->BaseUrl()); }));
    }
    Sleep(200);
    auto stopped = std::make_shared<std::promise<void>>();
    std::future<void> done = stopped->get_future();
    std::thread([server, stopped] {
        delete server;
        stopped->set_value();
    }).detach();
    ASSERT_EQ(std::future_status::ready, done.wait_for(std::chrono::seconds(10))) << "the server did not stop";
}
