// What the login form shows and where the focus is around a sign-in attempt: the busy label,
// the notice about a missing server, and a browser form that fails while it is created.
#include <gtest/gtest.h>

#include <mutex>

#include "tests/support/Harness.h"
#include "tests/support/RealInput.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/ScriptedServer.h"
#include "tests/support/Waits.h"

using namespace harness;

namespace {

const int kLoginX = 250, kLoginY = 218;  // inside the login picture
const RECT kBusyLabel = {176, 40, 176 + 191, 40 + 13};  // the busy label, in client coordinates

// The caption, then the check answered with `check` after `delayMs`, and the exam page.
class Server {
public:
    explicit Server(const std::string& check, DWORD delayMs = 0) {
        server.SetHandler([check, delayMs](const ScriptedRequest& r) {
            const std::string target = r.Target();
            if (target.find("/paper/getKdInfo.jsp") == 0) return ScriptedReply::Ok("Centre 01");
            ScriptedReply reply = ScriptedReply::Ok(target.find("/paper/ClientLogin_Exam_Check.jsp") == 0
                                                        ? check
                                                        : std::string("<html><body>exam</body></html>"));
            if (target.find("/paper/ClientLogin_Exam_Check.jsp") == 0) reply.delayMs = delayMs;
            return reply;
        });
    }
    std::string Ini() const { return "[User]\r\nServerList_Address=" + server.BaseUrl() + "\r\n"; }
    ScriptedServer server;
};

struct Client {
    explicit Client(const std::string& name, const std::string& ini) : autoRun(Ansi(u8"全国Brenvara-考生端")), process(name, ini) {
        process.Start();
        login = process.WaitForWindow("TFrmLogin", "", kClientStartMs);
        if (login) fields = FindLoginFields(login);
    }
    ~Client() {
        if (process.Running() && login) PostMessageA(login, WM_CLOSE, 0, 0);
        process.WaitForExit();
    }
    AutoRunCleanup autoRun;  // a sign-in registers for autostart: gone before and after
    ClientProcess process;
    HWND login = nullptr;
    LoginFields fields;
};

// The screen's pixels of a rectangle of the window's client area.
std::vector<COLORREF> Pixels(HWND hwnd, const RECT& r) {
    POINT origin = {r.left, r.top};
    ClientToScreen(hwnd, &origin);
    std::vector<COLORREF> out;
    HDC dc = GetDC(nullptr);
    for (int y = 0; y < r.bottom - r.top; ++y)
        for (int x = 0; x < r.right - r.left; ++x) out.push_back(GetPixel(dc, origin.x + x, origin.y + y));
    ReleaseDC(nullptr, dc);
    return out;
}

int Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
    return n;
}

int BoxesOf(const ClientProcess& p) {
    int n = 0;
    for (HWND h : p.TopLevelWindows(true)) n += ClassOf(h) == "#32770";
    return n;
}

// While it exists, the client's processes cannot load the browser control's library (the
// clients started by the tests all run as Corvane.exe, one at a time).
class WithoutBrowserLibrary {
public:
    WithoutBrowserLibrary() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(key, "ieframe", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
            RegCloseKey(key);
        }
    }
    ~WithoutBrowserLibrary() { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }

private:
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\Corvane.exe\\DllOverrides";
};

}  // namespace

TEST(SignInStates, TheBusyLabelShowsWhileTheCheckWaitsAndGoesWithTheReply) {
    Server exam("-2", 2000);
    Client c("states_busy_label", exam.Ini());
    ASSERT_NE(c.login, nullptr);
    SetFieldText(c.fields.userName, "20260001");
    SetFieldText(c.fields.pwd, "110101");
    Sleep(300);
    const std::vector<COLORREF> idle = Pixels(c.login, kBusyLabel);
    RealClick(c.login, kLoginX, kLoginY);
    ASSERT_TRUE(exam.server.WaitForRequests(2, 10000)) << "the check is asked for";
    EXPECT_TRUE(WaitUntil([&] { return Differences(idle, Pixels(c.login, kBusyLabel)) > 100; }, kWindowWaitMs, "the busy label drawn"))
        << "the label is drawn while the check waits";
    SaveScreenshot(c.login, "signin_busy_label");
    MessageBoxInfo box = c.process.WaitForMessageBox();
    ASSERT_NE(box.hwnd, nullptr);
    ClientProcess::PressOk(box);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kWindowWaitMs, "the box going away"));
    EXPECT_TRUE(WaitUntil([&] { return Differences(idle, Pixels(c.login, kBusyLabel)) == 0; }, kWindowWaitMs, "the busy label gone"))
        << "and gone after the reply: " << Differences(idle, Pixels(c.login, kBusyLabel)) << " pixels differ";
}

TEST(SignInStates, WithoutAServerTheNoticeLeavesTheFocusWhereItWasAndTheSignInPictureWorksAgain) {
    Client c("states_no_server", "");
    ASSERT_NE(c.login, nullptr);
    SetFieldText(c.fields.userName, "1");
    SetFieldText(c.fields.pwd, "2");
    RealClick(c.fields.pwd, 30, 8);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(c.login) == c.fields.pwd; }, kWindowWaitMs, "the focus on the document field"));
    for (int attempt = 1; attempt <= 2; ++attempt) {
        Sleep(GetDoubleClickTime() + 100);  // two clicks, not a double click
        RealClick(c.login, kLoginX, kLoginY);
        MessageBoxInfo box = c.process.WaitForMessageBox();
        ASSERT_NE(box.hwnd, nullptr) << "attempt " << attempt;
        EXPECT_EQ(box.text, Ansi(u8"请选择服务器！"));
        ClientProcess::PressOk(box);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kWindowWaitMs, "the box going away"));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(c.login) == c.fields.pwd; }, kWindowWaitMs, "the focus on the document field")) << "attempt " << attempt;
    }
}

// Without the browser control in the process (its library kept from loading), the browser
// form's creation fails: one box, and the attempt still ends with the form idle.
TEST(SignInStates, ABrowserFormThatFailsWhileCreatedShowsOneBoxAndTheFormComesBackIdle) {
    Server exam("0");
    WithoutBrowserLibrary noBrowser;
    Client c("states_no_browser", exam.Ini());
    ASSERT_NE(c.login, nullptr);
    SetFieldText(c.fields.userName, "20260001");
    SetFieldText(c.fields.pwd, "110101");
    RealClick(c.login, kLoginX, kLoginY);
    MessageBoxInfo box = c.process.WaitForMessageBox();
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.icon, BoxIcon::Hand);
    EXPECT_NE(box.text.find("web browser"), std::string::npos) << box.text;
    Sleep(500);
    EXPECT_EQ(BoxesOf(c.process), 1) << "one box";
    ClientProcess::PressOk(box);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kWindowWaitMs, "the box going away"));
    Sleep(500);
    EXPECT_EQ(BoxesOf(c.process), 0) << "and no second one";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(c.fields.userName) && IsWindowEnabled(c.fields.pwd); }, kWindowWaitMs, "both fields enabled"));
    EXPECT_EQ(WindowText(c.fields.pwd), "");
    EXPECT_EQ(WindowText(c.fields.userName), "20260001");
    EXPECT_TRUE(c.process.Running());
}
