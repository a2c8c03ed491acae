#include "framework/HttpProtocol.h"
#include "framework/HttpCookies.h"

#include <climits>

namespace fw {
namespace http {

const char* const kMaxLineLengthExceeded = "Max line length exceeded.";
const char* const kReplyTooLarge = "Reply exceeds the size limit.";
const char* const kInvalidChunkSize = "Invalid chunk size.";
const char* const kInvalidContentLength = "Invalid Content-Length.";

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimBlanks(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return s.substr(b, e - b);
}

}  // namespace

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

// ---- URL ---------------------------------------------------------------------------------

std::string SlashBackslashes(const std::string& url) {
    std::string out = url;
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte936(c) && i + 1 < out.size()) {
            ++i;  // the trail byte belongs to the character, whatever its value
        } else if (c == '\\') {
            out[i] = '/';
        }
    }
    return out;
}

Url SplitUrl(const std::string& raw) {
    const std::string url = SlashBackslashes(raw);
    Url u;
    std::string rest = url;
    // A "://" counts as the scheme's end only when no "/" comes before it.
    size_t sep = url.find("://");
    if (sep != std::string::npos && url.find('/') == sep + 1) {
        u.protocol = url.substr(0, sep);
        rest = url.substr(sep + 3);
    } else {
        u.protocol = "http";
    }

    size_t slash = rest.find('/');
    std::string authority = rest.substr(0, slash);
    std::string resource = slash == std::string::npos ? std::string() : rest.substr(slash);

    size_t at = authority.rfind('@');
    if (at != std::string::npos) {
        std::string userInfo = authority.substr(0, at);
        authority.erase(0, at + 1);
        size_t colon = userInfo.find(':');
        u.username = userInfo.substr(0, colon);
        if (colon != std::string::npos) u.password = userInfo.substr(colon + 1);
    }
    size_t colon = authority.find(':');
    u.host = authority.substr(0, colon);
    if (colon != std::string::npos) u.port = authority.substr(colon + 1);
    if (u.port.empty()) {
        if (SameText(u.protocol, "http")) u.port = "80";
        else if (SameText(u.protocol, "https")) u.port = "443";
        else throw EIdException("");
    }

    size_t queryAt = resource.find('?');
    if (queryAt == std::string::npos) queryAt = resource.find('=');
    std::string before = resource.substr(0, queryAt);
    if (queryAt != std::string::npos) u.params = resource.substr(queryAt);
    size_t last = before.rfind('/');
    if (last == std::string::npos) {
        u.path = "/";
        u.document = before;
    } else {
        u.path = before.substr(0, last + 1);
        u.document = before.substr(last + 1);
    }
    if (u.path[0] != '/') u.path.insert(0, 1, '/');

    // Nothing from a fragment mark on is sent; in the page it takes the query with it.
    size_t hash = u.document.find('#');
    if (hash != std::string::npos) {
        u.document.resize(hash);
        u.params.clear();
    } else if ((hash = u.params.find('#')) != std::string::npos) {
        u.params.resize(hash);
    }
    return u;
}

// ---- request ------------------------------------------------------------------------------

std::vector<std::string> FoldHeaderLine(const std::string& line, size_t width) {
    std::vector<std::string> out;
    // What is left to fold is line[start..], after a blank of our own when `pad` is set; it
    // is never copied, so folding costs time linear in the line's length.
    size_t start = 0;
    bool pad = false;
    auto restSize = [&] { return line.size() - start + (pad ? 1 : 0); };
    auto restAt = [&](size_t i) { return pad ? (i == 0 ? ' ' : line[start + i - 1]) : line[start + i]; };
    // The first segment keeps at least one byte of the value after "Name: ".
    size_t nameEnd = line.find(": ");
    size_t minCut = nameEnd == std::string::npos ? 1 : nameEnd + 3;
    while (restSize() > width) {
        const size_t size = restSize();
        size_t best = std::string::npos, beyond = std::string::npos;
        bool quoted = false, seenText = false;
        for (size_t i = 0; i < size; ++i) {
            char c = restAt(i);
            size_t cut = std::string::npos;
            if (c == '"') {
                quoted = !quoted;
            } else if (!quoted) {
                if (IsBlank(c) && seenText && !IsBlank(restAt(i - 1))) cut = i;  // before the blank
                else if (c == ',' && i + 1 < size) cut = i + 1;                 // after the comma
            }
            if (!IsBlank(c)) seenText = true;
            if (cut == std::string::npos || cut < minCut) continue;
            if (cut <= width) {
                best = cut;
            } else {
                beyond = cut;
                break;
            }
        }
        size_t at = best != std::string::npos ? best : beyond;
        if (at == std::string::npos) break;
        const size_t taken = at - (pad ? 1 : 0);  // bytes of the line in this segment
        out.push_back((pad ? " " : "") + line.substr(start, taken));
        start += taken;
        pad = !IsBlank(line[start]);
        minCut = 1;
    }
    out.push_back((pad ? " " : "") + line.substr(start));
    return out;
}

