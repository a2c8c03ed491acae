// Splits arbitrary URLs and builds their requests: the request must keep its shape (one
// request line, folded header lines, the final empty line) whatever the URL holds. Bytes
// after a 0xFF (a byte that no URL character uses) are Set-Cookie values from the server,
// one after each further 0xFF: no CR, LF or NUL they hold may end up inside a header line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/HttpCookies.h"
#include "framework/HttpProtocol.h"

namespace {

bool HasControlByte(const std::string& s) {
    for (char ch : s)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t cut = input.find('\xFF');
    const std::string raw = input.substr(0, cut);
    std::vector<std::string> setCookies;
    for (size_t at = cut; at != std::string::npos;) {
        size_t next = input.find('\xFF', at + 1);
        setCookies.push_back(input.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1));
        at = next;
    }

    fw::http::Url url;
    try {
        url = fw::http::SplitUrl(raw);
    } catch (const fw::Exception& e) {
        if (!e.Message().empty()) std::abort();
        return 0;
    }
    if (url.path.empty() || url.path[0] != '/') std::abort();
    if (url.document.find('#') != std::string::npos || url.params.find('#') != std::string::npos) std::abort();
    if (url.port.empty()) std::abort();
    const std::string target = url.Target();
    if (target.size() > raw.size() + 1) std::abort();

    fw::http::CookieStore store;
    const std::string resource = url.path + url.document;
    for (size_t i = 0; i < setCookies.size(); ++i) store.Take(setCookies[i], i % 2 == 1, url.host, resource, 1700000000);
    fw::http::RequestHeaders headers{"text/html", "text/html, */*", "Mozilla/3.0 (compatible; Indy Library)",
                                     store.HeaderFor(url.host, resource, 1700000000)};
    const std::string request = fw::http::BuildGetRequest(url, headers);
    if (request.compare(0, 5, "GET /") != 0) std::abort();
    if (request.size() < 4 || request.compare(request.size() - 4, 4, "\r\n\r\n") != 0) std::abort();

    // Every header line, folded or not, is free of CR, LF and NUL. A host or port holding
    // control bytes never resolves or parses, so a request for it is never sent: then only
    // the cookies are checked.
    if (HasControlByte(headers.cookie)) std::abort();
    if (!HasControlByte(url.host + url.port)) {
        // The request line carries the URL's bytes as they are; the headers follow it.
        size_t lineStart = std::string("GET ").size() + target.size() + std::string(" HTTP/1.1\r\n").size();
        for (size_t end; (end = request.find("\r\n", lineStart)) != std::string::npos && end > lineStart;
             lineStart = end + 2)
            if (request.find_first_of(std::string("\r\n\0", 3), lineStart) < end) std::abort();
        if (request.compare(lineStart, std::string::npos, "\r\n") != 0) std::abort();  // the empty line ends it
    }

    std::string joined;
    auto segments = fw::http::FoldHeaderLine("X-Test: " + raw, 78);
    for (size_t i = 0; i < segments.size(); ++i) {
        if (i > 0 && (segments[i].empty() || (segments[i][0] != ' ' && segments[i][0] != '\t'))) std::abort();
        joined += segments[i];
    }
    if (joined.size() < raw.size() + 8) std::abort();
    return 0;
}
