// The HTTP client's protocol logic over byte strings: URL splitting, the request bytes,
// reading the reply head and body from a byte source, and the in-memory cookie store.
// No sockets and no Windows headers here, so it builds natively too and can be fed bytes.
#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "framework/SysUtils.h"

namespace fw {

// Failures of the HTTP client. Every one is an Exception with the message the caller sees.
class EIdException : public Exception {
public:
    using Exception::Exception;
};

class EIdConnClosedGracefully : public EIdException {
public:
    EIdConnClosedGracefully() : EIdException("Connection Closed Gracefully.") {}
};

class EIdReadTimeout : public EIdException {
public:
    EIdReadTimeout() : EIdException("Read timed out.") {}
};

// A status the client refuses: the message is the status line as received.
class EIdHTTPProtocolException : public EIdException {
public:
    EIdHTTPProtocolException(int code, const std::string& statusLine, std::string errorBody)
        : EIdException(statusLine), code_(code), body_(std::move(errorBody)) {}
    int ReplyCode() const { return code_; }
    const std::string& ErrorMessage() const { return body_; }  // the error body

private:
    int code_;
    std::string body_;
};

namespace http {

constexpr size_t kDefaultMaxLineLength = 16384;
// A reply whose head or body grows past these fails instead of exhausting memory.
constexpr size_t kMaxHeadBytes = 1u << 20;
constexpr size_t kMaxBodyBytes = 8u << 20;

extern const char* const kMaxLineLengthExceeded;  // "Max line length exceeded."
extern const char* const kReplyTooLarge;
extern const char* const kInvalidChunkSize;
extern const char* const kInvalidContentLength;

// A first byte of a double-byte character in code page 936.
inline bool IsLeadByte936(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// The parts of a URL as the client uses them. Port is the text given, or the scheme's.
struct Url {
    std::string protocol, username, password, host, port;
    std::string path, document, params;  // "/a/b/", "c.jsp", "?x=1"
    std::string Target() const { return path + document + params; }
};

// Single-byte backslashes become slashes; the trail byte of a double-byte character stays.
std::string SlashBackslashes(const std::string& url);
// Splits a URL (backslashes already turned or not); raises EIdException with an empty
// message for a scheme other than http or https without a port.
Url SplitUrl(const std::string& url);

// The request's settings that reach the wire.
struct RequestHeaders {
    std::string contentType, accept, userAgent, cookie;
};
// The whole GET request: request line, header lines (folded), empty line.
std::string BuildGetRequest(const Url& url, const RequestHeaders& headers);
// One header line split for the wire: segments after the first start with a blank or tab.
std::vector<std::string> FoldHeaderLine(const std::string& line, size_t width = 78);

// Where reply bytes come from. Receive returns 0 once the peer has closed; it raises for
// socket errors and time-outs.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual size_t Receive(char* buf, size_t max) = 0;
};

// Buffered reading of lines and byte counts from a source.
class InputBuffer {
public:
    explicit InputBuffer(ByteSource& source) : source_(source) {}
    size_t maxLineLength = kDefaultMaxLineLength;
    bool splitLongLines = false;  // hand out an over-long line in segments instead of failing

    // A line up to LF, without CR LF; raises at a close before the LF.
    std::string ReadLine();
    // Appends exactly n bytes; raises at a close before the end (what came is kept in out).
    void ReadBytes(size_t n, std::string& out);
    // Appends everything until the peer closes; raises past `cap` bytes.
    void ReadToClose(std::string& out, size_t cap);
    bool Closed() const { return closed_; }
    size_t Buffered() const { return buf_.size() - pos_; }
    // Bytes handed out so far (received less those still buffered).
    size_t Consumed() const { return received_ - Buffered(); }
    void Clear() { buf_.clear(), pos_ = 0, received_ = 0, closed_ = false; }

private:
    bool Fill();  // false once the peer has closed
    ByteSource& source_;
    std::string buf_;
    size_t pos_ = 0;
    size_t received_ = 0;
    bool closed_ = false;
};

// Header fields in arrival order; names compare without regard to case.
class HeaderList {
public:
    void Add(std::string name, std::string value) { items_.emplace_back(std::move(name), std::move(value)); }
    bool Has(const std::string& name) const;
    std::string Value(const std::string& name) const;  // the first one's, or empty
    const std::vector<std::pair<std::string, std::string>>& Items() const { return items_; }

private:
    std::vector<std::pair<std::string, std::string>> items_;
};

// Every Set-Cookie and Set-Cookie2 header of a reply into the store.
class CookieStore;
void TakeCookies(const HeaderList& headers, CookieStore& store, const std::string& host,
                 const std::string& requestPath, long long now);

struct ReplyHead {
    std::string statusLine;  // as received, without CR LF
    int code = -1;           // -1 when the status line holds no code
    HeaderList headers;
};

int StatusCodeOf(const std::string& statusLine);
// Reads status line and header block, again while the status is 100.
ReplyHead ReadReplyHead(InputBuffer& in);
// Reads the body that the head announces, appending to out. Sets *untilClose when the
// body ran to the close of the connection. Differing or malformed Content-Length headers
// fail; a chunked body is read with its trailer fields, up to the empty line.
void ReadBody(InputBuffer& in, const ReplyHead& head, std::string& out, bool* untilClose);
// A chunk-size line: hexadecimal up to the first blank (or ';'); false when it is not.
bool ParseChunkSize(const std::string& line, unsigned long long* size);
// The reply's Connection or Proxy-Connection header says close.
bool WantsClose(const HeaderList& headers);

bool SameText(const std::string& a, const std::string& b);
std::string LowerAscii(std::string s);

}  // namespace http
}  // namespace fw
