// An HTTP client with its default settings, freed with the test, and the bytes it sends
// for a GET.
#pragma once
#include <string>

#include "framework/IdHTTP.h"

namespace harness {

struct HttpClient {
    HttpClient() = default;
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;
    ~HttpClient() { fw::Free(http); }
    fw::TIdHTTP* operator->() { return http; }

    fw::TIdHTTP* http = fw::Create<fw::TIdHTTP>(nullptr);
};

// The request a default client sends for `target` on `host` ("127.0.0.1:8080"), with a
// Cookie line when `cookie` is not empty.
std::string ExpectedGet(const std::string& target, const std::string& host, const std::string& cookie = "");

}  // namespace harness
