#include "tests/support/HttpClientProbe.h"

namespace harness {

std::string ExpectedGet(const std::string& target, const std::string& host, const std::string& cookie) {
    return "GET " + target + " HTTP/1.1\r\nContent-Type: text/html\r\nHost: " + host +
           "\r\nAccept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n" +
           (cookie.empty() ? "" : "Cookie: " + cookie + "\r\n") + "\r\n";
}

}  // namespace harness
