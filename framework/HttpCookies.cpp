#include "framework/HttpCookies.h"

#include <algorithm>
#include <cstring>

#include "framework/HttpProtocol.h"

namespace fw {
namespace http {

namespace {

std::string TrimBlanks(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

std::string Unquote(const std::string& s) {
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
    return s;
}

// Splits at `sep` outside double-quoted stretches.
std::vector<std::string> SplitOutsideQuotes(const std::string& s, char sep) {
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (char c : s) {
        if (c == '"') quoted = !quoted;
        if (c == sep && !quoted) parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

bool HasControlByte(const std::string& s) {
    for (char ch : s) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

bool IsIpAddress(const std::string& host) {
    return !host.empty() && host.find_first_not_of("0123456789.") == std::string::npos;
}

// The directory of a request path, as a cookie's default path.
std::string DefaultPath(const std::string& requestPath) {
    if (requestPath.empty() || requestPath[0] != '/') return "/";
    size_t last = requestPath.rfind('/');
    return last == 0 ? "/" : requestPath.substr(0, last);
}

bool ParseSeconds(const std::string& text, long long* seconds) {
    std::string t = TrimBlanks(text);
    bool negative = !t.empty() && t[0] == '-';
    if (negative) t.erase(0, 1);
    if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos) return false;
    long long v = 0;
    for (char c : t) {
        v = v * 10 + (c - '0');
        if (v > 1000000000000LL) break;  // far enough in the future
    }
    *seconds = negative ? -v : v;
    return true;
}

// Leading decimal digits of a token (at most `maxDigits`), followed by a non-digit or end.
bool LeadingNumber(const std::string& tok, size_t& pos, size_t minDigits, size_t maxDigits, int* value) {
    size_t start = pos;
    int v = 0;
    while (pos < tok.size() && tok[pos] >= '0' && tok[pos] <= '9' && pos - start < maxDigits)
        v = v * 10 + (tok[pos++] - '0');
    size_t n = pos - start;
    if (n < minDigits || n > maxDigits) return false;
    if (pos < tok.size() && tok[pos] >= '0' && tok[pos] <= '9') return false;
    *value = v;
    return true;
}

bool IsDateDelimiter(unsigned char c) {
    return c == 0x09 || (c >= 0x20 && c <= 0x2F) || (c >= 0x3B && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

}  // namespace

bool ParseCookieDate(const std::string& text, long long* seconds) {
    static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                          "jul", "aug", "sep", "oct", "nov", "dec"};
    bool haveTime = false, haveDay = false, haveMonth = false, haveYear = false;
    int hour = 0, minute = 0, second = 0, day = 0, month = 0, year = 0;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsDateDelimiter(static_cast<unsigned char>(text[i]))) ++i;
        size_t start = i;
        while (i < text.size() && !IsDateDelimiter(static_cast<unsigned char>(text[i]))) ++i;
        if (i == start) continue;
        std::string tok = text.substr(start, i - start);
        size_t p = 0;
        int h = 0, m = 0, s = 0, v = 0;
        if (!haveTime && LeadingNumber(tok, p, 1, 2, &h) && p < tok.size() && tok[p] == ':' &&
            LeadingNumber(tok, ++p, 1, 2, &m) && p < tok.size() && tok[p] == ':' && LeadingNumber(tok, ++p, 1, 2, &s)) {
            haveTime = true, hour = h, minute = m, second = s;
            continue;
        }
        p = 0;
        if (!haveDay && LeadingNumber(tok, p, 1, 2, &v)) {
            haveDay = true, day = v;
            continue;
        }
        if (!haveMonth && tok.size() >= 3) {
            std::string prefix = LowerAscii(tok.substr(0, 3));
            for (int k = 0; k < 12; ++k)
                if (prefix == kMonths[k]) haveMonth = true, month = k + 1;
            if (haveMonth) continue;
        }
        p = 0;
        if (!haveYear && LeadingNumber(tok, p, 2, 4, &v)) haveYear = true, year = v;
    }
    if (!haveTime || !haveDay || !haveMonth || !haveYear) return false;
    if (year >= 70 && year <= 99) year += 1900;
    else if (year < 70) year += 2000;
    if (day < 1 || day > 31 || year < 1601 || hour > 23 || minute > 59 || second > 59) return false;
    *seconds = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400LL +
               hour * 3600LL + minute * 60LL + second;
    return true;
}

bool DomainMatches(const std::string& host, const std::string& domain) {
    if (host == domain) return true;
    if (domain.empty() || IsIpAddress(host) || host.size() <= domain.size()) return false;
    return host.compare(host.size() - domain.size(), domain.size(), domain) == 0 &&
           host[host.size() - domain.size() - 1] == '.';
}

bool PathMatches(const std::string& requestPath, const std::string& cookiePath) {
    if (requestPath == cookiePath) return true;
    if (requestPath.size() < cookiePath.size() || requestPath.compare(0, cookiePath.size(), cookiePath) != 0)
        return false;
    return (!cookiePath.empty() && cookiePath.back() == '/') || requestPath[cookiePath.size()] == '/';
}

void CookieStore::Take(const std::string& headerValue, bool version2, const std::string& requestHost,
                       const std::string& requestPath, long long now) {
    const std::string host = LowerAscii(requestHost);
    std::vector<std::string> items;
    if (version2) items = SplitOutsideQuotes(headerValue, ',');
    else items.push_back(headerValue);
    for (const std::string& item : items) {
        std::vector<std::string> parts = SplitOutsideQuotes(item, ';');
        size_t eq = parts[0].find('=');
        if (eq == std::string::npos) continue;
        Cookie c;
        c.name = TrimBlanks(parts[0].substr(0, eq));
        c.value = TrimBlanks(parts[0].substr(eq + 1));
        if (c.name.empty() || c.name.size() + c.value.size() > kMaxCookieBytes) continue;
        if (HasControlByte(c.name) || HasControlByte(c.value)) continue;
        bool haveMaxAge = false, rejected = false;
        std::string domain;
        for (size_t k = 1; k < parts.size(); ++k) {
            size_t aeq = parts[k].find('=');
            std::string key = LowerAscii(TrimBlanks(parts[k].substr(0, aeq)));
            std::string val = aeq == std::string::npos ? std::string() : Unquote(TrimBlanks(parts[k].substr(aeq + 1)));
            long long t = 0;
            if (key == "max-age" && ParseSeconds(val, &t)) {
                haveMaxAge = true;
                c.persistent = true;
                c.expires = t <= 0 ? 0 : now + t;
            } else if (key == "expires" && !haveMaxAge && ParseCookieDate(val, &t)) {
                c.persistent = true;
                c.expires = t;
            } else if (key == "domain" && !val.empty()) {
                domain = LowerAscii(val[0] == '.' ? val.substr(1) : val);
            } else if (key == "path") {
                c.path = val;
            } else if (key == "secure") {
                c.secure = true;
            }
        }
        if (!domain.empty()) {
            if (!DomainMatches(host, domain)) rejected = true;
            c.domain = domain;
            c.hostOnly = false;
        } else {
            c.domain = host;
        }
        if (c.path.empty() || c.path[0] != '/') c.path = DefaultPath(requestPath);
        if (!rejected) Store(std::move(c), now);
    }
}

void CookieStore::Store(Cookie c, long long now) {
    c.order = next_++;
    for (auto it = cookies_.begin(); it != cookies_.end(); ++it) {
        if (it->name == c.name && it->domain == c.domain && it->path == c.path) {
            c.order = it->order;
            cookies_.erase(it);
            break;
        }
    }
    if (c.persistent && c.expires <= now) return;  // setting an expired cookie removes it
    cookies_.erase(std::remove_if(cookies_.begin(), cookies_.end(),
                                  [now](const Cookie& k) { return k.persistent && k.expires <= now; }),
                   cookies_.end());
    auto older = [](const Cookie& a, const Cookie& b) { return a.order < b.order; };
    const std::string& domain = c.domain;
    auto sameDomain = [&domain](const Cookie& k) { return k.domain == domain; };
    if (static_cast<size_t>(std::count_if(cookies_.begin(), cookies_.end(), sameDomain)) >= kMaxCookiesPerHost) {
        auto oldest = cookies_.end();
        for (auto it = cookies_.begin(); it != cookies_.end(); ++it)
            if (sameDomain(*it) && (oldest == cookies_.end() || older(*it, *oldest))) oldest = it;
        cookies_.erase(oldest);
    } else if (cookies_.size() >= kMaxCookies) {
        cookies_.erase(std::min_element(cookies_.begin(), cookies_.end(), older));
    }
    cookies_.push_back(std::move(c));
}

std::string CookieStore::HeaderFor(const std::string& requestHost, const std::string& requestPath,
                                   long long now) const {
    const std::string host = LowerAscii(requestHost);
    const std::string path = requestPath.empty() ? "/" : requestPath;
    std::vector<const Cookie*> sent;
    for (const Cookie& c : cookies_) {
        if (c.persistent && c.expires <= now) continue;
        if (c.secure) continue;  // this client has no secure transport
        if (c.hostOnly ? host != c.domain : !DomainMatches(host, c.domain)) continue;
        if (!PathMatches(path, c.path)) continue;
        sent.push_back(&c);
    }
    // Longer paths first, then the older cookie first.
    std::stable_sort(sent.begin(), sent.end(), [](const Cookie* a, const Cookie* b) {
        return a->path.size() != b->path.size() ? a->path.size() > b->path.size() : a->order < b->order;
    });
    std::string out;
    for (const Cookie* c : sent) {
        if (!out.empty()) out += "; ";
        out += c->name + "=" + c->value;
    }
    return out;
}

}  // namespace http
}  // namespace fw