std::string BuildGetRequest(const Url& url, const RequestHeaders& h) {
    std::string r = "GET " + url.Target() + " HTTP/1.1\r\n";
    auto add = [&r](const char* name, const std::string& value) {
        if (value.empty()) return;
        for (const std::string& segment : FoldHeaderLine(std::string(name) + ": " + value)) r += segment + "\r\n";
    };
    add("Content-Type", h.contentType);
    add("Host", url.port == "80" ? url.host : url.host + ":" + url.port);
    add("Accept", h.accept);
    add("User-Agent", h.userAgent);
    add("Cookie", h.cookie);
    r += "\r\n";
    return r;
}

// ---- reading ------------------------------------------------------------------------------

bool InputBuffer::Fill() {
    if (closed_) return false;
    if (pos_ == buf_.size()) {
        buf_.clear();
        pos_ = 0;
    } else if (pos_ > 65536) {
        buf_.erase(0, pos_);
        pos_ = 0;
    }
    char chunk[16384];
    size_t n = source_.Receive(chunk, sizeof chunk);
    if (n == 0) {
        closed_ = true;
        return false;
    }
    buf_.append(chunk, n);
    received_ += n;
    return true;
}

std::string InputBuffer::ReadLine() {
    size_t scanned = 0;  // bytes after pos_ known to hold no LF
    for (;;) {
        size_t lf = buf_.find('\n', pos_ + scanned);
        size_t len = lf == std::string::npos ? buf_.size() - pos_ : lf - pos_;
        size_t content = len;
        if (lf != std::string::npos && content > 0 && buf_[lf - 1] == '\r') --content;
        // Without its LF yet, a line may still end in the CR of its terminator.
        bool tooLong = lf != std::string::npos ? content > maxLineLength : len > maxLineLength + 1;
        if (tooLong) {
            if (!splitLongLines) throw EIdException(kMaxLineLengthExceeded);
            std::string segment = buf_.substr(pos_, maxLineLength);
            pos_ += maxLineLength;
            return segment;
        }
        if (lf != std::string::npos) {
            std::string line = buf_.substr(pos_, content);
            pos_ = lf + 1;
            return line;
        }
        scanned = len;  // Fill keeps the unread bytes in place relative to pos_
        if (!Fill()) throw EIdConnClosedGracefully();
    }
}

void InputBuffer::ReadBytes(size_t n, std::string& out) {
    while (n > 0) {
        size_t take = Buffered() < n ? Buffered() : n;
        out.append(buf_, pos_, take);
        pos_ += take;
        n -= take;
        if (n > 0 && !Fill()) throw EIdConnClosedGracefully();
    }
}

void InputBuffer::ReadToClose(std::string& out, size_t cap) {
    do {
        size_t take = Buffered();
        if (out.size() + take > cap) throw EIdException(kReplyTooLarge);
        out.append(buf_, pos_, take);
        pos_ += take;
    } while (Fill());
}

bool HeaderList::Has(const std::string& name) const {
    for (const auto& item : items_)
        if (SameText(item.first, name)) return true;
    return false;
}

std::string HeaderList::Value(const std::string& name) const {
    for (const auto& item : items_)
        if (SameText(item.first, name)) return item.second;
    return std::string();
}

int StatusCodeOf(const std::string& statusLine) {
    size_t p = statusLine.find(' ');
    if (p == std::string::npos) return -1;
    while (p < statusLine.size() && statusLine[p] == ' ') ++p;
    int code = 0, digits = 0;
    for (; p < statusLine.size() && statusLine[p] >= '0' && statusLine[p] <= '9'; ++p) {
        if (++digits > 3) return -1;
        code = code * 10 + (statusLine[p] - '0');
    }
    if (digits == 0 || (p < statusLine.size() && statusLine[p] != ' ')) return -1;
    return code;
}

