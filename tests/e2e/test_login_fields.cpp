// The login form's two fields as a candidate meets them: styled edits with a single-line
// border, fed from the clipboard, with the built-in text menu on a right click.
#include <gtest/gtest.h>

#include <mutex>

#include "tests/support/Clipboard.h"
#include "tests/support/Harness.h"
#include "tests/support/ScriptedServer.h"

using namespace harness;

namespace {

// The exam server: the caption text, and a check that refuses every pair (so no browser
// form opens) while recording what arrived.
class RefusingServer {
public:
    RefusingServer() {
        server.SetHandler([](const ScriptedRequest& r) {
            if (r.Target().find("/paper/getKdInfo.jsp") == 0) return ScriptedReply::Ok("Centre 01");
            return ScriptedReply::Ok("-2");
        });
    }
    std::string Ini() const { return "[User]\r\nServerList_Address=" + server.BaseUrl() + "\r\n"; }
    std::vector<std::string> Checks() const {
        std::vector<std::string> out;
        for (const ScriptedRequest& r : server.Requests())
            if (r.Target().find("/paper/ClientLogin_Exam_Check.jsp") == 0) out.push_back(r.Target());
        return out;
    }
    ScriptedServer server;
};

struct LoginSession {
    explicit LoginSession(const std::string& name, const std::string& ini) : client(name, ini) {
        client.Start();
        login = client.WaitForWindow("TFrmLogin", "", 30000);
        if (login) fields = FindLoginFields(login);
    }
    ~LoginSession() {
        if (login) PostMessageA(login, WM_CLOSE, 0, 0);
        client.WaitForExit();
    }
    ClientProcess client;
    HWND login = nullptr;
    LoginFields fields;
};

// Asked of the field itself, so that it is answered after what was posted before it.
DWORD SelectionOf(HWND field) {
    DWORD_PTR sel = 0;
    SendMessageTimeoutA(field, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &sel);
    return static_cast<DWORD>(sel);
}

LRESULT Ask(HWND field, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(field, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

// The height an automatically sized field takes with the login form's font.
int AutoHeight() {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight + 2 * (GetSystemMetrics(SM_CYBORDER) + 1) + 2 * 2;
}

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
    RECT r = WindowRect(hwnd);
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, r.left + x, r.top + y);
    ReleaseDC(nullptr, dc);
    return c;
}

// The text menu the field pops up (a menu window of the client), or none within 5 s.
HWND WaitForMenu(const ClientProcess& client) { return client.WaitForWindow("#32768", "", 5000); }

void RightClick(HWND field, int x, int y) {
    PostMessageA(field, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    PostMessageA(field, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
}

// Chooses a menu item by its underlined letter and waits for the menu to go.
bool ChooseItem(HWND menu, char letter) {
    PostMessageA(menu, WM_CHAR, static_cast<unsigned char>(letter), 0);
    for (int i = 0; i < 250 && IsWindowVisible(menu); ++i) Sleep(20);
    return !IsWindowVisible(menu);
}

}  // namespace

TEST(LoginFields, AreStyledEditsOfTheFormsWidthAndTheFontsHeightWithASingleLineBorder) {
    RefusingServer exam;
    LoginSession s("fields_look", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    ASSERT_TRUE(s.fields.userName && s.fields.pwd);
    SetFieldText(s.fields.userName, "20260001");
    SetFieldText(s.fields.pwd, "110101200001011234");
    Sleep(300);
    SaveScreenshot(s.login, "login_fields");

    const int height = AutoHeight();
    for (HWND field : {s.fields.userName, s.fields.pwd}) {
        EXPECT_EQ(ClassOf(field), "TdxEdit");
        RECT r = WindowRect(field);
        EXPECT_EQ(r.right - r.left, 161);
        EXPECT_EQ(r.bottom - r.top, height) << "the height follows the font";

        const LONG style = GetWindowLongA(field, GWL_STYLE);
        EXPECT_EQ(style & (ES_AUTOHSCROLL | ES_AUTOVSCROLL), ES_AUTOHSCROLL | ES_AUTOVSCROLL);
        EXPECT_EQ(style & (ES_MULTILINE | ES_PASSWORD | WS_HSCROLL | WS_VSCROLL | WS_BORDER), 0);
        EXPECT_EQ(GetWindowLongA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0) << "the border is our own";

        // The window is cut to the border's outline; the border is one pixel in the window
        // frame colour, the inside the window colour.
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        ASSERT_EQ(GetWindowRgn(field, rgn), SIMPLEREGION);
        RECT box = {};
        GetRgnBox(rgn, &box);
        DeleteObject(rgn);
        EXPECT_EQ(box.left, 1);
        EXPECT_EQ(box.top, 1);
        EXPECT_EQ(box.right, 160);
        EXPECT_EQ(box.bottom, height - 1);
        EXPECT_EQ(ScreenPixel(field, 1, height / 2), GetSysColor(COLOR_WINDOWFRAME));
        EXPECT_EQ(ScreenPixel(field, 159, height / 2), GetSysColor(COLOR_WINDOWFRAME));
        EXPECT_EQ(ScreenPixel(field, 80, 1), GetSysColor(COLOR_WINDOWFRAME));
        EXPECT_EQ(ScreenPixel(field, 157, 3), GetSysColor(COLOR_WINDOW));
    }
    EXPECT_EQ(WindowText(s.fields.userName), "20260001");
}

TEST(LoginFields, ATicketAndADocumentPastedFromTheClipboardArriveAtTheServerExactly) {
    RefusingServer exam;
    LoginSession s("fields_paste", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    ASSERT_TRUE(s.fields.userName && s.fields.pwd);
    const std::string ticket = Ansi(u8"准考证 A&B#1 2号"), document = Ansi(u8" 身份#证&件 3 ");

    ASSERT_TRUE(PutOnClipboard(ticket));
    Ask(s.fields.userName, WM_PASTE);
    ASSERT_TRUE(PutOnClipboard(document));
    Ask(s.fields.pwd, WM_PASTE);
    EXPECT_EQ(WindowText(s.fields.userName), ticket);
    EXPECT_EQ(WindowText(s.fields.pwd), document);

    ClickAt(s.login, 250, 218);  // the login picture
    MessageBoxInfo box = s.client.WaitForMessageBox(30000);
    ASSERT_NE(box.hwnd, nullptr);
    ClientProcess::PressOk(box);
    auto checks = exam.Checks();
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(QueryValue(checks[0], "username"), ticket);
    EXPECT_EQ(QueryValue(checks[0], "password"), document);
}

TEST(LoginFields, ARightClickBringsUpTheTextMenuWhoseSelectAllAndCopyWork) {
    RefusingServer exam;
    LoginSession s("fields_menu", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    ASSERT_TRUE(s.fields.userName);
    const HWND field = s.fields.userName;
    const std::string text = Ansi(u8"考号 20260001");
    SetFieldText(field, text);
    Ask(field, EM_SETSEL, 0, 0);
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);

    RightClick(field, 20, 8);
    HWND menu = WaitForMenu(s.client);
    ASSERT_NE(menu, nullptr) << "the text menu comes up";
    Sleep(300);
    SaveScreenshot(nullptr, "login_fields_menu");
    ASSERT_TRUE(ChooseItem(menu, 'a')) << "Select &All";
    // The rich edit counts in characters and selects its closing paragraph mark with the rest.
    EXPECT_EQ(LOWORD(SelectionOf(field)), 0);
    EXPECT_GE(HIWORD(SelectionOf(field)), length) << "the whole text is selected";

    EmptyTheClipboard();
    RightClick(field, 20, 8);
    menu = WaitForMenu(s.client);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(ChooseItem(menu, 'c')) << "&Copy";
    std::string copied;
    for (int i = 0; i < 100 && (copied = ClipboardText()).empty(); ++i) Sleep(20);
    EXPECT_EQ(copied, text) << "the selection is on the clipboard, Chinese characters whole";
    EXPECT_EQ(WindowText(field), text) << "copying leaves the text";
}
