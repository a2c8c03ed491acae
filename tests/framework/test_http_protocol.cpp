// The HTTP client's protocol logic over bytes: URL splitting, header folding, reply and
// chunk parsing, cookie matching.
#include <gtest/gtest.h>

#include "framework/HttpCookies.h"
#include "framework/HttpProtocol.h"
#include "tests/support/FailureOf.h"
#include "tests/support/SegmentSource.h"

using namespace fw;
using namespace fw::http;
using harness::FailureOf;

namespace {

struct Reply {
    ReplyHead head;
    std::string body;
};

Reply ReadAll(const std::string& bytes, size_t segment = 3) {
    harness::SegmentSource src(bytes, segment);
    InputBuffer in(src);
    Reply r;
    r.head = ReadReplyHead(in);
    bool untilClose = false;
    ReadBody(in, r.head, r.body, &untilClose);
    return r;
}

}  // namespace

TEST(HttpUrl, SplitsSchemeHostPortPathPageAndQuery) {
    Url u = SplitUrl("http://exam.local:8080/paper/ClientLogin_Exam_Check.jsp?username=1 2&password=a=b");
    EXPECT_EQ("http", u.protocol);
    EXPECT_EQ("exam.local", u.host);
    EXPECT_EQ("8080", u.port);
    EXPECT_EQ("/paper/", u.path);
    EXPECT_EQ("ClientLogin_Exam_Check.jsp", u.document);
    EXPECT_EQ("?username=1 2&password=a=b", u.params);

    Url bare = SplitUrl("127.0.0.1");  // no scheme, no path
    EXPECT_EQ("http", bare.protocol);
    EXPECT_EQ("80", bare.port);
    EXPECT_EQ("/", bare.Target());

    Url creds = SplitUrl("HTTPS://user:p:w@host/a");
    EXPECT_EQ("user", creds.username);
    EXPECT_EQ("p:w", creds.password);
    EXPECT_EQ("host", creds.host);
    EXPECT_EQ("443", creds.port);

    // Without "?", the first "=" starts the query, and the path ends before it.
    Url eq = SplitUrl("http://h/a/b.jsp=x/y");
    EXPECT_EQ("/a/", eq.path);
    EXPECT_EQ("b.jsp", eq.document);
    EXPECT_EQ("=x/y", eq.params);
}

TEST(HttpUrl, UnknownSchemeNeedsAPortAndFailsWithAnEmptyMessage) {
    EXPECT_EQ("", FailureOf([] { SplitUrl("ftp://h/x"); }));
    EXPECT_EQ("21", SplitUrl("ftp://h:21/x").port);
}

TEST(HttpUrl, FragmentIsCutFromPageTogetherWithTheQueryOrFromTheQuery) {
    EXPECT_EQ("/p/a.jsp", SplitUrl("http://h/p/a.jsp#top?k=1").Target());
    EXPECT_EQ("/p/a.jsp?u=1&p=", SplitUrl("http://h/p/a.jsp?u=1&p=#x&LocalIp=1").Target());
}

TEST(HttpUrl, BackslashesBecomeSlashesExceptAsTrailBytes) {
    // 0xD5 0x5C is one double-byte character; the lone backslash after it is not.
    const std::string url = "http:\\\\h\\paper\\a.jsp?u=\xD5\x5C\\";
    EXPECT_EQ("http://h/paper/a.jsp?u=\xD5\x5C/", SlashBackslashes(url));
    Url u = SplitUrl(url);
    EXPECT_EQ("h", u.host);
    EXPECT_EQ("/paper/a.jsp?u=\xD5\x5C/", u.Target());
}

TEST(HttpRequest, BuildsTheRequestLineAndHeadersInOrderWithHostPortRule) {
    RequestHeaders h{"text/html", "text/html, */*", "UA", ""};
    EXPECT_EQ("GET /a/b.jsp?x=1 y HTTP/1.1\r\nContent-Type: text/html\r\nHost: h\r\n"
              "Accept: text/html, */*\r\nUser-Agent: UA\r\n\r\n",
              BuildGetRequest(SplitUrl("http://h/a/b.jsp?x=1 y"), h));
    h.cookie = "a=1";
    h.contentType.clear();
    EXPECT_EQ("GET / HTTP/1.1\r\nHost: h:8080\r\nAccept: text/html, */*\r\nUser-Agent: UA\r\nCookie: a=1\r\n\r\n",
              BuildGetRequest(SplitUrl("http://h:8080"), h));
}

