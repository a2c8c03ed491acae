#include "framework/IdHTTP.h"

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <mutex>
#include <thread>

#include "framework/IdAntiFreeze.h"

namespace fw {

namespace {

[[noreturn]] void RaiseLastSocketError(int fallback = 0) {
    int e = WSAGetLastError();
    throw EIdWinSockError(e ? e : fallback);
}

bool IsDottedAddress(const std::string& host) {
    int parts = 0, digits = 0, value = 0;
    for (char c : host) {
        if (c == '.') {
            if (digits == 0) return false;
            ++parts, digits = 0, value = 0;
        } else if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            if (++digits > 3 || value > 255) return false;
        } else {
            return false;
        }
    }
    return parts == 3 && digits > 0;
}

// The host's IPv4 address: resolved on the calling thread, blocking, without messages.
in_addr ResolveHost(const std::string& host) {
    in_addr addr = {};
    if (http::SameText(host, "localhost")) {
        addr.s_addr = htonl(INADDR_LOOPBACK);
    } else if (IsDottedAddress(host)) {
        addr.s_addr = inet_addr(host.c_str());
    } else {
        const int kHostNotFound = 11001;
        if (host.empty()) throw EIdWinSockError(kHostNotFound);
        hostent* he = gethostbyname(host.c_str());
        if (!he || he->h_addrtype != AF_INET || !he->h_addr_list[0]) RaiseLastSocketError(kHostNotFound);
        memcpy(&addr, he->h_addr_list[0], sizeof addr);
    }
    return addr;
}

unsigned short PortNumber(const std::string& text) {
    unsigned long v = 0;
    bool ok = !text.empty() && text.size() <= 5;
    for (char c : text) {
        if (c < '0' || c > '9') ok = false;
        else v = v * 10 + static_cast<unsigned long>(c - '0');
    }
    if (!ok || v == 0 || v > 65535) throw EIdException("Invalid port: " + text);
    return static_cast<unsigned short>(v);
}

unsigned long long Now() { return GetTickCount64(); }

// Waits until the socket has data (or the peer closed). With an anti-freeze in force the
// wait goes in slices, and the application's messages are handled after each empty one.
// limitMs < 0 waits without a limit; false when the limit passed.
bool WaitReadable(SOCKET s, long long limitMs) {
    const unsigned long long start = Now();
    for (;;) {
        TIdAntiFreeze* af = TIdAntiFreeze::ForCurrentThread();
        long long wait = af ? (af->IdleTimeOut > 0 ? af->IdleTimeOut : 1) : -1;
        if (limitMs >= 0) {
            long long left = limitMs - static_cast<long long>(Now() - start);
            if (left <= 0) return false;
            if (wait < 0 || left < wait) wait = left;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        timeval tv = {static_cast<long>(wait / 1000), static_cast<long>(wait % 1000) * 1000};
        int r = select(0, &readable, nullptr, nullptr, wait < 0 ? nullptr : &tv);
        if (r == SOCKET_ERROR) RaiseLastSocketError();
        if (r > 0) return true;
        if (af) af->Idle();
    }
}

// One connection attempt, run by a worker thread that the caller may abandon.
struct ConnectAttempt {
    SOCKET sock = INVALID_SOCKET;
    sockaddr_in addr = {};
    std::atomic<bool> abandon{false};
    std::mutex mu;
    std::condition_variable cv;
    bool done = false;
    int error = 0;
};

void RunConnect(ConnectAttempt* a) {
    u_long nonBlocking = 1;
    ioctlsocket(a->sock, FIONBIO, &nonBlocking);
    int err = 0;
    if (connect(a->sock, reinterpret_cast<const sockaddr*>(&a->addr), sizeof a->addr) == SOCKET_ERROR) {
        err = WSAGetLastError();
        if (err == WSAEWOULDBLOCK) err = 0;
        // Short selects, so that an abandoned attempt ends promptly.
        while (err == 0 && !a->abandon) {
            fd_set writable, failed;
            FD_ZERO(&writable);
            FD_ZERO(&failed);
            FD_SET(a->sock, &writable);
            FD_SET(a->sock, &failed);
            timeval tv = {0, 50000};
            int r = select(0, nullptr, &writable, &failed, &tv);
            if (r == SOCKET_ERROR) {
                err = WSAGetLastError();
            } else if (r > 0) {
                int so = 0;
                int len = sizeof so;
                getsockopt(a->sock, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&so), &len);
                if (FD_ISSET(a->sock, &failed) && so == 0) so = WSAECONNREFUSED;
                err = so;
                break;
            }
        }
    }
    nonBlocking = 0;
    ioctlsocket(a->sock, FIONBIO, &nonBlocking);
    std::lock_guard<std::mutex> lock(a->mu);
    a->done = true;
    a->error = err;
    a->cv.notify_all();
}

// Connects in a worker thread. With an anti-freeze in force on this thread the caller
// polls it, handles messages after each poll and gives up after limitMs; otherwise it
// waits for the attempt to end.
SOCKET ConnectSocket(const in_addr& addr, unsigned short port, unsigned limitMs) {
    ConnectAttempt a;
    a.addr.sin_family = AF_INET;
    a.addr.sin_addr = addr;
    a.addr.sin_port = htons(port);
    a.sock = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (a.sock == INVALID_SOCKET) RaiseLastSocketError();
    std::thread worker;
    try {
        worker = std::thread(RunConnect, &a);
    } catch (...) {
        closesocket(a.sock);
        throw;
    }
    // However the wait ends (a handler run meanwhile may raise), the worker is stopped
    // and joined, and its socket closed unless it is handed out connected.
    bool connected = false;
    struct Stop {
        ConnectAttempt& a;
        std::thread& worker;
        const bool& connected;
        ~Stop() {
            a.abandon = true;
            worker.join();
            if (!connected) closesocket(a.sock);
        }
    } stop{a, worker, connected};

    if (TIdAntiFreeze::ForCurrentThread()) {
        const unsigned long long start = Now();
        for (;;) {
            TIdAntiFreeze* af = TIdAntiFreeze::ForCurrentThread();
            int poll = af && af->IdleTimeOut > 0 && af->IdleTimeOut < 125 ? af->IdleTimeOut : 125;
            {
                std::unique_lock<std::mutex> lock(a.mu);
                if (a.cv.wait_for(lock, std::chrono::milliseconds(poll), [&a] { return a.done; })) break;
            }
            if (Now() - start >= limitMs) throw EIdConnectTimeout();
            if ((af = TIdAntiFreeze::ForCurrentThread())) af->Process();
        }
    } else {
        std::unique_lock<std::mutex> lock(a.mu);
        a.cv.wait(lock, [&a] { return a.done; });
    }
    if (a.error != 0) throw EIdWinSockError(a.error);
    connected = true;
    return a.sock;
}

}  // namespace

