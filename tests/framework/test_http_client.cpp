// The HTTP client against a scripted server on 127.0.0.1: the bytes it sends, the replies
// it accepts or refuses, its connection reuse and its failure messages.
#include <gtest/gtest.h>
#include <winsock2.h>

#include "framework/IdHTTP.h"
#include "tests/support/FailureOf.h"
#include "tests/support/HttpClientProbe.h"
#include "tests/support/ScriptedServer.h"

using harness::ExpectedGet;
using harness::FailureOf;
using harness::HttpClient;
using harness::ScriptedReply;
using harness::ScriptedServer;

TEST(HttpClient, SendsTheRequestBytesWithHostPortAndThenTheServersCookies) {
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Ok("first", "Set-Cookie: JSESSIONID=A1B2; Path=/\r\nSet-cookie2: v=2; Path=\"/\"\r\n"));
    server.Enqueue(ScriptedReply::Ok("second"));
    HttpClient c;
    const std::string host = "127.0.0.1:" + std::to_string(server.Port());
    EXPECT_EQ("first", c->Get(server.BaseUrl() + "paper/getKdInfo.jsp"));
    EXPECT_EQ("second", c->Get(server.BaseUrl() + "paper\\Check.jsp?username=1 2&password=x#y&z"));
    auto reqs = server.Requests();
    ASSERT_EQ(2u, reqs.size());
    EXPECT_EQ(ExpectedGet("/paper/getKdInfo.jsp", host), reqs[0].raw);
    EXPECT_EQ(ExpectedGet("/paper/Check.jsp?username=1 2&password=x", host, "JSESSIONID=A1B2; v=2"), reqs[1].raw);
}

TEST(HttpClient, HostHeaderOmitsPort80) {
    std::unique_ptr<ScriptedServer> server;
    try {
        server = std::make_unique<ScriptedServer>(80);
    } catch (const std::exception&) {
        GTEST_SKIP() << "port 80 is not available here";
    }
    server->Enqueue(ScriptedReply::Ok("ok"));
    server->Enqueue(ScriptedReply::Ok("ok"));
    HttpClient c;
    EXPECT_EQ("ok", c->Get("http://LocalHost/a.jsp"));
    EXPECT_EQ("ok", c->Get("http://127.0.0.1:80/a.jsp"));
    auto reqs = server->Requests();
    ASSERT_EQ(2u, reqs.size());
    EXPECT_EQ(ExpectedGet("/a.jsp", "LocalHost"), reqs[0].raw);
    EXPECT_EQ(ExpectedGet("/a.jsp", "127.0.0.1"), reqs[1].raw);
}

TEST(HttpClient, KeepsTheConnectionUntilTheServerSaysCloseInAnyCase) {
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Ok("1"));
    server.Enqueue(ScriptedReply::Ok("2", "Connection: cLoSe\r\n"));
    server.Enqueue(ScriptedReply::Ok("3", "Proxy-Connection: CLOSE\r\n"));
    server.Enqueue(ScriptedReply::Ok("4"));
    HttpClient c;
    for (const char* body : {"1", "2", "3", "4"}) EXPECT_EQ(body, c->Get(server.BaseUrl() + "x"));
    auto reqs = server.Requests();
    ASSERT_EQ(4u, reqs.size());
    EXPECT_EQ(1, reqs[0].connection);
    EXPECT_EQ(1, reqs[1].connection);  // reused
    EXPECT_EQ(2, reqs[2].connection);  // after "cLoSe"
    EXPECT_EQ(3, reqs[3].connection);  // after Proxy-Connection
}

TEST(HttpClient, ReconnectsWhenTheServerClosedTheKeptConnection) {
    ScriptedServer server;
    ScriptedReply closing = ScriptedReply::Ok("1");
    closing.closeAfter = true;
    server.Enqueue(closing);
    server.Enqueue(ScriptedReply::Ok("2"));
    HttpClient c;
    EXPECT_EQ("1", c->Get(server.BaseUrl()));
    Sleep(100);
    EXPECT_EQ("2", c->Get(server.BaseUrl()));
    EXPECT_EQ(2, server.Requests()[1].connection);
}

