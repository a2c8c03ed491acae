// The sign-in as a candidate goes through it, against a scripted exam server.
#include <gtest/gtest.h>

#include "tests/e2e/ExamSession.h"
#include "tests/support/RealInput.h"
#include "tests/support/RegistryHelpers.h"

using namespace harness;

namespace {

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string IniValue(const std::string& file, const char* key) {
    char buf[2048];
    DWORD n = GetPrivateProfileStringA("User", key, "", buf, sizeof buf, file.c_str());
    return std::string(buf, n);
}

const RECT kBusyLabel = {176, 40, 176 + 191, 40 + 13};  // the busy label, in client coordinates

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

// While it exists, the client's processes cannot load the browser control's library (the
// clients started by the tests all run as Corvane.exe, one at a time).
class WithoutBrowserLibrary {
public:
    WithoutBrowserLibrary() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            RegSetValueExA(key, "ieframe", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
            RegCloseKey(key);
        }
    }
    ~WithoutBrowserLibrary() { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }

private:
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\Corvane.exe\\DllOverrides";
};

}  // namespace

TEST(SignIn, CaptionPresenceMessagesAndEveryRefusalLeaveTheFormIdle) {
    ExamServer exam(Ansi(u8"第一考点 第01考场") + "\r\n");
    Session s("signin_refusals", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    ASSERT_TRUE(s.fields.userName && s.fields.pwd);
    EXPECT_EQ(WindowText(s.login), Ansi(u8"全国Brenvara-考生端(第一考点 第01考场") + "\r\n)")
        << "the caption carries the reply untrimmed";

    // Presence: all missing gives only the ticket message, focus on the ticket field.
    MessageBoxInfo box = s.ClickLoginAndWaitForBox();
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, Ansi(u8"登陆提示"));
    EXPECT_EQ(box.text, Ansi(u8"请输入准考证号！"));
    EXPECT_EQ(box.icon, BoxIcon::Information);
    s.Dismiss(box);
    EXPECT_EQ(WaitForFocus(s.login, s.fields.userName, "UserName"), s.fields.userName);
    EXPECT_FALSE(s.client.FindWindowOf("#32770"));

    SetFieldText(s.fields.userName, "20260001");
    box = s.ClickLoginAndWaitForBox();
    EXPECT_EQ(box.text, Ansi(u8"请输入身份证件号！"));
    s.Dismiss(box);
    EXPECT_EQ(WaitForFocus(s.login, s.fields.pwd, "PWD"), s.fields.pwd);
    EXPECT_TRUE(exam.Targets("ClientLogin_Exam_Check").empty()) << "nothing is sent while a value is missing";

    // Every refusal code with its text; the form returns to idle with both texts kept.
    SetFieldText(s.fields.pwd, "110101200001011234");
    const char* texts[] = {u8"无法连接远程服务器,请检查网络连接！", u8"准考证号或身份证件号错误！",
                           u8"你已经登录或非正常退出！",             u8"你已经交卷，不能继续登录！",
                           u8"你的考试已被取消，不能继续登录！",     u8"没有安排场次,不能考试！",
                           u8"未到考试时间，不能考试！"};
    for (int code = 1; code <= 7; ++code) {
        exam.NextCheck("-" + std::to_string(code));
        box = s.ClickLoginAndWaitForBox();
        ASSERT_NE(box.hwnd, nullptr) << code;
        EXPECT_EQ(box.caption, Ansi(u8"登陆失败"));
        EXPECT_EQ(box.text, Ansi(texts[code - 1])) << "code -" << code;
        if (code == 2) SaveScreenshot(nullptr, "signin_refusal_box");
        s.Dismiss(box);
        EXPECT_TRUE(IsWindowEnabled(s.fields.userName) && IsWindowEnabled(s.fields.pwd));
        EXPECT_EQ(WindowText(s.fields.userName), "20260001");
        EXPECT_EQ(WindowText(s.fields.pwd), "110101200001011234");
        EXPECT_EQ(WaitForFocus(s.login, s.fields.userName, "UserName"), s.fields.userName);
    }

    // Replies read as -2 and as -1, and a code the program does not know.
    struct { const char* reply; const char* text; } cases[] = {
        {"$FFFFFFFE", texts[1]}, {"", texts[0]}, {"<html><body>0</body></html>", texts[0]},
        {"0 ok", texts[0]}, {"2147483648", texts[0]}};
    for (auto& c : cases) {
        exam.NextCheck(c.reply);
        box = s.ClickLoginAndWaitForBox();
        EXPECT_EQ(box.text, Ansi(c.text)) << "reply '" << c.reply << "'";
        s.Dismiss(box);
    }
    exam.NextCheck("5");
    box = s.ClickLoginAndWaitForBox();
    EXPECT_EQ(box.caption, Ansi(u8"登陆失败"));
    EXPECT_NE(box.text.find(Ansi(u8"（5）")), std::string::npos) << "an unknown code is named";
    s.Dismiss(box);
    EXPECT_TRUE(IsWindowEnabled(s.fields.userName));
    EXPECT_FALSE(s.client.FindWindowOf("TFrmMain"));
    EXPECT_EQ(exam.Targets("ClientLogin_Exam_Check").size(), 13u);

    // Tab moves from the ticket field to the document field.
    EXPECT_EQ(WaitForFocus(s.login, s.fields.userName, "UserName"), s.fields.userName);
    PostMessageA(s.fields.userName, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(WaitForFocus(s.login, s.fields.pwd, "PWD"), s.fields.pwd);

    // Pressing elsewhere and releasing over the login picture is no click.
    PostMessageA(s.login, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 320));
    PostMessageA(s.login, WM_LBUTTONUP, 0, MAKELPARAM(kLoginX, kLoginY));

    // Enter in a field starts nothing.
    PostMessageA(s.fields.pwd, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(s.fields.pwd, WM_CHAR, '\r', 0);
    Sleep(500);
    EXPECT_EQ(exam.Targets("ClientLogin_Exam_Check").size(), 13u);
    EXPECT_FALSE(s.client.FindWindowOf("#32770"));

    PostMessageA(s.login, WM_CLOSE, 0, 0);
    EXPECT_EQ(s.client.WaitForExit(), 0u);
}

TEST(SignIn, BothRequestsCarryTheFormsHeadersAndTheCheckItsTypedValues) {
    ExamServer exam;
    Session s("signin_request_bytes", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    MessageBoxInfo box = s.AttemptAndWaitForBox(exam, "a+b", "c/d?e%f", "-2");
    ASSERT_NE(box.hwnd, nullptr);
    s.Dismiss(box);

    std::vector<ScriptedRequest> requests = exam.server.Requests();
    ASSERT_EQ(requests.size(), 2u) << "the caption text, then the check";
    const std::string head = "\r\nContent-Type: text/html\r\nHost: 127.0.0.1:" + std::to_string(exam.server.Port()) +
                             "\r\nAccept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n";
    EXPECT_EQ(requests[0].raw, "GET /paper/getKdInfo.jsp HTTP/1.1" + head);
    EXPECT_EQ(requests[1].raw, "GET /paper/ClientLogin_Exam_Check.jsp?username=a%2Bb&password=c%2Fd%3Fe%25f HTTP/1.1" + head)
        << "a typed + is encoded with the other reserved characters";

    PostMessageA(s.login, WM_CLOSE, 0, 0);
    EXPECT_EQ(s.client.WaitForExit(), 0u);
}

TEST(SignIn, WithoutAServerTheCaptionIsPlainAndAnAttemptAsksForAServer) {
    {
        Session s("signin_no_settings", "");
        ASSERT_NE(s.login, nullptr);
        EXPECT_EQ(WindowText(s.login), Ansi(u8"全国Brenvara-考生端"));
        SetFieldText(s.fields.userName, "1");
        SetFieldText(s.fields.pwd, "2");
        MessageBoxInfo box = s.ClickLoginAndWaitForBox();
        EXPECT_EQ(box.caption, Ansi(u8"登陆提示"));
        EXPECT_EQ(box.text, Ansi(u8"请选择服务器！"));
        s.Dismiss(box);

        // The notice leaves the focus where it was, and the login picture answers again.
        RealClick(s.fields.pwd, 30, 8);
        WaitForFocus(s.login, s.fields.pwd, "the document field");
        Sleep(GetDoubleClickTime() + 100);  // a second click, not a double click
        RealClick(s.login, kLoginX, kLoginY);
        box = s.client.WaitForMessageBox();
        EXPECT_EQ(box.text, Ansi(u8"请选择服务器！"));
        s.Dismiss(box);
        EXPECT_EQ(WaitForFocus(s.login, s.fields.pwd, "the document field after the notice"), s.fields.pwd);
        PostMessageA(s.login, WM_CLOSE, 0, 0);
        EXPECT_EQ(s.client.WaitForExit(), 0u);
    }
    int closedPort;
    {
        ScriptedServer gone;
        closedPort = gone.Port();
    }
    Session s("signin_unreachable", "[User]\r\nServerList_Address=http://127.0.0.1:" + std::to_string(closedPort) + "/\r\n");
    ASSERT_NE(s.login, nullptr);
    EXPECT_EQ(WindowText(s.login), Ansi(u8"全国Brenvara-考生端"));
    SetFieldText(s.fields.userName, "1");
    SetFieldText(s.fields.pwd, "2");
    MessageBoxInfo box = s.ClickLoginAndWaitForBox();
    EXPECT_EQ(box.text, Ansi(u8"无法连接远程服务器,请检查网络连接！"));
    s.Dismiss(box);
    PostMessageA(s.login, WM_CLOSE, 0, 0);
    EXPECT_EQ(s.client.WaitForExit(), 0u);
}

TEST(SignIn, SuccessRecordsTheSignInAndOpensTheExamBrowserFullScreen) {
    const std::string title = AppTitle();
    ExamServer exam;
    Session s("signin_success", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    const std::string ticket = "a&b#c d" + Ansi(u8"中文"), document = "110101200001011234";
    s.StartAttempt(exam, ticket, document, " 0\r\n");
    HWND browser = s.client.WaitForWindow("TFrmMain", "", kWindowWaitMs);
    ASSERT_NE(browser, nullptr) << "the exam browser opens";
    ASSERT_TRUE(exam.server.WaitForRequests(3, kWindowWaitMs)) << "the browser asks for the exam page";
    Sleep(500);
    SaveScreenshot(nullptr, "signin_browser");

    RECT r = WindowRect(browser);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetWindowLongA(browser, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << "borderless";
    EXPECT_EQ(WindowText(browser), Ansi(u8"全国Brenvara-客户端"));
    EXPECT_EQ(WindowText(s.fields.userName), ticket) << "the ticket stays";
    EXPECT_EQ(WindowText(s.fields.pwd), "") << "the document number is cleared";
    EXPECT_TRUE(IsWindowEnabled(s.fields.userName) && IsWindowEnabled(s.fields.pwd));

    // Typed values reach the server exactly as typed.
    auto checks = exam.Targets("ClientLogin_Exam_Check.jsp");
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(QueryValue(checks[0], "username"), ticket);
    EXPECT_EQ(QueryValue(checks[0], "password"), document);
    auto pages = exam.Targets("ClientLogin_Exam.jsp?");
    ASSERT_GE(pages.size(), 1u);
    EXPECT_EQ(QueryValue(pages[0], "username"), ticket);
    EXPECT_EQ(QueryValue(pages[0], "password"), document);
    EXPECT_EQ(QueryValue(pages[0], "LocalIp"), "10.254.0.1");

    // The sign-in record and the autostart value.
    std::string ini = s.client.Dir() + "\\UserInfo.ini";
    EXPECT_EQ(IniValue(ini, "LoginName"), ticket);
    EXPECT_EQ(IniValue(ini, "MAC"), "02-11-22-33-44-55");
    EXPECT_EQ(IniValue(ini, "IP"), "10.254.0.1");
    char host[256] = "";
    gethostname(host, sizeof host);
    EXPECT_EQ(IniValue(ini, "ComputerName"), host);
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string today = std::to_string(now.wYear) + "/" + std::to_string(now.wMonth) + "/" + std::to_string(now.wDay);
    EXPECT_EQ(IniValue(ini, "LastLoginTime").rfind(today, 0), 0u) << IniValue(ini, "LastLoginTime");
    StoredValue run = QueryValue(HKEY_LOCAL_MACHINE, kRunKey, title);
    EXPECT_TRUE(run.exists && run.type == REG_SZ);
    EXPECT_EQ(std::string(run.bytes.data(), run.bytes.size()), s.client.Dir() + "\\Corvane.exe" + std::string(1, '\0'));

    // A second sign-in creates a second browser form.
    SetFieldText(s.fields.pwd, document);
    exam.NextCheck("$0");
    ClickAt(s.login, kLoginX, kLoginY);
    auto browserForms = [&] {
        int forms = 0;
        for (HWND h : s.client.TopLevelWindows(false)) forms += ClassOf(h) == "TFrmMain";
        return forms;
    };
    WaitUntil([&] { return browserForms() >= 2; }, kWindowWaitMs, "a second browser form");
    EXPECT_EQ(browserForms(), 2);

    PostMessageA(s.login, WM_CLOSE, 0, 0);
    EXPECT_EQ(s.client.WaitForExit(), 0u);
}

TEST(SignIn, UnwritableSettingsFileEndsInTheExceptionBoxWithoutABrowser) {
    ExamServer exam;
    Session s("signin_unwritable", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    // Held open without write sharing: the client can read it but not write it.
    std::string ini = s.client.Dir() + "\\UserInfo.ini";
    HANDLE lock = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    MessageBoxInfo box = s.AttemptAndWaitForBox(exam, "20260001", "110101", "0");
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, Ansi(u8"全国Brenvara-考生端"));
    EXPECT_EQ(box.text, "Unable to write to " + ini + ".");
    EXPECT_EQ(box.icon, BoxIcon::Hand);
    s.Dismiss(box);
    CloseHandle(lock);
    EXPECT_FALSE(s.client.FindWindowOf("TFrmMain")) << "no browser form";
    EXPECT_FALSE(IsWindowEnabled(s.fields.userName)) << "the form stays disabled";
    EXPECT_EQ(WindowText(s.fields.pwd), "110101");
    PostMessageA(s.login, WM_CLOSE, 0, 0);
    EXPECT_EQ(s.client.WaitForExit(), 0u);
}

TEST(SignIn, WhileTheCheckWaitsTheFormIsBusyAndStillAnswers) {
    ExamServer exam;
    Session s("signin_busy", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    Sleep(300);
    const std::vector<COLORREF> idle = Pixels(s.login, kBusyLabel);
    s.StartSlowAttempt(exam, "-3", 2500);
    Sleep(400);
    EXPECT_TRUE(WaitUntil([&] { return Differences(idle, Pixels(s.login, kBusyLabel)) > 100; }, kWindowWaitMs,
                          "the busy label drawn while the check waits"));
    EXPECT_FALSE(IsWindowEnabled(s.fields.userName)) << "busy: fields disabled";
    EXPECT_FALSE(IsWindowEnabled(s.fields.pwd));
    EXPECT_TRUE(s.Answers()) << "the window keeps answering while it waits";
    InvalidateRect(s.login, nullptr, TRUE);
    Sleep(400);
    SaveScreenshot(s.login, "signin_busy");
    ClickAt(s.login, kLoginX, kLoginY);  // the login picture is disabled: no second attempt
    MessageBoxInfo box = s.client.WaitForMessageBox(10000);
    EXPECT_EQ(box.text, Ansi(u8"你已经登录或非正常退出！"));
    s.Dismiss(box);
    Sleep(300);
    EXPECT_FALSE(s.client.FindWindowOf("#32770"));
    EXPECT_EQ(exam.Targets("ClientLogin_Exam_Check").size(), 1u) << "one attempt at a time";
    EXPECT_TRUE(IsWindowEnabled(s.fields.userName));
    EXPECT_TRUE(WaitUntil([&] { return Differences(idle, Pixels(s.login, kBusyLabel)) == 0; }, kWindowWaitMs,
                          "the busy label gone after the reply"));
    PostMessageA(s.login, WM_CLOSE, 0, 0);
    EXPECT_EQ(s.client.WaitForExit(), 0u);
}

TEST(SignIn, ClosingWhileTheCheckWaitsKeepsTheWindowsServedUntilTheReply) {
    ExamServer exam;
    Session s("signin_close_while_waiting", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    s.StartSlowAttempt(exam, "-3", 3000);
    ClickAt(s.login, 330, 218);  // the exit picture
    Sleep(600);
    for (int i = 0; i < 3; ++i, Sleep(300)) EXPECT_TRUE(s.Answers()) << "still served after the exit was asked for";
    MessageBoxInfo box = s.client.WaitForMessageBox(10000);
    EXPECT_EQ(box.text, Ansi(u8"你已经登录或非正常退出！")) << "the attempt finishes";
    s.Dismiss(box);
    EXPECT_EQ(s.client.WaitForExit(), 0u) << "then the program ends";
}

// Without the browser control in the process (its library kept from loading), the browser
// form's creation fails: one box, and the attempt still ends with the form idle.
TEST(SignIn, ABrowserFormThatFailsWhileCreatedShowsOneBoxAndTheFormComesBackIdle) {
    ExamServer exam;
    WithoutBrowserLibrary noBrowser;
    Session s("signin_no_browser", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    MessageBoxInfo box = s.AttemptAndWaitForBox(exam, "20260001", "110101", "0");
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.icon, BoxIcon::Hand);
    EXPECT_NE(box.text.find("web browser"), std::string::npos) << box.text;
    auto boxes = [&] {
        int n = 0;
        for (HWND h : s.client.TopLevelWindows(true)) n += ClassOf(h) == "#32770";
        return n;
    };
    Sleep(300);
    EXPECT_EQ(boxes(), 1) << "one box";
    s.Dismiss(box);
    Sleep(300);
    EXPECT_EQ(boxes(), 0) << "and no second one";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(s.fields.userName) && IsWindowEnabled(s.fields.pwd); },
                          kWindowWaitMs, "both fields enabled"));
    EXPECT_EQ(WindowText(s.fields.pwd), "") << "the document number is cleared";
    EXPECT_EQ(WindowText(s.fields.userName), "20260001");
    PostMessageA(s.login, WM_CLOSE, 0, 0);
    EXPECT_EQ(s.client.WaitForExit(), 0u);
}
