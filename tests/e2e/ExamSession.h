// The end-to-end tests' exam server and client session: the server's three pages on
// 127.0.0.1 and the client started against it, with its login form and fields found.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/Harness.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/ScriptedServer.h"
#include "tests/support/Waits.h"

namespace harness {

// The exam server's three pages: the caption text, the sign-in check (replies taken in
// order) and the exam page.
class ExamServer {
public:
    explicit ExamServer(const std::string& info = "Centre 01") : info_(info) {
        server.SetHandler([this](const ScriptedRequest& r) {
            std::string target = r.Target();
            std::lock_guard<std::mutex> lock(mu_);
            if (target.find("/paper/getKdInfo.jsp") == 0) return ScriptedReply::Ok(info_);
            if (target.find("/paper/ClientLogin_Exam_Check.jsp") == 0) {
                ScriptedReply reply = ScriptedReply::Ok("-2");
                if (!checks_.empty()) {
                    reply = checks_.front();
                    checks_.pop_front();
                }
                return reply;
            }
            if (target.find("/paper/ClientLogin_Exam.jsp") == 0) return ScriptedReply::Ok("<html><body>exam</body></html>");
            return ScriptedReply::Raw("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
        });
    }
    void NextCheck(const std::string& reply, DWORD delayMs = 0) {
        std::lock_guard<std::mutex> lock(mu_);
        checks_.push_back(ScriptedReply::Ok(reply));
        checks_.back().delayMs = delayMs;
    }
    std::vector<std::string> Targets(const std::string& page) const {
        std::vector<std::string> out;
        for (const ScriptedRequest& r : server.Requests())
            if (r.Target().find(page) != std::string::npos) out.push_back(r.Target());
        return out;
    }
    std::string Ini() const { return "[User]\r\nServerList_Address=" + server.BaseUrl() + "\r\n"; }

private:
    std::string info_;
    std::deque<ScriptedReply> checks_;
    mutable std::mutex mu_;

public:
    // Last, so that it stops (and its handler with it) before the state above goes.
    ScriptedServer server;
};

inline const int kLoginX = 250, kLoginY = 218;  // inside the login picture

inline std::string AppTitle() { return Ansi(u8"全国Brenvara-考生端"); }

// Every session may sign in, and a signed-in client registers for autostart under the
// application title: the value goes before and after, whatever the outcome.
struct Session {
    explicit Session(const std::string& name, const std::string& ini) : autoRun(AppTitle()), client(name, ini) {
        client.Start();
        login = client.WaitForWindow("TFrmLogin", "", kClientStartMs);
        if (login) fields = FindLoginFields(login);
    }
    MessageBoxInfo ClickLoginAndWaitForBox(const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
        ClickAt(login, kLoginX, kLoginY);
        return client.WaitForMessageBox(kWindowWaitMs, file, line);
    }
    // Puts the two numbers in the fields, has the server answer the check with `reply` (after
    // delayMs) and clicks the login picture.
    void StartAttempt(ExamServer& exam, const std::string& ticket, const std::string& document,
                      const std::string& reply, DWORD delayMs = 0) {
        SetFieldText(fields.userName, ticket);
        SetFieldText(fields.pwd, document);
        exam.NextCheck(reply, delayMs);
        ClickAt(login, kLoginX, kLoginY);
    }
    // The same, and the box that ends the attempt.
    MessageBoxInfo AttemptAndWaitForBox(ExamServer& exam, const std::string& ticket, const std::string& document,
                                        const std::string& reply, const char* file = __builtin_FILE(),
                                        int line = __builtin_LINE()) {
        StartAttempt(exam, ticket, document, reply);
        return client.WaitForMessageBox(kWindowWaitMs, file, line);
    }
    // Starts an attempt whose check the server answers only after delayMs.
    void StartSlowAttempt(ExamServer& exam, const std::string& reply, DWORD delayMs) {
        StartAttempt(exam, "20260001", "110101", reply, delayMs);
        ASSERT_TRUE(exam.server.WaitForRequests(2, 10000));
    }
    // True when the window answers within 600 ms.
    bool Answers() {
        DWORD_PTR result = 0;
        DWORD start = GetTickCount();
        return SendMessageTimeoutA(login, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) &&
               GetTickCount() - start < 600;
    }
    void Dismiss(const MessageBoxInfo& box) {
        ClientProcess::PressOk(box);
        WaitUntil([&] { return !IsWindow(box.hwnd); }, kWindowWaitMs, "the box's closing on OK");
        Sleep(100);
    }
    // A client still running at the end is asked to close, as its window's close box would.
    ~Session() {
        if (login && client.Running()) {
            PostMessageA(login, WM_CLOSE, 0, 0);
            client.WaitForExit();
        }
    }
    AutoRunCleanup autoRun;  // first made, last gone: after the client has ended
    ClientProcess client;
    HWND login = nullptr;
    LoginFields fields;
};

// Asked of the field itself, so that it is answered after what was posted before it.
inline LRESULT Ask(HWND field, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(field, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

// The focus of the login form's thread once it is on `expected` (the field named so), or what
// it is when that did not come in time.
inline HWND WaitForFocus(HWND login, HWND expected, const std::string& name, const char* file = __builtin_FILE(),
                  int line = __builtin_LINE()) {
    WaitUntil([&] { return FocusOf(login) == expected; }, kWindowWaitMs, "the focus on " + name, WaitMode::Sleep,
              file, line);
    return FocusOf(login);
}

}  // namespace harness
