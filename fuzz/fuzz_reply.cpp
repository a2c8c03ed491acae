// Feeds arbitrary bytes to the reply reader as a server would send them, in segments of
// varying size: reading the head, the body and the cookies must end in a value or an
// Exception, never in a crash or a read out of bounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/HttpCookies.h"
#include "framework/HttpProtocol.h"

namespace {

// Hands out the input in segments whose sizes come from the input's first bytes.
class SegmentSource : public fw::http::ByteSource {
public:
    SegmentSource(const uint8_t* data, size_t size, uint8_t pattern) : data_(data), size_(size), pattern_(pattern) {}
    size_t Receive(char* buf, size_t max) override {
        if (pos_ == size_) return 0;
        size_t segment = 1 + (pattern_ ^ (pos_ * 7)) % 61;
        if (pattern_ & 0x80) segment = size_;  // everything at once
        size_t n = std::min({segment, max, size_ - pos_});
        std::memcpy(buf, data_ + pos_, n);
        pos_ += n;
        return n;
    }

private:
    const uint8_t* data_;
    size_t size_, pos_ = 0;
    uint8_t pattern_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t flags = data[0];
    SegmentSource source(data + 1, size - 1, flags);
    fw::http::InputBuffer in(source);
    in.maxLineLength = (flags & 0x40) ? 64 : fw::http::kDefaultMaxLineLength;
    in.splitLongLines = (flags & 0x20) != 0;
    fw::http::CookieStore cookies;
    try {
        fw::http::ReplyHead head = fw::http::ReadReplyHead(in);
        for (const auto& field : head.headers.Items())
            if (field.first.size() > 70000 || field.second.size() > 70000) std::abort();
        fw::http::TakeCookies(head.headers, cookies, "www.example.com", "/paper/a.jsp", 1700000000);
        if (cookies.Count() > fw::http::CookieStore::kMaxCookies) std::abort();
        std::string header = cookies.HeaderFor("www.example.com", "/paper/b.jsp", 1700000001);
        (void)header;
        fw::http::WantsClose(head.headers);
        std::string body;
        bool untilClose = false;
        fw::http::ReadBody(in, head, body, &untilClose);
        if (body.size() > fw::http::kMaxBodyBytes || body.size() > size) std::abort();
    } catch (const fw::Exception&) {
    }
    return 0;
}