// The open TCP connection with its buffered reply bytes.
class TIdHTTP::Connection : public http::ByteSource {
public:
    Connection(SOCKET s, std::string host, std::string port) : host(std::move(host)), port(std::move(port)), sock_(s) {}
    ~Connection() override {
        shutdown(sock_, SD_BOTH);
        closesocket(sock_);
    }

    size_t Receive(char* buf, size_t max) override {
        long long limit = readTimeoutMs > 0 ? readTimeoutMs : -1;
        if (deadline) {
            long long left = static_cast<long long>(deadline) - static_cast<long long>(Now());
            limit = left > 0 ? left : 0;
        }
        if (!WaitReadable(sock_, limit)) throw EIdReadTimeout();
        int n = recv(sock_, buf, static_cast<int>(max), 0);
        if (n == SOCKET_ERROR) RaiseLastSocketError();
        if (n > 0)
            if (TIdAntiFreeze* af = TIdAntiFreeze::ForCurrentThread()) af->Busy();
        return static_cast<size_t>(n);
    }

    void Send(const std::string& bytes) {
        size_t sent = 0;
        while (sent < bytes.size()) {
            int n = send(sock_, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
            if (n == SOCKET_ERROR) RaiseLastSocketError();
            sent += static_cast<size_t>(n);
            if (TIdAntiFreeze* af = TIdAntiFreeze::ForCurrentThread()) af->Busy();
        }
    }

    // An idle kept connection has nothing to read: a close, a reset or stray bytes from
    // the server all mean it cannot carry the next request.
    bool Reusable() {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(sock_, &readable);
        timeval tv = {0, 0};
        return select(0, &readable, nullptr, nullptr, &tv) == 0;
    }

    const std::string host, port;
    http::InputBuffer in{*this};
    int readTimeoutMs = 0;
    unsigned long long deadline = 0;  // tick count that ends every read, when set

private:
    SOCKET sock_;
};

TIdHTTP::TIdHTTP(TComponent* owner) : TComponent(owner) {}

TIdHTTP::~TIdHTTP() = default;

void TIdHTTP::BeforeDestruction() {
    Disconnect();
    TComponent::BeforeDestruction();
}

void TIdHTTP::Disconnect() { conn_.reset(); }

std::string TIdHTTP::Get(const std::string& url) {
    // Messages handled while this call waits may not start another call on this client.
    if (busy_) throw EIdException("The HTTP client is busy with another request.");
    busy_ = true;
    try {
        std::string body = Exchange(url);
        busy_ = false;
        return body;
    } catch (...) {
        busy_ = false;
        Disconnect();  // the next call starts on a fresh connection
        throw;
    }
}

std::string TIdHTTP::Exchange(const std::string& rawUrl) {
    const http::Url url = http::SplitUrl(rawUrl);
    if (http::SameText(url.protocol, "https")) throw EIdException("IOHandler value is not valid");
    const std::string resource = url.path + url.document;

    http::RequestHeaders headers{Request.ContentType, Request.Accept, Request.UserAgent, std::string()};
    if (AllowCookies) headers.cookie = cookies_.HeaderFor(url.host, resource, std::time(nullptr));

    OpenConnection(url);
    conn_->Send(http::BuildGetRequest(url, headers));
    const http::ReplyHead head = http::ReadReplyHead(conn_->in);

    if (AllowCookies) http::TakeCookies(head.headers, cookies_, url.host, resource, std::time(nullptr));

    // Redirects are never followed: any Location makes the reply a failure.
    if (head.code >= 200 && head.code < 300 && !head.headers.Has("Location")) {
        std::string body;
        bool untilClose = false;
        if (head.code != 204) http::ReadBody(conn_->in, head, body, &untilClose);
        if (untilClose || conn_->in.Closed() || http::WantsClose(head.headers)) Disconnect();
        return body;
    }
    // A redirect fails at once; its body is not read (the connection is dropped).
    const bool redirect = head.headers.Has("Location") || (head.code >= 300 && head.code < 400 && head.code != 304);
    std::string errorBody = redirect || head.code == 204 ? std::string() : ReadErrorBody(head);
    throw EIdHTTPProtocolException(head.code, head.statusLine, errorBody);
}

void TIdHTTP::OpenConnection(const http::Url& url) {
    // Bytes left over from the last reply, read or not yet, mean the connection is out of step.
    if (conn_ && (conn_->host != url.host || conn_->port != url.port || conn_->in.Buffered() > 0 || !conn_->Reusable()))
        Disconnect();
    if (!conn_) {
        EnsureWinsock();
        unsigned short port = PortNumber(url.port);
        in_addr addr = ResolveHost(url.host);
        conn_ = std::make_unique<Connection>(ConnectSocket(addr, port, ConnectTimeout), url.host, url.port);
    }
    conn_->in.Clear();
    conn_->in.maxLineLength = MaxLineLength;
    conn_->in.splitLongLines = MaxLineAction == maSplit;
    conn_->readTimeoutMs = ReadTimeout;
    conn_->deadline = 0;
}

// What the server sends with a refused status, read within a time limit; a close, a
// time-out or a broken reply just ends it (the connection is dropped afterwards anyway).
std::string TIdHTTP::ReadErrorBody(const http::ReplyHead& head) {
    std::string body;
    conn_->deadline = Now() + kErrorBodyTimeoutMs;
    try {
        bool untilClose = false;
        http::ReadBody(conn_->in, head, body, &untilClose);
    } catch (const Exception&) {
    }
    conn_->deadline = 0;
    return body;
}

bool TIdHTTP::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "MaxLineAction") {
        const std::string& id = value.AsIdent();
        if (id == "maException") MaxLineAction = maException;
        else if (id == "maSplit") MaxLineAction = maSplit;
        else throw EReadError(Format("Invalid property value (line %d): %s", value.line, id.c_str()));
    } else if (name == "ReadTimeout") {
        ReadTimeout = value.AsInt();
    } else if (name == "AllowCookies") {
        AllowCookies = value.AsBool();
    } else if (name == "ProxyParams.ProxyPort") {
        ProxyParams.ProxyPort = value.AsInt();
    } else if (name == "ProxyParams.BasicAuthentication") {
        ProxyParams.BasicAuthentication = value.AsBool();
    } else if (name == "Request.ContentLength") {
        Request.ContentLength = value.AsInt();
    } else if (name == "Request.ContentRangeEnd") {
        Request.ContentRangeEnd = value.AsInt();
    } else if (name == "Request.ContentRangeStart") {
        Request.ContentRangeStart = value.AsInt();
    } else if (name == "Request.ContentType") {
        Request.ContentType = value.AsString();
    } else if (name == "Request.Accept") {
        Request.Accept = value.AsString();
    } else if (name == "Request.BasicAuthentication") {
        Request.BasicAuthentication = value.AsBool();
    } else if (name == "Request.UserAgent") {
        Request.UserAgent = value.AsString();
    } else if (name == "HTTPOptions") {
        if (value.kind != TPropValue::Set)
            throw EReadError(Format("Invalid property value (line %d): set expected", value.line));
        int options = 0;
        for (const std::string& id : value.set) {
            if (id == "hoInProcessAuth") options |= hoInProcessAuth;
            else if (id == "hoKeepOrigProtocol") options |= hoKeepOrigProtocol;
            else if (id == "hoForceEncodeParams") options |= hoForceEncodeParams;
            else throw EReadError(Format("Invalid property value (line %d): %s", value.line, id.c_str()));
        }
        HTTPOptions = options;
    } else {
        return TComponent::SetProperty(name, value);
    }
    return true;
}

void RegisterHttpClasses() {
    TClassRegistry::Register<TIdHTTP>();
    TClassRegistry::Register<TIdAntiFreeze>();
}

}  // namespace fw