ReplyHead ReadReplyHead(InputBuffer& in) {
    size_t total = 0;
    auto count = [&total](const std::string& line) {
        total += line.size() + 2;
        if (total > kMaxHeadBytes) throw EIdException(kReplyTooLarge);
    };
    for (;;) {
        ReplyHead head;
        head.statusLine = in.ReadLine();
        count(head.statusLine);
        head.code = StatusCodeOf(head.statusLine);
        std::vector<std::pair<std::string, std::string>> fields;
        for (;;) {
            std::string line = in.ReadLine();
            count(line);
            if (line.empty()) break;
            if (IsBlank(line[0])) {
                // A continuation of the previous field's value.
                if (!fields.empty()) fields.back().second += " " + TrimBlanks(line);
                continue;
            }
            size_t colon = line.find(':');
            if (colon == std::string::npos) continue;
            fields.emplace_back(TrimBlanks(line.substr(0, colon)), TrimBlanks(line.substr(colon + 1)));
        }
        for (auto& f : fields) head.headers.Add(std::move(f.first), std::move(f.second));
        if (head.code != 100) return head;
    }
}

bool ParseChunkSize(const std::string& line, unsigned long long* size) {
    size_t end = line.find_first_of(" ;");  // a blank or ';' ends it: extensions are ignored
    std::string digits = line.substr(0, end);
    if (digits.empty()) return false;
    unsigned long long v = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        if (v > (ULLONG_MAX >> 4)) return false;
        v = (v << 4) | static_cast<unsigned>(d);
    }
    *size = v;
    return true;
}

namespace {

// A Content-Length value: decimal digits, blanks around them allowed.
bool ParseContentLength(const std::string& text, unsigned long long* length) {
    std::string t = TrimBlanks(text);
    if (t.empty() || t.size() > 18) return false;
    unsigned long long v = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    *length = v;
    return true;
}

// The reply's length when it has one. Every Content-Length header must hold a valid value,
// and all the same: a reply whose length cannot be trusted cannot be told from the next.
bool AnnouncedLength(const HeaderList& h, unsigned long long* length) {
    bool have = false;
    for (const auto& field : h.Items()) {
        if (!SameText(field.first, "Content-Length")) continue;
        unsigned long long v = 0;
        if (!ParseContentLength(field.second, &v) || (have && v != *length)) throw EIdException(kInvalidContentLength);
        *length = v;
        have = true;
    }
    return have;
}

void ReadChunked(InputBuffer& in, std::string& out) {
    for (;;) {
        unsigned long long size = 0;
        if (!ParseChunkSize(in.ReadLine(), &size)) throw EIdException(kInvalidChunkSize);
        if (size == 0) break;
        if (size > kMaxBodyBytes - out.size()) throw EIdException(kReplyTooLarge);
        in.ReadBytes(static_cast<size_t>(size), out);
        in.ReadLine();  // the line end after the chunk's data
    }
    // Trailer fields up to the empty line; none of them is used.
    size_t total = 0;
    for (;;) {
        std::string line = in.ReadLine();
        total += line.size() + 2;
        if (total > kMaxHeadBytes) throw EIdException(kReplyTooLarge);
        if (line.empty()) break;
    }
}

}  // namespace

void ReadBody(InputBuffer& in, const ReplyHead& head, std::string& out, bool* untilClose) {
    *untilClose = false;
    const HeaderList& h = head.headers;
    unsigned long long length = 0;
    const bool hasLength = AnnouncedLength(h, &length);
    if (length > 0) {
        if (length > kMaxBodyBytes - out.size()) throw EIdException(kReplyTooLarge);
        in.ReadBytes(static_cast<size_t>(length), out);
    } else if (h.Value("Transfer-Encoding").find("chunked") != std::string::npos) {
        ReadChunked(in, out);
    } else if (!hasLength) {
        *untilClose = true;
        in.ReadToClose(out, kMaxBodyBytes);
    }
}

bool WantsClose(const HeaderList& headers) {
    return SameText(TrimBlanks(headers.Value("Connection")), "close") ||
           SameText(TrimBlanks(headers.Value("Proxy-Connection")), "close");
}

void TakeCookies(const HeaderList& headers, CookieStore& store, const std::string& host,
                 const std::string& requestPath, long long now) {
    for (const auto& field : headers.Items()) {
        bool version2 = SameText(field.first, "Set-Cookie2");
        if (version2 || SameText(field.first, "Set-Cookie")) store.Take(field.second, version2, host, requestPath, now);
    }
}

}  // namespace http
}  // namespace fw
