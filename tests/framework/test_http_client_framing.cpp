// The client against hostile replies on a kept connection: each follow-up request gets its
// own reply; cookies with control bytes stay out; the scripted server stops while a send is stuck.
#include <gtest/gtest.h>
#include <winsock2.h>

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

}  // namespace

TEST(HttpClientFraming, TrailerTailArrivingLateBelongsToItsReplyNotTheNext) {
    const std::string reply = kChunked + "2\r\nok\r\n0\r\nA: 1\r\n\r\n";
    // Held back before the trailer, inside it, and before its final empty line.
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

TEST(HttpClientFraming, CookiesWithControlBytesOrOverTheSizeLimitNeverReachTheRequest) {
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Ok("first", "Set-Cookie: a=b\rX-Injected: 1\r\nSet-Cookie: n\x01=1\r\n"
                                              "Set-Cookie: del=\x7f\r\nSet-Cookie: big=" + std::string(4094, 'x') +
                                                  "\r\nSet-Cookie: good=1\r\n"));
    server.Enqueue(ScriptedReply::Ok("second"));
    HttpClient c;
    EXPECT_EQ("first", c->Get(server.BaseUrl()));
    EXPECT_EQ("second", c->Get(server.BaseUrl()));
    auto reqs = server.Requests();
    ASSERT_EQ(2u, reqs.size());
    EXPECT_EQ(ExpectedGet("/", "127.0.0.1:" + std::to_string(server.Port()), "good=1"), reqs[1].raw);
}

TEST(ScriptedServerShutdown, StopsWhileASendIsBlockedOnADroppedClient) {
    auto server = std::make_unique<ScriptedServer>();
    // A body far larger than the socket buffers, refused by the client after its head.
    server->Enqueue(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 64000000\r\n\r\n" + std::string(16000000, 'x')));
    {
        HttpClient c;
        EXPECT_EQ(fw::http::kReplyTooLarge, FailureOf([&] { c->Get(server->BaseUrl()); }));
    }
    Sleep(200);
    // Stopped on a thread of its own, so that a stop that hangs is reported here; that thread
    // is joined before the test ends in any case: no thread may outlive the test program's
    // last test (one still running while the program exits can crash it after its verdict).
    std::promise<void> stopped;
    std::future<void> done = stopped.get_future();
    std::thread stopper([&] {
        server.reset();
        stopped.set_value();
    });
    EXPECT_EQ(std::future_status::ready, done.wait_for(std::chrono::seconds(10))) << "the server did not stop";
    stopper.join();
}