TEST(HttpRequest, LongHeaderLinesFoldAtBlanksAndCommasOutsideQuotes) {
    EXPECT_EQ(std::vector<std::string>{"Accept: text/html, */*"}, FoldHeaderLine("Accept: text/html, */*"));

    std::string value;
    for (int i = 0; i < 12; ++i) value += "name" + std::to_string(i) + "=value; ";
    value += "last=1";
    auto segments = FoldHeaderLine("Cookie: " + value);
    ASSERT_GT(segments.size(), 1u);
    std::string joined;
    for (size_t i = 0; i < segments.size(); ++i) {
        EXPECT_LE(segments[i].size(), 78u) << segments[i];
        if (i > 0) {
            EXPECT_EQ(' ', segments[i][0]);
        }
        joined += segments[i];
    }
    EXPECT_EQ("Cookie: " + value, joined);  // broken before blanks: nothing added or lost

    // Commas inside quotes do not break; one outside does, and the next line gets a blank.
    const std::string quoted = "X: \"" + std::string(80, 'a') + ",b\"," + std::string(10, 'c');
    auto q = FoldHeaderLine(quoted);
    ASSERT_EQ(2u, q.size());
    EXPECT_EQ("X: \"" + std::string(80, 'a') + ",b\",", q[0]);
    EXPECT_EQ(" " + std::string(10, 'c'), q[1]);

    // Nothing to break at: the line stays whole.
    EXPECT_EQ(1u, FoldHeaderLine("X: " + std::string(100, 'z')).size());
}

TEST(HttpReply, ReadsHeadersWithoutCaseFoldedAndPastContinueBlocks) {
    Reply r = ReadAll("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 100 Continue\r\nX: 1\r\n\r\n"
                      "HTTP/1.1 404 Not Found\r\ncontent-LENGTH: 2\r\nX-Folded: a\r\n\tb\r\n\r\nno+extra");
    EXPECT_EQ("HTTP/1.1 404 Not Found", r.head.statusLine);
    EXPECT_EQ(404, r.head.code);
    EXPECT_EQ("no", r.body);
    EXPECT_EQ("a b", r.head.headers.Value("x-folded"));
    EXPECT_FALSE(r.head.headers.Has("X"));  // belonged to a 100 block
    EXPECT_EQ(-1, StatusCodeOf("garbage"));
    EXPECT_EQ(-1, StatusCodeOf("HTTP/1.1 2000 Big"));
}

