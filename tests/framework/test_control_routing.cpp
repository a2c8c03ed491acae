// Unhandled messages reach the window class's own procedure; a superclassed rich edit acts as the plain one.
#include <gtest/gtest.h>

#include <richedit.h>

#include "tests/support/ControlProbes.h"
#include "tests/support/ProbeFormTest.h"

namespace {

using harness::ProbeControl;

std::vector<UINT> g_baseSaw;

LRESULT CALLBACK RecordingBaseProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_baseSaw.push_back(m);
    return DefWindowProcA(h, m, w, l);
}

class ControlRouting : public harness::ProbeFormTest {
protected:
    void SetUp() override {
        ProbeFormTest::SetUp();
        if (!HasFatalFailure()) form->Show();
    }

    ProbeControl* NewProbe(const std::string& base) {
        ProbeControl* p = AddProbe(form, base);
        p->Handle();
        return p;
    }
};

bool Has(const std::vector<UINT>& v, UINT m) { return std::find(v.begin(), v.end(), m) != v.end(); }

}  // namespace

TEST_F(ControlRouting, UnhandledMessagesOfAnyNumberReachTheWindowClassButTheFrameworkRangeStaysInside) {
    ASSERT_TRUE(harness::RegisterPlainClass("RecordingBase", RecordingBaseProc));
    ProbeControl* p = NewProbe("RecordingBase");
    g_baseSaw.clear();
    for (UINT m : {WM_USER + 0x35u, WM_APP + 1u, 0xC123u, fw::CM_CHANGED, fw::CN_COMMAND, 0xB000u, 0xBFFFu})
        SendMessageA(p->Handle(), m, 0, 0);
    for (UINT m : {WM_USER + 0x35u, WM_APP + 1u, 0xC123u}) EXPECT_TRUE(Has(g_baseSaw, m)) << std::hex << m;
    for (UINT m : {fw::CM_CHANGED, fw::CN_COMMAND, 0xB000u, 0xBFFFu}) EXPECT_FALSE(Has(g_baseSaw, m)) << std::hex << m;
    EXPECT_EQ(p->count[fw::CM_CHANGED], 1) << "the control itself still gets its own messages";
}

TEST_F(ControlRouting, SuperclassedRichEditAnswersAsThePlainOneAndKeepsItsLimit) {
    ProbeControl* p = NewProbe("RichEdit20A");
    HWND plain = CreateWindowExA(0, "RichEdit20A", "", WS_CHILD | WS_VISIBLE, 0, 40, 120, 24, form->Handle(), nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(plain);
    EXPECT_EQ(SendMessageA(p->Handle(), EM_GETTEXTMODE, 0, 0), SendMessageA(plain, EM_GETTEXTMODE, 0, 0));
    // Same font and emptied, both can change their mode.
    SendMessageA(plain, WM_SETFONT, SendMessageA(p->Handle(), WM_GETFONT, 0, 0), FALSE);
    for (HWND h : {p->Handle(), plain}) {
        SendMessageA(h, WM_SETTEXT, 0, 0);
        SendMessageA(h, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    }
    EXPECT_EQ(SendMessageA(p->Handle(), EM_GETTEXTMODE, 0, 0), SendMessageA(plain, EM_GETTEXTMODE, 0, 0));
    EXPECT_TRUE(SendMessageA(p->Handle(), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT);

    SendMessageA(p->Handle(), EM_EXLIMITTEXT, 0, 5);
    EXPECT_EQ(SendMessageA(p->Handle(), EM_GETLIMITTEXT, 0, 0), 5);
    for (int i = 0; i < 8; ++i) SendMessageA(p->Handle(), WM_CHAR, 'a' + i, 1);
    EXPECT_EQ(p->Text(), "abcde") << "typing stops at the limit";
    DestroyWindow(plain);
}

TEST_F(ControlRouting, EachTextChangeOfTheRichEditComesBackAsOneChangeNotification) {
    ProbeControl* p = NewProbe("RichEdit20A");
    SendMessageA(p->Handle(), EM_SETEVENTMASK, 0, ENM_CHANGE);
    int changes = 0;
    for (char c : std::string("xyz")) {
        SendMessageA(p->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
        EXPECT_EQ(p->commands[EN_CHANGE], ++changes) << "after typing " << c;
    }
    SendMessageA(p->Handle(), EM_SETSEL, 0, 1);
    SendMessageA(p->Handle(), WM_CLEAR, 0, 0);
    EXPECT_EQ(p->commands[EN_CHANGE], ++changes) << "a deletion";
    EXPECT_EQ(p->Text(), "yz");
}

TEST(ControlMessages, FrameworkNotificationsHaveTheirAgreedNumbers) {
    // Controls built elsewhere send and handle these by number.
    const struct { UINT ours, agreed; const char* name; } numbers[] = {
        {fw::CM_CANCELMODE, 0xB004, "CM_CANCELMODE"},     {fw::CM_ENABLEDCHANGED, 0xB00C, "CM_ENABLEDCHANGED"},
        {fw::CM_COLORCHANGED, 0xB00D, "CM_COLORCHANGED"}, {fw::CM_FONTCHANGED, 0xB00E, "CM_FONTCHANGED"},
        {fw::CM_TEXTCHANGED, 0xB012, "CM_TEXTCHANGED"},   {fw::CM_MOUSEENTER, 0xB013, "CM_MOUSEENTER"},
        {fw::CM_MOUSELEAVE, 0xB014, "CM_MOUSELEAVE"},     {fw::CM_SHOWINGCHANGED, 0xB019, "CM_SHOWINGCHANGED"},
        {fw::CM_ENTER, 0xB01A, "CM_ENTER"},               {fw::CM_EXIT, 0xB01B, "CM_EXIT"},
        {fw::CM_SYSCOLORCHANGE, 0xB024, "CM_SYSCOLORCHANGE"}, {fw::CM_CHANGED, 0xB037, "CM_CHANGED"},
        {fw::CN_NOTIFY, 0xBC4E, "CN_NOTIFY"},             {fw::CN_COMMAND, 0xBD11, "CN_COMMAND"}};
    for (const auto& n : numbers) EXPECT_EQ(n.ours, n.agreed) << n.name;
}