TEST(HttpClient, ReadsChunkedAndToTheCloseBodiesAnd204WithoutBody) {
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                      "4\r\nabcd\r\n10 x\r\n0123456789abcdef\r\n0\r\n\r\n"));
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 204 No Content\r\n\r\n"));
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 200 OK\r\n\r\nuntil the end", true));
    server.Enqueue(ScriptedReply::Ok("after"));
    HttpClient c;
    EXPECT_EQ("abcd0123456789abcdef", c->Get(server.BaseUrl()));
    EXPECT_EQ("", c->Get(server.BaseUrl()));
    EXPECT_EQ("until the end", c->Get(server.BaseUrl()));
    EXPECT_FALSE(c->Connected());
    EXPECT_EQ("after", c->Get(server.BaseUrl()));
    auto reqs = server.Requests();
    ASSERT_EQ(4u, reqs.size());
    EXPECT_EQ(1, reqs[2].connection);
    EXPECT_EQ(2, reqs[3].connection);
}

TEST(HttpClient, ReturnsGbkAndUtf8BodiesByteForByte) {
    const std::string gbk = "\xD6\xD0\xCE\xC4\x5C\x00\xFF\r\n end";
    const std::string gbkBody(gbk.data(), 11);
    const std::string utf8 = "\xE4\xB8\xAD\xE6\x96\x87 \xEF\xBB\xBF";
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Ok(gbkBody));
    server.Enqueue(ScriptedReply::Ok(utf8));
    HttpClient c;
    EXPECT_EQ(gbkBody, c->Get(server.BaseUrl()));
    EXPECT_EQ(utf8, c->Get(server.BaseUrl()));
}

TEST(HttpClient, RefusesRedirectsAndLocationWithoutFollowingThem) {
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 302 Found\r\nLocation: /elsewhere\r\nContent-Length: 3\r\n\r\nmov"));
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nLocation: /elsewhere\r\nContent-Length: 2\r\n\r\nok"));
    HttpClient c;
    EXPECT_EQ("HTTP/1.1 302 Found", FailureOf([&] { c->Get(server.BaseUrl() + "a"); }));
    EXPECT_EQ("HTTP/1.1 200 OK", FailureOf([&] { c->Get(server.BaseUrl() + "b"); }));
    Sleep(200);
    EXPECT_EQ(2u, server.Requests().size());  // nothing fetched from /elsewhere
}

TEST(HttpClient, RefusedStatusCarriesLineCodeAndErrorBodyAndNextCallReconnects) {
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 100 Continue\r\n\r\n"
                                      "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found"));
    server.Enqueue(ScriptedReply::Ok("fine"));
    HttpClient c;
    try {
        c->Get(server.BaseUrl() + "missing.jsp");
        FAIL() << "a 404 must fail";
    } catch (const fw::EIdHTTPProtocolException& e) {
        EXPECT_EQ("HTTP/1.1 404 Not Found", e.Message());
        EXPECT_EQ(404, e.ReplyCode());
        EXPECT_EQ("not found", e.ErrorMessage());
    }
    EXPECT_EQ("fine", c->Get(server.BaseUrl()));
    EXPECT_EQ(2, server.Requests()[1].connection);
}

TEST(HttpClient, ErrorBodyIsReadForAtMostTwoSeconds) {
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 500 Server Error\r\n\r\npartial"));  // never closes
    HttpClient c;
    DWORD start = GetTickCount();
    try {
        c->Get(server.BaseUrl());
        FAIL() << "a 500 must fail";
    } catch (const fw::EIdHTTPProtocolException& e) {
        EXPECT_EQ("HTTP/1.1 500 Server Error", e.Message());
        EXPECT_EQ("partial", e.ErrorMessage());
    }
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 1900u);
    EXPECT_LT(took, 3500u);
}