TEST(HttpReply, ChunkedBodiesAndChunkSizeLines) {
    Reply r = ReadAll("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                      "5 ignored words\r\nhello\r\n1A\r\nabcdefghijklmnopqrstuvwxyz\r\n0\r\n\r\n", 1);
    EXPECT_EQ("helloabcdefghijklmnopqrstuvwxyz", r.body);

    unsigned long long n = 0;
    EXPECT_TRUE(ParseChunkSize("ffffffffffffffff", &n));
    EXPECT_EQ(~0ull, n);
    EXPECT_FALSE(ParseChunkSize("10000000000000000", &n));  // overflows 64 bits
    EXPECT_FALSE(ParseChunkSize("", &n));
    EXPECT_FALSE(ParseChunkSize("-5", &n));
    EXPECT_FALSE(ParseChunkSize("0x5", &n));
    EXPECT_TRUE(ParseChunkSize("5;ext=1", &n));  // a blank or ';' ends the size
    EXPECT_FALSE(ParseChunkSize("5\t", &n));

    const std::string head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    EXPECT_EQ(kInvalidChunkSize, FailureOf([&] { ReadAll(head + "zz\r\n"); }));
    EXPECT_EQ(kReplyTooLarge, FailureOf([&] { ReadAll(head + "7fffffffffffffff\r\nab"); }));
    // "Chunked" in another case is not chunked: the body runs to the close.
    EXPECT_EQ("5\r\nhello", ReadAll("HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\n5\r\nhello").body);
}

TEST(HttpReply, BodyFramingByLengthCloseOrNothingAndItsFailures) {
    EXPECT_EQ("to the close", ReadAll("HTTP/1.0 200 OK\r\n\r\nto the close").body);
    EXPECT_EQ("", ReadAll("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\nleft over").body);
    // A length is taken before chunking.
    EXPECT_EQ("abc", ReadAll("HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding: chunked\r\n\r\nabcdef").body);
    EXPECT_EQ("Connection Closed Gracefully.", FailureOf([] { ReadAll("HTTP/1.1 200 OK\r\nContent-Le"); }));
    EXPECT_EQ(kInvalidContentLength, FailureOf([] { ReadAll("HTTP/1.1 200 OK\r\nContent-Length: 1x\r\n\r\n"); }));
    EXPECT_EQ(kReplyTooLarge, FailureOf([] {
                  ReadAll("HTTP/1.1 200 OK\r\n\r\n" + std::string(kMaxBodyBytes + 1, 'x'), 1 << 20);
              }));
}

TEST(HttpReply, LinesOverTheMaximumFailOrSplit) {
    const std::string at = "X: " + std::string(kDefaultMaxLineLength - 3, 'a');
    EXPECT_EQ(at.substr(3), ReadAll("HTTP/1.1 200 OK\r\n" + at + "\r\nContent-Length: 0\r\n\r\n", 4096)
                                .head.headers.Value("X"));
    EXPECT_EQ("Max line length exceeded.",
              FailureOf([&] { ReadAll("HTTP/1.1 200 OK\r\n" + at + "a\r\n\r\n", 4096); }));
    // Even before the line's end has arrived.
    EXPECT_EQ("Max line length exceeded.", FailureOf([] { ReadAll(std::string(40000, 'H'), 4096); }));

    harness::SegmentSource src("abcdefgh\r\n", 3);
    InputBuffer in(src);
    in.maxLineLength = 5;
    in.splitLongLines = true;
    EXPECT_EQ("abcde", in.ReadLine());
    EXPECT_EQ("fgh", in.ReadLine());
}

TEST(HttpCookies, MatchesHostPathAndExpiry) {
    const long long now = 1700000000;
    CookieStore store;
    store.Take("JSESSIONID=abc; Path=/; HttpOnly", false, "Exam.Local", "/paper/getKdInfo.jsp", now);
    store.Take("dir=1", false, "exam.local", "/paper/getKdInfo.jsp", now);  // default path /paper
    store.Take("short=1; Max-Age=10", false, "exam.local", "/", now);
    store.Take("old=1; Expires=Thu, 01 Jan 1970 00:00:00 GMT", false, "exam.local", "/", now);
    store.Take("wide=1; Domain=.local", false, "exam.local", "/", now);
    store.Take("foreign=1; Domain=other.org", false, "exam.local", "/", now);  // rejected
    store.Take("safe=1; Secure", false, "exam.local", "/", now);

    EXPECT_EQ("dir=1; JSESSIONID=abc; short=1; wide=1",
              store.HeaderFor("exam.local", "/paper/ClientLogin_Exam_Check.jsp", now));
    EXPECT_EQ("JSESSIONID=abc; wide=1", store.HeaderFor("exam.local", "/paperx", now + 11));
    EXPECT_EQ("wide=1", store.HeaderFor("sub.exam.local", "/", now));
    EXPECT_EQ("", store.HeaderFor("10.0.0.1", "/", now));

    // Setting a cookie again replaces it; an expired setting removes it.
    store.Take("JSESSIONID=def; Path=/", false, "exam.local", "/", now);
    store.Take("dir=; Max-Age=0; Path=/paper", false, "exam.local", "/", now);
    EXPECT_EQ("JSESSIONID=def; short=1; wide=1", store.HeaderFor("exam.local", "/paper/a.jsp", now));
}

TEST(HttpCookies, SetCookie2HoldsSeveralCookiesAndStoreIsBounded) {
    CookieStore store;
    store.Take("a=\"1,2\"; Version=\"1\"; Path=\"/\", b=2; Version=1", true, "h", "/x", 0);
    EXPECT_EQ("a=\"1,2\"; b=2", store.HeaderFor("h", "/", 0));
    for (int i = 0; i < 1000; ++i) store.Take("c" + std::to_string(i) + "=1", false, "h" + std::to_string(i % 10), "/", 0);
    EXPECT_EQ(CookieStore::kMaxCookies, store.Count());
}

TEST(HttpCookies, DatesInTheUsualFormats) {
    long long t = 0;
    ASSERT_TRUE(ParseCookieDate("Sun, 06 Nov 1994 08:49:37 GMT", &t));
    EXPECT_EQ(784111777, t);
    ASSERT_TRUE(ParseCookieDate("Sunday, 06-Nov-94 08:49:37 GMT", &t));
    EXPECT_EQ(784111777, t);
    ASSERT_TRUE(ParseCookieDate("Sun Nov  6 08:49:37 1994", &t));
    EXPECT_EQ(784111777, t);
    EXPECT_FALSE(ParseCookieDate("tomorrow", &t));
    EXPECT_FALSE(ParseCookieDate("Sun, 32 Nov 1994 08:49:37 GMT", &t));
}
