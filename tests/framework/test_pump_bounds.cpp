// The tests' own pumps and waits keep their bounds whatever this thread's queue holds, and
// each failure names what did not settle: a message whose handling posts it again, and a
// window that never stops asking to be painted (its WM_PAINT leaves it invalid), hold none
// of them.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "tests/support/ControlProbes.h"
#include "tests/support/Waits.h"

namespace {

constexpr UINT kAgain = WM_APP + 7;
bool g_validate = false;

// Posts kAgain to itself again each time it handles it; paints without validating until
// g_validate.
LRESULT CALLBACK RestlessProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kAgain) {
        if (wp) PostMessageA(wnd, kAgain, wp, 0);
        return 0;
    }
    if (msg == WM_PAINT) {
        if (g_validate) ValidateRect(wnd, nullptr);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

// A failure comes about when its bound is reached, not ctest's minutes later.
constexpr DWORD kSlack = 2000;

DWORD Since(DWORD start) { return GetTickCount() - start; }

class PumpBounds : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool registered = harness::RegisterPlainClass("Restless", RestlessProc);
        ASSERT_TRUE(registered);
        g_validate = false;
    }
    // Visible windows are for the cases that have the screen to themselves.
    HWND Create(HWND parent, DWORD style) {
        HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, "Restless", "", style, 40, 40, 80, 40, parent, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(nullptr, w);
        windows.push_back(w);
        return w;
    }
    void TearDown() override {
        for (HWND w : windows) DestroyWindow(w);
    }
    std::vector<HWND> windows;
};

class PaintBounds : public PumpBounds {};

TEST_F(PumpBounds, AMessageThatPostsItselfAgainHoldsNoPumpOrPumpingWaitPastItsBound) {
    HWND wnd = Create(HWND_MESSAGE, 0);
    for (bool withApplication : {false, true}) {
        SCOPED_TRACE(withApplication ? "through the application" : "plainly");
        std::unique_ptr<harness::RecordingApplication> app;
        if (withApplication) app = std::make_unique<harness::RecordingApplication>();
        PostMessageA(wnd, kAgain, 1, 0);
        const DWORD start = GetTickCount();
        EXPECT_NONFATAL_FAILURE(harness::PumpMessages(50),
                                "the message queue did not settle within 3000 ms: WM_APP+7 to a window of class "
                                "Restless kept coming");
        EXPECT_LT(Since(start), 50 + harness::kSettleMs + kSlack);
        EXPECT_GE(Since(start), 50 + harness::kSettleMs) << "the queue had its whole bound to settle";
        harness::DiscardMessages(wnd, kAgain, kAgain);  // taken off unhandled, it stops
    }

    // A wait that pumps fails at its own bound, naming what it waited for.
    PostMessageA(wnd, kAgain, 1, 0);
    DWORD start = GetTickCount();
    EXPECT_NONFATAL_FAILURE(harness::WaitUntil([] { return false; }, 300, "the unreachable", harness::WaitMode::Pump),
                            "the unreachable did not come within 300 ms");
    EXPECT_LT(Since(start), 300 + kSlack);
    harness::DiscardMessages(wnd, kAgain, kAgain);

    // A message that comes once settles at once.
    PostMessageA(wnd, kAgain, 0, 0);
    start = GetTickCount();
    harness::PumpMessages();
    EXPECT_LT(Since(start), 1000u);
}

TEST_F(PaintBounds, AWindowAlwaysAskingToBePaintedHoldsNeitherADiscardNorAMenuPastItsBound) {
    HWND wnd = Create(nullptr, WS_POPUP);
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    InvalidateRect(wnd, nullptr, FALSE);

    DWORD start = GetTickCount();
    EXPECT_NONFATAL_FAILURE(harness::DiscardMessages(),
                            "the messages being discarded did not settle within 3000 ms: WM_PAINT to a window of "
                            "class Restless kept coming");
    EXPECT_LT(Since(start), harness::kSettleMs + kSlack);

    // Timer messages come only when nothing is left to paint: a menu's deadline is not one.
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "item");
    start = GetTickCount();
    bool returned = true;
    EXPECT_NONFATAL_FAILURE(returned = harness::WaitForMenuToEnd(
                                [&] { TrackPopupMenu(menu, TPM_RETURNCMD, 60, 60, 0, wnd, nullptr); }, 500,
                                "the menu's end"),
                            "the menu's end did not come within 500 ms");
    EXPECT_FALSE(returned);
    EXPECT_LT(Since(start), 500 + kSlack);
    DestroyMenu(menu);

    // Once the window is painted for good, the queue settles and nothing fails.
    g_validate = true;
    harness::PumpMessages(20);
    EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));
}

}  // namespace