TEST(HttpClient, FailsOnTruncatedBodiesLongLinesAndOversizedReplies) {
    ScriptedServer server;
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly this", true));
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nX-Long: " + std::string(16400, 'a') + "\r\n\r\n"));
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 100000000\r\n\r\n"));
    server.Enqueue(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nnothex\r\n"));
    server.Enqueue(ScriptedReply::Ok("still usable"));
    HttpClient c;
    EXPECT_EQ("Connection Closed Gracefully.", FailureOf([&] { c->Get(server.BaseUrl()); }));
    EXPECT_EQ("Max line length exceeded.", FailureOf([&] { c->Get(server.BaseUrl()); }));
    EXPECT_EQ(fw::http::kReplyTooLarge, FailureOf([&] { c->Get(server.BaseUrl()); }));
    EXPECT_EQ(fw::http::kInvalidChunkSize, FailureOf([&] { c->Get(server.BaseUrl()); }));
    EXPECT_EQ("still usable", c->Get(server.BaseUrl()));
}

TEST(HttpClient, FailsWithoutTrafficForHttpsAndUnknownSchemes) {
    ScriptedServer server;
    HttpClient c;
    const std::string port = std::to_string(server.Port());
    EXPECT_EQ("IOHandler value is not valid", FailureOf([&] { c->Get("https://127.0.0.1:" + port + "/"); }));
    EXPECT_EQ("IOHandler value is not valid", FailureOf([&] { c->Get("https://127.0.0.1/"); }));
    EXPECT_EQ("", FailureOf([&] { c->Get("gopher://127.0.0.1/x"); }));
    Sleep(100);
    EXPECT_EQ(0, server.Connections());
}

TEST(HttpClient, SocketErrorsCarryTheNumberAndItsText) {
    int freePort = 0;
    {
        ScriptedServer gone;  // a port that nobody listens on once it is gone
        freePort = gone.Port();
    }
    HttpClient c;
    EXPECT_EQ("Socket Error # 10061\r\nConnection refused.",
              FailureOf([&] { c->Get("http://127.0.0.1:" + std::to_string(freePort) + "/"); }));

    // The lookup fails inside the test's network namespace without any traffic; the
    // resolver may call it "not found" or "try again", and the number says which.
    try {
        c->Get("http://no-such-host.invalid/paper/getKdInfo.jsp");
        FAIL() << "an unresolvable name must fail";
    } catch (const fw::EIdWinSockError& e) {
        EXPECT_GE(e.LastError(), 11001);
        EXPECT_LE(e.LastError(), 11004);
        EXPECT_EQ("Socket Error # " + std::to_string(e.LastError()) + "\r\n" + fw::WinSockErrorText(e.LastError()),
                  e.Message());
    }
    EXPECT_EQ("Socket Error # 11001\r\nHost not found.", fw::EIdWinSockError(11001).Message());
    EXPECT_EQ("Socket Error # 11002\r\n", fw::EIdWinSockError(11002).Message());
    EXPECT_EQ("Socket Error # 10099\r\n", fw::EIdWinSockError(10099).Message());
    for (int n = 10004; n <= 10066; ++n) {
        bool defined = n == 10004 || n == 10009 || n == 10013 || n == 10014 || n == 10022 || n == 10024 || n >= 10035;
        EXPECT_EQ(defined, !fw::WinSockErrorText(n).empty()) << n;
    }
}

TEST(HttpClient, PublishedPropertiesSetByNameReachTheWire) {
    fw::RegisterHttpClasses();
    auto* http = dynamic_cast<fw::TIdHTTP*>(fw::TClassRegistry::CreateByName("TIdHTTP", nullptr));
    ASSERT_NE(nullptr, http);
    auto value = [](fw::TPropValue::Kind kind, const char* s) {
        fw::TPropValue v;
        v.kind = kind;
        v.s = s;
        return v;
    };
    fw::TPropValue options = value(fw::TPropValue::Set, "");
    options.set = {"hoForceEncodeParams"};
    EXPECT_TRUE(http->SetProperty("Request.UserAgent", value(fw::TPropValue::String, "Agent/1")));
    EXPECT_TRUE(http->SetProperty("Request.ContentType", value(fw::TPropValue::String, "")));
    EXPECT_TRUE(http->SetProperty("AllowCookies", value(fw::TPropValue::Ident, "False")));
    EXPECT_TRUE(http->SetProperty("MaxLineAction", value(fw::TPropValue::Ident, "maException")));
    EXPECT_TRUE(http->SetProperty("HTTPOptions", options));
    EXPECT_THROW(http->SetProperty("MaxLineAction", value(fw::TPropValue::Ident, "maOther")), fw::EReadError);

    ScriptedServer server;
    server.Enqueue(ScriptedReply::Ok("a", "Set-Cookie: s=1\r\n"));
    server.Enqueue(ScriptedReply::Ok("b"));
    http->Get(server.BaseUrl());
    http->Get(server.BaseUrl());
    // No cookies kept when they are not allowed; an empty Content-Type is left out.
    EXPECT_EQ("GET / HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.Port()) +
                  "\r\nAccept: text/html, */*\r\nUser-Agent: Agent/1\r\n\r\n",
              server.Requests()[1].raw);
    fw::Free(http);
}
