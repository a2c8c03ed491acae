// The login form from the keyboard, as a candidate uses it: real keys and clicks on the
// running client, typed at once, Tab and Shift+Tab between the fields, Esc to undo.
#include <gtest/gtest.h>

#include "tests/e2e/ExamSession.h"
#include "tests/support/Clipboard.h"
#include "tests/support/RealInput.h"

using namespace harness;

TEST(LoginKeyboard, TypedAtOnceIntoTheTicketFieldAndEscUndoesTheVisitInEitherFieldButNeverEndsTheProgram) {
    ExamServer exam;
    Session c("keys_escape", exam.Ini());
    ASSERT_NE(c.login, nullptr);
    HWND user = c.fields.userName, pwd = c.fields.pwd;
    auto texts = [&](const std::string& u, const std::string& p) {
        return WaitUntil([&] { return WindowText(user) == u && WindowText(pwd) == p; }, kWindowWaitMs,
                         "the texts '" + u + "' and '" + p + "'");
    };
    auto running = [&] {
        Sleep(100);  // a close the key may have asked for has been handled by then
        return c.client.Running() && IsWindowVisible(c.login);
    };

    // Typed straight after the form appears: into the ticket field, which has the focus.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == c.login; }, kWindowWaitMs, "the login form in front"));
    TypeKeys("111");
    EXPECT_TRUE(
        WaitUntil([&] { return WindowText(user) == "111"; }, kWindowWaitMs, "the typed ticket in the ticket field"));
    EXPECT_EQ(FocusOf(c.login), user);
    PressKey(VK_TAB);
    ASSERT_EQ(WaitForFocus(c.login, pwd, "the document field"), pwd);
    TypeKeys("222");
    PressKey(VK_TAB, true);
    ASSERT_EQ(WaitForFocus(c.login, user, "the ticket field"), user) << "Shift+Tab goes back";
    TypeKeys("99");
    EXPECT_TRUE(texts("99", "222")) << "typed over the whole text, selected on entry";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(running()) << "Esc after Tab and Shift+Tab";
    EXPECT_TRUE(texts("111", "222")) << "Esc puts back the ticket of this visit";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(running());

    // Tab, a click back into the first field, Esc; Enter and Esc in the second field.
    PressKey(VK_TAB);
    ASSERT_EQ(WaitForFocus(c.login, pwd, "the document field"), pwd);
    RealClick(user, 30, 8);
    ASSERT_EQ(WaitForFocus(c.login, user, "the ticket field"), user);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(running()) << "Esc after Tab and a click";
    RealClick(pwd, 30, 8);
    ASSERT_EQ(WaitForFocus(c.login, pwd, "the document field"), pwd);
    PressKey(VK_END);
    TypeKeys("3");
    PressKey(VK_RETURN);
    ASSERT_TRUE(texts("111", "2223"));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(texts("111", "222")) << "Esc puts back the document of this visit";
    EXPECT_TRUE(running()) << "Esc after Enter in the second field";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(running());
    EXPECT_TRUE(exam.Targets("/paper/ClientLogin_Exam_Check.jsp").empty()) << "neither Enter nor Esc starts an attempt";

    // A refusal: its box, then the ticket field with its whole text selected; Esc there too.
    RealClick(c.login, kLoginX, kLoginY);
    MessageBoxInfo box = c.client.WaitForMessageBox();
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text, Ansi(u8"准考证号或身份证件号错误！"));
    PressKey(VK_RETURN);  // the box's button, from the keyboard
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }, kWindowWaitMs, "the box going away"));
    ASSERT_EQ(WaitForFocus(c.login, user, "the ticket field"), user) << "the ticket field has the focus";
    const DWORD sel = static_cast<DWORD>(Ask(user, EM_GETSEL));
    EXPECT_TRUE(LOWORD(sel) == 0 && HIWORD(sel) >= 3)
        << "with its whole text selected: " << LOWORD(sel) << ".." << HIWORD(sel);
    PressKey(VK_ESCAPE);
    PressKey(VK_TAB);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(running()) << "Esc after a refusal";
    EXPECT_TRUE(texts("111", "222"));

    // The sign-in still goes through, with the texts as they stand.
    exam.NextCheck("0");
    Sleep(GetDoubleClickTime() + 100);  // a second click on the picture, not a double click
    RealClick(c.login, kLoginX, kLoginY);
    EXPECT_NE(c.client.WaitForWindow("TFrmMain"), nullptr) << "the exam browser opens";
    auto checks = exam.Targets("/paper/ClientLogin_Exam_Check.jsp");
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_EQ(QueryValue(checks[1], "username"), "111");
    EXPECT_EQ(QueryValue(checks[1], "password"), "222");
}

// Tab into the empty document field selects "all" of it, which in a rich edit is only the
// closing paragraph mark: its text menu offers no Copy, so the clipboard keeps its text.
TEST(LoginKeyboard, TheTextMenuOfAnEmptyFieldEnteredByTabLeavesTheClipboardAlone) {
    ExamServer exam;
    Session c("keys_empty_menu", exam.Ini());
    ASSERT_NE(c.login, nullptr);
    HWND pwd = c.fields.pwd;
    ASSERT_EQ(WaitForFocus(c.login, c.fields.userName, "the ticket field"), c.fields.userName);
    PressKey(VK_TAB);
    ASSERT_EQ(WaitForFocus(c.login, pwd, "the document field"), pwd);
    ASSERT_TRUE(PutOnClipboard("kept"));

    auto menuKey = [&](WORD key) {
        RealClick(pwd, 30, 8, true);
        HWND menu = c.client.WaitForWindow("#32768");
        if (!menu) return;
        Sleep(100);
        PressKey(key);
        Sleep(150);
        if (IsWindowVisible(menu)) PressKey(VK_ESCAPE);  // the key chose nothing: the menu goes
        WaitUntil([&] { return !IsWindowVisible(menu); }, kWindowWaitMs, "the text menu going away");
    };
    menuKey('C');
    EXPECT_EQ(ClipboardText(), "kept") << "Copy of an empty field";
    menuKey('T');
    menuKey('D');
    EXPECT_EQ(ClipboardText(), "kept") << "Cut and Delete of an empty field";
    EXPECT_EQ(WindowText(pwd), "");

    // With text, the same menu selects all and copies it.
    TypeKeys("12");
    ASSERT_TRUE(WaitUntil([&] { return WindowText(pwd) == "12"; }, kWindowWaitMs, "the typed document number"));
    menuKey('A');
    menuKey('C');
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == "12"; }, kWindowWaitMs, "the copied text on the clipboard"));
    EXPECT_TRUE(c.client.Running());
    EXPECT_EQ(WindowText(c.fields.userName), "");
}
