// The HTTP client's cookie store: cookies that replies set, kept in memory only and sent
// back on later requests whose host and path they match, until they expire.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace fw {
namespace http {

struct Cookie {
    std::string name, value, domain, path;
    bool hostOnly = true;
    bool secure = false;
    bool persistent = false;
    long long expires = 0;  // seconds since 1970, when persistent
    unsigned long long order = 0;
};

class CookieStore {
public:
    static constexpr size_t kMaxCookies = 300;         // in all
    static constexpr size_t kMaxCookiesPerHost = 50;   // with the same domain; the newest stay
    static constexpr size_t kMaxCookieBytes = 4096;    // name and value together
    // One Set-Cookie (version2 false) or Set-Cookie2 header value from a reply to a
    // request for `host` with path `requestPath`, at time `now`. A cookie over the size
    // limit, or whose name or value holds a control byte (below 0x20, or 0x7F), is not
    // stored: it would go back out inside a request header.
    void Take(const std::string& headerValue, bool version2, const std::string& host,
              const std::string& requestPath, long long now);
    // The Cookie header value for a request, or empty.
    std::string HeaderFor(const std::string& host, const std::string& requestPath, long long now) const;
    size_t Count() const { return cookies_.size(); }

private:
    void Store(Cookie c, long long now);
    std::vector<Cookie> cookies_;
    unsigned long long next_ = 0;
};

bool DomainMatches(const std::string& host, const std::string& domain);
bool PathMatches(const std::string& requestPath, const std::string& cookiePath);
// A cookie date (Expires) to seconds since 1970; false when it holds no date.
bool ParseCookieDate(const std::string& text, long long* seconds);

}  // namespace http
}  // namespace fw
