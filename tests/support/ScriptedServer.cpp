#include "tests/support/ScriptedServer.h"
#include "tests/support/Waits.h"

#include <ws2tcpip.h>
#include <chrono>
#include <stdexcept>

namespace harness {

namespace {
struct WinsockInit {
    WinsockInit() { WSADATA d; WSAStartup(MAKEWORD(2, 2), &d); }
};
void EnsureWinsock() { static WinsockInit once; }
}  // namespace

std::string ScriptedRequest::Target() const {
    size_t a = raw.find(' ');
    if (a == std::string::npos) return std::string();
    size_t b = raw.find(' ', a + 1);
    size_t eol = raw.find("\r\n");
    if (b == std::string::npos || (eol != std::string::npos && b > eol)) b = eol;
    return raw.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
}

ScriptedReply ScriptedReply::Ok(const std::string& body, const std::string& extraHeaders) {
    ScriptedReply r;
    r.bytes = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
              std::to_string(body.size()) + "\r\n" + extraHeaders + "\r\n" + body;
    return r;
}

ScriptedReply ScriptedReply::Raw(const std::string& bytes, bool closeAfter) {
    ScriptedReply r;
    r.bytes = bytes;
    r.closeAfter = closeAfter;
    return r;
}

ScriptedServer::ScriptedServer() { Listen(0); }

ScriptedServer::ScriptedServer(int port) { Listen(port); }

ScriptedServer::ScriptedServer(const std::string& loopbackAddress) { Listen(0, loopbackAddress); }

void ScriptedServer::Listen(int port, const std::string& address) {
    EnsureWinsock();
    address_ = address;
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = inet_addr(address.c_str());
    addr.sin_port = htons(static_cast<u_short>(port));
    if (bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listener_, 16) != 0) {
        closesocket(listener_);
        throw std::runtime_error("scripted server: cannot listen on " + address);
    }
    int len = sizeof addr;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    handler_ = [](const ScriptedRequest&) {
        return ScriptedReply::Raw("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
    };
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

ScriptedServer::~ScriptedServer() {
    {
        std::lock_guard<std::mutex> lock(mu_);
        stopping_ = true;
        for (SOCKET s : open_) shutdown(s, SD_BOTH), closesocket(s);
        open_.clear();
    }
    cv_.notify_all();
    closesocket(listener_);
    if (acceptor_.joinable()) acceptor_.join();
    for (auto& t : workers_)
        if (t.joinable()) t.join();
}

std::string ScriptedServer::BaseUrl() const { return "http://" + address_ + ":" + std::to_string(port_) + "/"; }

void ScriptedServer::Enqueue(const ScriptedReply& reply) {
    std::lock_guard<std::mutex> lock(mu_);
    queue_.push_back(reply);
}

void ScriptedServer::SetHandler(Handler handler) {
    std::lock_guard<std::mutex> lock(mu_);
    handler_ = std::move(handler);
}

std::vector<ScriptedRequest> ScriptedServer::Requests() const {
    std::lock_guard<std::mutex> lock(mu_);
    return requests_;
}

int ScriptedServer::Connections() const {
    std::lock_guard<std::mutex> lock(mu_);
    return connections_;
}

bool ScriptedServer::WaitForRequests(size_t count, DWORD timeoutMs, const char* file, int line) const {
    return WaitUntil(
        [&] {
            std::unique_lock<std::mutex> lock(mu_);
            return cv_.wait_for(lock, std::chrono::milliseconds(10), [&] { return requests_.size() >= count; });
        },
        timeoutMs, "request " + std::to_string(count) + " at the scripted server", WaitMode::Sleep, file, line);
}

void ScriptedServer::AcceptLoop() {
    for (;;) {
        SOCKET s = accept(listener_, nullptr, nullptr);
        if (s == INVALID_SOCKET) return;
        std::lock_guard<std::mutex> lock(mu_);
        if (stopping_) {
            closesocket(s);
            return;
        }
        open_.push_back(s);
        int n = ++connections_;
        workers_.emplace_back([this, s, n] { Serve(s, n); });
    }
}

ScriptedReply ScriptedServer::NextReply(const ScriptedRequest& req) {
    Handler h;
    {
        std::lock_guard<std::mutex> lock(mu_);
        if (!queue_.empty()) {
            ScriptedReply r = queue_.front();
            queue_.pop_front();
            return r;
        }
        h = handler_;
    }
    return h(req);
}

bool ScriptedServer::WaitReady(SOCKET s, bool forWriting) const {
    while (!stopping_) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval tv = {0, 50000};
        int r = select(0, forWriting ? nullptr : &set, forWriting ? &set : nullptr, nullptr, &tv);
        if (r != 0) return r > 0;
    }
    return false;
}

void ScriptedServer::Serve(SOCKET s, int connection) {
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    std::string pending;
    char buf[4096];
    for (;;) {
        size_t end;
        while ((end = pending.find("\r\n\r\n")) == std::string::npos) {
            if (!WaitReady(s, false)) goto done;
            int n = recv(s, buf, sizeof buf, 0);
            if (n == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) continue;
            if (n <= 0) goto done;
            pending.append(buf, static_cast<size_t>(n));
        }
        ScriptedRequest req;
        req.raw = pending.substr(0, end + 4);
        req.connection = connection;
        pending.erase(0, end + 4);
        {
            std::lock_guard<std::mutex> lock(mu_);
            requests_.push_back(req);
        }
        cv_.notify_all();
        ScriptedReply reply = NextReply(req);
        if (reply.never) {
            std::unique_lock<std::mutex> lock(mu_);
            cv_.wait(lock, [&] { return stopping_.load(); });
            break;
        }
        if (reply.delayMs) Sleep(reply.delayMs);
        const bool pausing = reply.pauseMs && reply.pauseAt > 0 && reply.pauseAt < reply.bytes.size();
        bool paused = false;
        size_t sent = 0;
        while (sent < reply.bytes.size()) {
            if (pausing && !paused && sent == reply.pauseAt) Sleep(reply.pauseMs), paused = true;
            size_t limit = pausing && sent < reply.pauseAt ? reply.pauseAt : reply.bytes.size();
            size_t count = reply.trickleMs ? 1 : limit - sent;
            if (reply.trickleMs && sent > 0) Sleep(reply.trickleMs);
            if (!WaitReady(s, true)) goto done;
            int n = send(s, reply.bytes.data() + sent, static_cast<int>(count), 0);
            if (n == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) continue;
            if (n <= 0) goto done;
            sent += static_cast<size_t>(n);
        }
        if (reply.closeAfter) break;
    }
done:
    std::lock_guard<std::mutex> lock(mu_);
    for (auto it = open_.begin(); it != open_.end(); ++it)
        if (*it == s) {
            open_.erase(it);
            shutdown(s, SD_SEND);
            closesocket(s);
            break;
        }
}

}  // namespace harness
