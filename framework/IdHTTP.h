// The HTTP client component: fetches a URL with a GET over plain TCP and returns the reply
// body's bytes, or raises. It keeps its connection and its cookies between calls, and lets
// the anti-freeze handle the application's messages while it waits.
#pragma once
#include <memory>
#include <string>

#include "framework/Classes.h"
#include "framework/HttpCookies.h"
#include "framework/HttpProtocol.h"
#include "framework/SocketErrors.h"

namespace fw {

class EIdConnectTimeout : public EIdException {
public:
    EIdConnectTimeout() : EIdException("Connect timed out.") {}
};

enum TIdMaxLineAction { maException, maSplit };
enum TIdHTTPOption { hoInProcessAuth = 1, hoKeepOrigProtocol = 2, hoForceEncodeParams = 4 };

struct TIdHTTPRequest {
    std::string ContentType = "text/html";
    std::string Accept = "text/html, */*";
    std::string UserAgent = "Mozilla/3.0 (compatible; Indy Library)";
    // A GET has no body: these are kept for descriptions and never reach the wire.
    long long ContentLength = -1;
    long long ContentRangeStart = 0;
    long long ContentRangeEnd = 0;
    bool BasicAuthentication = false;
};

// No proxy is used; the settings are kept for descriptions.
struct TIdProxyConnectionInfo {
    int ProxyPort = 0;
    bool BasicAuthentication = false;
};

class TIdHTTP : public TComponent {
public:
    FW_CLASS(TIdHTTP)
    static constexpr unsigned kConnectTimeoutMs = 120000;
    static constexpr unsigned kErrorBodyTimeoutMs = 2000;

    explicit TIdHTTP(TComponent* owner);
    ~TIdHTTP() override;
    void BeforeDestruction() override;

    // The reply body of a GET of `url`, as received. Raises an Exception subclass for
    // every failure; the client stays usable and connects again when it needs to.
    std::string Get(const std::string& url);

    TIdHTTPRequest Request;
    TIdProxyConnectionInfo ProxyParams;
    TIdMaxLineAction MaxLineAction = maException;
    size_t MaxLineLength = http::kDefaultMaxLineLength;
    int ReadTimeout = 0;  // ms for each wait on reply data; 0: no limit
    bool AllowCookies = true;
    int HTTPOptions = hoForceEncodeParams;
    unsigned ConnectTimeout = kConnectTimeoutMs;  // shortened by tests only

    bool SetProperty(const std::string& name, const TPropValue& value) override;

    bool Connected() const { return conn_ != nullptr; }
    void Disconnect();
    const http::CookieStore& Cookies() const { return cookies_; }

    class Connection;

private:
    std::string Exchange(const std::string& url);
    void OpenConnection(const http::Url& url);
    std::string ReadErrorBody(const http::ReplyHead& head);

    std::unique_ptr<Connection> conn_;
    http::CookieStore cookies_;
    bool busy_ = false;
};

// Registers the HTTP client's component classes for form descriptions.
void RegisterHttpClasses();

}  // namespace fw
