// The login form's fields as a candidate meets them: bordered styled edits, the clipboard, the text menu.
#include <gtest/gtest.h>

#include "tests/e2e/ExamSession.h"
#include "tests/support/Clipboard.h"

using namespace harness;

namespace {

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

// Right-clicks the field and chooses an item of the text menu by its letter; false if no menu came and went.
bool ChooseFromTextMenu(const ClientProcess& client, HWND field, char letter, const char* file = __builtin_FILE(),
                        int line = __builtin_LINE()) {
    PostMessageA(field, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 8));
    PostMessageA(field, WM_RBUTTONUP, 0, MAKELPARAM(20, 8));
    HWND menu = client.WaitForWindow("#32768", "", kWindowWaitMs, file, line);
    if (!menu) return false;
    Sleep(300);
    SaveScreenshot(nullptr, "login_fields_menu");
    PostMessageA(menu, WM_CHAR, static_cast<unsigned char>(letter), 0);
    return WaitUntil([&] { return !IsWindowVisible(menu); }, kWindowWaitMs,
                     std::string("the text menu's item for the key '") + letter + "'", WaitMode::Sleep, file, line);
}

}  // namespace

TEST(LoginFields, AreBorderedStyledEditsAndATicketAndDocumentPastedIntoThemArriveAtTheServerExactly) {
    ExamServer exam;  // refuses every pair: no browser form opens
    Session s("fields_paste", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    ASSERT_TRUE(s.fields.userName && s.fields.pwd);
    const std::string ticket = Ansi(u8"准考证 A&B#1 2号"), document = Ansi(u8" 身份#证&件 3 ");
    ASSERT_TRUE(PutOnClipboard(ticket));
    Ask(s.fields.userName, WM_PASTE);
    ASSERT_TRUE(PutOnClipboard(document));
    Ask(s.fields.pwd, WM_PASTE);
    EXPECT_EQ(WindowText(s.fields.userName), ticket);
    EXPECT_EQ(WindowText(s.fields.pwd), document);
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

        // Cut to the border's outline: one pixel in the frame colour, the window colour inside.
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        ASSERT_EQ(GetWindowRgn(field, rgn), SIMPLEREGION);
        RECT box = {};
        GetRgnBox(rgn, &box);
        DeleteObject(rgn);
        EXPECT_TRUE(box.left == 1 && box.top == 1 && box.right == 160 && box.bottom == height - 1);
        for (POINT p : {POINT{1, height / 2}, POINT{159, height / 2}, POINT{80, 1}})
            EXPECT_EQ(ScreenPixel(field, p.x, p.y), GetSysColor(COLOR_WINDOWFRAME));
        EXPECT_EQ(ScreenPixel(field, 157, 3), GetSysColor(COLOR_WINDOW));
    }

    ClickAt(s.login, kLoginX, kLoginY);  // the login picture
    MessageBoxInfo box = s.client.WaitForMessageBox();
    ASSERT_NE(box.hwnd, nullptr);
    ClientProcess::PressOk(box);
    auto checks = exam.Targets("/paper/ClientLogin_Exam_Check.jsp");
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(QueryValue(checks[0], "username"), ticket);
    EXPECT_EQ(QueryValue(checks[0], "password"), document);
}

TEST(LoginFields, ARightClickBringsUpTheTextMenuWhoseSelectAllAndCopyWork) {
    ExamServer exam;  // refuses every pair: no browser form opens
    Session s("fields_menu", exam.Ini());
    ASSERT_NE(s.login, nullptr);
    ASSERT_TRUE(s.fields.userName);
    const HWND field = s.fields.userName;
    const std::string text = Ansi(u8"考号 20260001");
    SetFieldText(field, text);
    Ask(field, EM_SETSEL, 0, 0);
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);

    ASSERT_TRUE(ChooseFromTextMenu(s.client, field, 'a')) << "Select &All";
    // The rich edit counts in characters and selects its closing paragraph mark with the rest.
    const DWORD sel = static_cast<DWORD>(Ask(field, EM_GETSEL));
    EXPECT_EQ(LOWORD(sel), 0);
    EXPECT_GE(HIWORD(sel), length) << "the whole text is selected";
    EmptyTheClipboard();
    ASSERT_TRUE(ChooseFromTextMenu(s.client, field, 'c')) << "&Copy";
    std::string copied;
    WaitUntil([&] { return !(copied = ClipboardText()).empty(); }, kWindowWaitMs, "the copied text on the clipboard");
    EXPECT_EQ(copied, text) << "the selection is on the clipboard, Chinese characters whole";
    EXPECT_EQ(WindowText(field), text) << "copying leaves the text";
}
