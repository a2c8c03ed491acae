// A scripted HTTP server on 127.0.0.1 for tests: each reply is set byte for byte, and each
// request is recorded exactly as received, with the number of the connection it came on.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace harness {

struct ScriptedRequest {
    std::string raw;      // request line, headers and the empty line, as received
    int connection = 0;   // 1 for the first accepted connection, and so on
    std::string Target() const;  // the request line's target ("/paper/x.jsp?a=1")
};

struct ScriptedReply {
    std::string bytes;          // sent as they are
    bool closeAfter = false;    // close the connection once sent
    bool never = false;         // read the request and never answer (until the server stops)
    DWORD delayMs = 0;          // wait before answering
    DWORD trickleMs = 0;        // send byte by byte with this pause between bytes
    size_t pauseAt = 0;         // with pauseMs: send the bytes before this offset, wait
    DWORD pauseMs = 0;          //   pauseMs, then send the rest (a tail that arrives late)

    // "HTTP/1.1 200 OK" with Content-Length and the given extra header lines.
    static ScriptedReply Ok(const std::string& body, const std::string& extraHeaders = std::string());
    static ScriptedReply Raw(const std::string& bytes, bool closeAfter = false);
};

class ScriptedServer {
public:
    using Handler = std::function<ScriptedReply(const ScriptedRequest&)>;

    ScriptedServer();   // listens on 127.0.0.1 on a free port
    explicit ScriptedServer(int port);  // on this port; raises when it is taken
    // On a free port of another loopback address ("127.0.0.2"): a host of its own.
    explicit ScriptedServer(const std::string& loopbackAddress);
    // Stops accepting and closes every connection, then waits for its threads: they wait on
    // their sockets in short slices, so none stays blocked in a send or receive that the
    // closing did not wake.
    ~ScriptedServer();

    int Port() const { return port_; }
    std::string BaseUrl() const;  // "http://<address>:<port>/"

    // Replies are taken from the queue in order; with an empty queue the handler answers
    // (by default "404 Not Found" with a short body).
    void Enqueue(const ScriptedReply& reply);
    void SetHandler(Handler handler);

    std::vector<ScriptedRequest> Requests() const;
    int Connections() const;
    // False, and a failed test, when fewer than count requests came within timeoutMs.
    bool WaitForRequests(size_t count, DWORD timeoutMs, const char* file = __builtin_FILE(),
                         int line = __builtin_LINE()) const;

private:
    void Listen(int port, const std::string& address = "127.0.0.1");
    void AcceptLoop();
    void Serve(SOCKET s, int connection);
    bool WaitReady(SOCKET s, bool forWriting) const;  // false once stopping or on an error
    ScriptedReply NextReply(const ScriptedRequest& req);

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::string address_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mu_;
    mutable std::condition_variable cv_;
    std::deque<ScriptedReply> queue_;
    Handler handler_;
    std::vector<ScriptedRequest> requests_;
    std::vector<SOCKET> open_;
    int connections_ = 0;
    std::thread acceptor_;
    std::vector<std::thread> workers_;
};

}  // namespace harness
