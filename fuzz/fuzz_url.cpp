// Splits arbitrary URLs and builds their requests: the request must keep its shape
// (one request line, folded header lines, the final empty line) whatever the URL holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/HttpProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
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

    fw::http::RequestHeaders headers{"text/html", "text/html, */*", "Mozilla/3.0 (compatible; Indy Library)", raw};
    const std::string request = fw::http::BuildGetRequest(url, headers);
    if (request.compare(0, 5, "GET /") != 0) std::abort();
    if (request.size() < 4 || request.compare(request.size() - 4, 4, "\r\n\r\n") != 0) std::abort();

    for (const std::string& segment : fw::http::FoldHeaderLine("Cookie: " + raw, 78)) {
        (void)segment;
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
