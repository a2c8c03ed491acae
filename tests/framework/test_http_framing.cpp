// Where a reply ends (trailers, chunk extensions, untrusted Content-Length), read in segments of
// several sizes; what the reply leaves unread must be exactly the bytes after it.
#include <gtest/gtest.h>

#include "framework/HttpProtocol.h"
#include "tests/support/SegmentSource.h"

using namespace fw;
using namespace fw::http;

namespace {

struct Outcome {
    std::string body, left, failure;  // left: the bytes after the reply; failure: its message
};

// Reads one reply from bytes handed out `segment` at a time, then what is left.
Outcome Read(const std::string& bytes, size_t segment) {
    harness::SegmentSource src(bytes, segment);
    InputBuffer in(src);
    Outcome o;
    try {
        ReplyHead head = ReadReplyHead(in);
        bool untilClose = false;
        ReadBody(in, head, o.body, &untilClose);
        in.ReadToClose(o.left, ~size_t(0) >> 1);
    } catch (const Exception& e) {
        o.failure = e.Message();
    }
    return o;
}

const size_t kSegments[] = {1, 3, 7, 1 << 20};

void ExpectReply(const std::string& bytes, const std::string& body, const std::string& left) {
    for (size_t segment : kSegments) {
        Outcome o = Read(bytes, segment);
        EXPECT_EQ("", o.failure) << "segment " << segment;
        EXPECT_EQ(body, o.body) << "segment " << segment;
        EXPECT_EQ(left, o.left) << "segment " << segment;
    }
}

void ExpectFailure(const std::string& bytes, const std::string& message) {
    for (size_t segment : kSegments) EXPECT_EQ(message, Read(bytes, segment).failure) << "segment " << segment;
}

const std::string kChunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";

}  // namespace

TEST(HttpReplyFraming, TrailerFieldsAreReadUpToTheEmptyLineAndNoFurther) {
    ExpectReply(kChunked + "2\r\nok\r\n0\r\nA: 1\r\n\r\nNEXT", "ok", "NEXT");
    ExpectReply(kChunked + "2\r\nok\r\n0\r\nA: 1\r\nB: 2\r\n\tfolded\r\n\r\nHTTP/1.1", "ok", "HTTP/1.1");
    ExpectReply(kChunked + "2\r\nok\r\n0\r\n\r\nNEXT", "ok", "NEXT");  // none: the empty line alone
    ExpectReply(kChunked + "2\r\nok\r\n0\n\n", "ok", "");             // bare LF line ends

    // A trailer line obeys the line limit; the trailer block the head's size limit.
    const std::string longest(kDefaultMaxLineLength, 'a');
    ExpectReply(kChunked + "0\r\n" + longest + "\r\n\r\n", "", "");
    ExpectFailure(kChunked + "0\r\n" + longest + "a\r\n\r\n", kMaxLineLengthExceeded);
    std::string big;
    while (big.size() <= kMaxHeadBytes) big += "X: " + std::string(16000, 'b') + "\r\n";
    ExpectFailure(kChunked + "0\r\n" + big + "\r\n", kReplyTooLarge);
    // A close before the empty line is a broken reply.
    ExpectFailure(kChunked + "2\r\nok\r\n0\r\nA: 1\r\n", "Connection Closed Gracefully.");
}

TEST(HttpReplyFraming, ChunkExtensionsAreIgnoredAndTheSizeEndsAtABlankOrSemicolon) {
    ExpectReply(kChunked + "5;ext=1\r\nhello\r\n3 ; a=\"b;c\"\r\nabc\r\n0;last\r\n\r\nrest", "helloabc", "rest");
    unsigned long long n = 0;
    EXPECT_FALSE(ParseChunkSize(";5", &n));
    EXPECT_FALSE(ParseChunkSize("5x;ext", &n));
    ExpectFailure(kChunked + "g;ext\r\n", kInvalidChunkSize);
}

TEST(HttpReplyFraming, DifferingOrNegativeContentLengthsAreRefusedEqualOnesAccepted) {
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    ExpectFailure(ok + "Content-Length: 2\r\nContent-Length: 5\r\n\r\nhello", kInvalidContentLength);
    ExpectFailure(ok + "Content-Length: 5\r\ncontent-length: 2\r\n\r\nhello", kInvalidContentLength);
    ExpectFailure(ok + "Content-Length: -5\r\n\r\nhello", kInvalidContentLength);
    ExpectFailure(ok + "Content-Length: 5\r\nContent-Length: x\r\n\r\nhello", kInvalidContentLength);
    ExpectFailure(ok + "Content-Length: 1\r\nContent-Length: 0\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n",
                  kInvalidContentLength);

    ExpectReply(ok + "Content-Length: 5\r\nCONTENT-LENGTH:  5 \r\n\r\nhelloNEXT", "hello", "NEXT");
    ExpectReply(ok + "Content-Length: 2\r\n\r\nokEXTRA", "ok", "EXTRA");  // the length is the reply's end
    ExpectReply(ok + "Content-Length: 0\r\nContent-Length: 0\r\n\r\nNEXT", "", "NEXT");
}
