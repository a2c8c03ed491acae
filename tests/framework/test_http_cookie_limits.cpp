// What the cookie store refuses to keep, and folding the long Cookie header a full store makes.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/HttpCookies.h"
#include "framework/HttpProtocol.h"

using namespace fw::http;

namespace {

std::string Cookies(int from, int to, const std::string& value = "1") {
    std::string out;
    for (int i = from; i < to; ++i) out += (out.empty() ? "c" : "; c") + std::to_string(i) + "=" + value;
    return out;
}

}  // namespace

TEST(HttpCookieLimits, ControlBytesInNameOrValueKeepTheCookieOut) {
    for (const char* bad : {"\r", "\n", "\t", "\x01", "\x1f", "\x7f"}) {
        CookieStore store;
        store.Take("a=1", false, "h", "/", 0);
        store.Take(std::string("a=b") + bad + "X-Injected: 1", false, "h", "/", 0);  // the old one stays
        store.Take(std::string("n") + bad + "m=2", false, "h", "/", 0);
        store.Take(std::string("v=2") + bad + "x", true, "h", "/", 0);  // Set-Cookie2 as well
        EXPECT_EQ("a=1", store.HeaderFor("h", "/", 0)) << static_cast<int>(bad[0]);
    }
    CookieStore store;
    store.Take(std::string("z=a\0b", 5), false, "h", "/", 0);
    EXPECT_EQ(0u, store.Count());
    // Blanks around name and value are trimmed, not refused; bytes from 0x80 up are text.
    store.Take(" \tgbk=\xD6\xD0\xCE\xC4\t ; Path=/", false, "h", "/", 0);
    EXPECT_EQ("gbk=\xD6\xD0\xCE\xC4", store.HeaderFor("h", "/", 0));
}

TEST(HttpCookieLimits, NameAndValueTogetherOver4096BytesAreIgnored) {
    CookieStore store;
    store.Take("ab=" + std::string(4094, 'v'), false, "h", "/", 0);
    store.Take("abc=" + std::string(4094, 'v'), false, "h", "/", 0);
    store.Take(std::string(4097, 'n') + "=", false, "h", "/", 0);
    EXPECT_EQ("ab=" + std::string(4094, 'v'), store.HeaderFor("h", "/", 0));
}

TEST(HttpCookieLimits, FiftyNewestPerHostAndThreeHundredInAll) {
    CookieStore store;
    for (int i = 0; i < 60; ++i) store.Take("c" + std::to_string(i) + "=1", false, "h", "/", 0);
    store.Take("other=1", false, "g", "/", 0);
    EXPECT_EQ(51u, store.Count());
    EXPECT_EQ(Cookies(10, 60), store.HeaderFor("h", "/", 0));
    EXPECT_EQ("other=1", store.HeaderFor("g", "/", 0));
    // Setting a kept cookie again replaces it and pushes none out.
    store.Take("c10=2", false, "h", "/", 0);
    EXPECT_EQ(Cookies(10, 11, "2") + "; " + Cookies(11, 60), store.HeaderFor("h", "/", 0));

    // Seven hosts of 50: the oldest cookies overall give way, whichever host set them.
    CookieStore full;
    for (int host = 0; host < 7; ++host)
        for (int i = 0; i < 50; ++i)
            full.Take("c" + std::to_string(host * 50 + i) + "=1", false, "h" + std::to_string(host), "/", 0);
    EXPECT_EQ(CookieStore::kMaxCookies, full.Count());
    EXPECT_EQ("", full.HeaderFor("h0", "/", 0));
    EXPECT_EQ(Cookies(100, 150), full.HeaderFor("h2", "/", 0));
    EXPECT_EQ(Cookies(300, 350), full.HeaderFor("h6", "/", 0));
}

TEST(HttpCookieLimits, FoldingALineOfMegabytesTakesLinearTime) {
    // Four full stores of the largest cookies, a blank every few bytes: tens of thousands of segments.
    std::string chunk;
    while (chunk.size() < 4088) chunk += "abc ";
    std::string value;
    for (int i = 0; i < 4 * 300; ++i) value += (i ? "; c" : "c") + std::to_string(i) + "=" + chunk;
    const std::string line = "Cookie: " + value;
    const DWORD start = GetTickCount();
    std::vector<std::string> segments = FoldHeaderLine(line);
    EXPECT_LT(GetTickCount() - start, 2000u) << line.size() << " bytes";
    ASSERT_GT(segments.size(), line.size() / 80);
    std::string joined;
    for (size_t i = 0; i < segments.size(); ++i) {
        EXPECT_LE(segments[i].size(), 78u);
        EXPECT_TRUE(i == 0 || segments[i][0] == ' ') << i;
        joined += segments[i];
    }
    EXPECT_EQ(line, joined);  // broken before blanks: nothing added or lost
}
