// Feeds arbitrary bytes to the reply reader as a server would send them, in segments of
// varying size. Reading the head, the body and the cookies must end in a value or an
// Exception, never in a crash or a read out of bounds, and what it reads must hold up:
// - a header field is never longer than the head may be, nor its name than a line;
// - a body is never longer than its announced length or the body limit, and is read only
//   when every Content-Length header agrees;
// - a chunked body ends at the empty line after its trailer fields;
// - a reply ends where its framing says, whatever follows: read again with other bytes
//   after its end, it gives the same status and body and leaves exactly those bytes;
// - no cookie that the store hands out holds a control byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/HttpCookies.h"
#include "framework/HttpProtocol.h"

namespace {

using namespace fw::http;

// Hands out the input in segments whose sizes come from the input's first byte.
class SegmentSource : public ByteSource {
public:
    SegmentSource(const std::string& data, uint8_t pattern) : data_(data), pattern_(pattern) {}
    size_t Receive(char* buf, size_t max) override {
        if (pos_ == data_.size()) return 0;
        size_t segment = 1 + (pattern_ ^ (pos_ * 7)) % 61;
        if (pattern_ & 0x80) segment = data_.size();  // everything at once
        size_t n = std::min({segment, max, data_.size() - pos_});
        std::memcpy(buf, data_.data() + pos_, n);
        pos_ += n;
        return n;
    }

private:
    const std::string& data_;
    size_t pos_ = 0;
    uint8_t pattern_;
};

struct Parsed {
    bool ok = false;
    ReplyHead head;
    std::string body;
    bool untilClose = false;
    size_t consumed = 0;  // the reply's length in bytes
    std::string left;     // what follows it
};

Parsed Parse(const std::string& bytes, uint8_t flags) {
    SegmentSource source(bytes, flags);
    InputBuffer in(source);
    in.maxLineLength = (flags & 0x40) ? 64 : kDefaultMaxLineLength;
    in.splitLongLines = (flags & 0x20) != 0;
    Parsed p;
    try {
        p.head = ReadReplyHead(in);
        ReadBody(in, p.head, p.body, &p.untilClose);
        p.consumed = in.Consumed();
        in.ReadToClose(p.left, bytes.size());
        p.ok = true;
    } catch (const fw::Exception&) {
    }
    return p;
}

bool HasControlByte(const std::string& s) {
    for (char ch : s)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) return true;
    return false;
}

// The length every Content-Length header gives, when they are all plain digits and agree.
bool AgreedLength(const HeaderList& headers, unsigned long long* length) {
    bool have = false;
    for (const auto& f : headers.Items()) {
        if (!SameText(f.first, "Content-Length")) continue;
        size_t b = f.second.find_first_not_of(" \t"), e = f.second.find_last_not_of(" \t");
        std::string digits = b == std::string::npos ? std::string() : f.second.substr(b, e - b + 1);
        if (digits.empty() || digits.size() > 18 || digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        unsigned long long v = std::strtoull(digits.c_str(), nullptr, 10);
        if (have && v != *length) return false;
        *length = v;
        have = true;
    }
    return have;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t flags = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t maxLine = (flags & 0x40) ? 64 : kDefaultMaxLineLength;

    const Parsed p = Parse(bytes, flags);
    if (!p.ok) return 0;
    for (const auto& field : p.head.headers.Items())
        if (field.first.size() > maxLine || field.second.size() > kMaxHeadBytes) std::abort();

    if (p.body.size() > kMaxBodyBytes || p.body.size() > bytes.size()) std::abort();
    unsigned long long length = 0;
    const bool agreed = AgreedLength(p.head.headers, &length);
    if (!agreed && p.head.headers.Has("Content-Length")) std::abort();  // read despite differing lengths
    if (agreed && length > 0 && p.body.size() != length) std::abort();
    // A chunked body ends with its trailer's empty line, like a head.
    const std::string read = bytes.substr(0, p.consumed);
    auto endsWith = [&read](const char* tail) {
        const size_t n = std::strlen(tail);
        return read.size() >= n && read.compare(read.size() - n, n, tail) == 0;
    };
    if (!(agreed && length > 0) && !p.untilClose && p.head.headers.Value("Transfer-Encoding").find("chunked") != std::string::npos &&
        !endsWith("\n\n") && !endsWith("\n\r\n"))
        std::abort();
    if (p.consumed + p.left.size() != bytes.size()) std::abort();

    if (!p.untilClose) {
        const std::string after = "HTTP/1.1 204 After\r\n\r\n";
        const Parsed again = Parse(bytes.substr(0, p.consumed) + after, flags);
        if (!again.ok || again.untilClose || again.head.statusLine != p.head.statusLine || again.body != p.body ||
            again.left != after)
            std::abort();
    }

    CookieStore cookies;
    TakeCookies(p.head.headers, cookies, "www.example.com", "/paper/a.jsp", 1700000000);
    if (cookies.Count() > CookieStore::kMaxCookies) std::abort();
    if (HasControlByte(cookies.HeaderFor("www.example.com", "/paper/b.jsp", 1700000001))) std::abort();
    WantsClose(p.head.headers);
    return 0;
}
