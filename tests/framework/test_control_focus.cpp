// Focus moves through the form: CM_EXIT/OnExit of the one, then CM_ENTER/OnEnter of the other.
#include <gtest/gtest.h>

#include "tests/support/ControlProbes.h"
#include "tests/support/RealInput.h"
#include "tests/support/Waits.h"

namespace {

using harness::ProbeControl;

class ControlFocus : public ::testing::Test {
protected:
    void SetUp() override {
        form = fw::Create<harness::BareForm>(nullptr);
        form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override { fw::Free(form); }

    template <class T = ProbeControl>
    T* Add(fw::TWinControl* parent, const std::string& name, int tabOrder, const std::string& base = "EDIT") {
        auto* p = fw::Create<T>(form, base);
        p->SetName(name);
        p->TabOrder = tabOrder;
        p->SetBounds(10, 10 + 30 * tabOrder, 100, 24);
        p->log = &log;
        p->OnEnter = [this, name](fw::TObject*) { log.push_back(name + " OnEnter"); };
        p->OnExit = [this, name](fw::TObject*) { log.push_back(name + " OnExit"); };
        p->SetParent(parent);
        return p;
    }

    void ShowAndFocus(fw::TWinControl* c) {
        form->Show();
        harness::WaitUntil([&] { return GetActiveWindow() == form->Handle(); }, harness::kLocalWaitMs,
                           "the form's activation", harness::WaitMode::Pump);
        c->SetFocus();
        ASSERT_TRUE(harness::WaitUntil([&] { return GetFocus() == c->Handle(); }, harness::kLocalWaitMs,
                                       "the focus on " + c->Name(), harness::WaitMode::Pump));
    }

    // Tab through the message loop; waits until the focus has left `in`.
    void PressTab(fw::TWinControl* in) {
        PostMessageA(in->Handle(), WM_KEYDOWN, VK_TAB, 0);
        harness::WaitUntil([&] { return GetFocus() != in->Handle(); }, harness::kLocalWaitMs,
                           "the focus leaving " + in->Name() + " on Tab", harness::WaitMode::Pump);
    }
    // A Tab that is to leave the focus where it is: handled, then a while for a move to show.
    void PressTabThatStays(fw::TWinControl* in) {
        PostMessageA(in->Handle(), WM_KEYDOWN, VK_TAB, 0);
        harness::PumpMessages(300);
    }

    template <class F>
    bool FocusWait(F done, const std::string& what) {
        return harness::WaitUntil(done, harness::kLocalWaitMs, what, harness::WaitMode::Pump);
    }

    harness::RecordingApplication app;
    harness::BareForm* form = nullptr;
    std::vector<std::string> log;
};

}  // namespace

TEST_F(ControlFocus, TabExitsTheOneThenEntersTheOtherAcrossNestedControls) {
    ProbeControl* a = Add(form, "A", 0);
    ProbeControl* panel = Add(form, "P", 1, "");
    panel->TabStop = false;
    panel->SetBounds(150, 10, 200, 200);
    ProbeControl* b = Add(panel, "B", 0);
    ProbeControl* c = Add(panel, "C", 1);
    ProbeControl* d = Add(form, "D", 2);
    ShowAndFocus(a);
    log.clear();

    PressTab(a);
    EXPECT_EQ(GetFocus(), b->Handle());
    EXPECT_EQ(log, (std::vector<std::string>{"A CM_EXIT", "A OnExit", "P CM_ENTER", "P OnEnter", "B CM_ENTER",
                                             "B OnEnter"}));
    log.clear();
    PressTab(b);
    EXPECT_EQ(GetFocus(), c->Handle());
    EXPECT_EQ(log, (std::vector<std::string>{"B CM_EXIT", "B OnExit", "C CM_ENTER", "C OnEnter"}))
        << "the panel is neither left nor entered";
    log.clear();
    PressTab(c);
    EXPECT_EQ(GetFocus(), d->Handle());
    EXPECT_EQ(log, (std::vector<std::string>{"C CM_EXIT", "C OnExit", "P CM_EXIT", "P OnExit", "D CM_ENTER",
                                             "D OnEnter"}));
    PressTab(d);
    EXPECT_EQ(GetFocus(), a->Handle()) << "round to the first";
    EXPECT_EQ(form->ActiveControl(), a);
}

TEST_F(ControlFocus, AnExitThatRaisesKeepsTheFocusShowsOneBoxAndEntersNothing) {
    ProbeControl* a = Add(form, "A", 0);
    ProbeControl* b = Add(form, "B", 1);
    ShowAndFocus(a);
    a->rejectExit = true;
    log.clear();

    PressTabThatStays(a);
    EXPECT_EQ(app.boxes, std::vector<std::string>{"Value rejected"});
    EXPECT_EQ(GetFocus(), a->Handle()) << "the focus stays";
    EXPECT_EQ(form->ActiveControl(), a);
    EXPECT_EQ(log, std::vector<std::string>{"A CM_EXIT"}) << "no OnExit, no CM_ENTER to the other, no second try";
    EXPECT_EQ(b->count[fw::CM_ENTER], 0);

    b->SetFocus();  // a click or a call: the same refusal
    harness::PumpMessages(300);
    EXPECT_EQ(app.boxes.size(), 2u);
    EXPECT_EQ(GetFocus(), a->Handle());

    a->rejectExit = false;
    log.clear();
    PressTab(a);
    EXPECT_EQ(GetFocus(), b->Handle());
    EXPECT_EQ(log, (std::vector<std::string>{"A CM_EXIT", "A OnExit", "B CM_ENTER", "B OnEnter"}));
}

TEST_F(ControlFocus, TabStaysWithAControlWhoseDialogCodeAsksForIt) {
    ProbeControl* a = Add(form, "A", 0, "");
    Add(form, "B", 1);
    ShowAndFocus(a);
    std::vector<WORD> keys;
    a->OnKeyDown = [&](fw::TObject*, WORD& key, fw::TShiftState) { keys.push_back(key); };
    a->dlgCodeAdd = DLGC_WANTTAB;
    PressTabThatStays(a);
    EXPECT_EQ(GetFocus(), a->Handle());
    EXPECT_EQ(keys, std::vector<WORD>{VK_TAB});
    a->dlgCodeAdd = 0;
    PressTab(a);
    EXPECT_NE(GetFocus(), a->Handle());
}

// Real keys through the application's message handling: Tab and Shift+Tab between two rich
// edits, then Esc in each. Asking for their dialog codes must not turn them into a dialog's
// controls, which answer Esc by closing their parent.
TEST_F(ControlFocus, EscInARichEditAfterTabAndShiftTabNeverClosesTheForm) {
    ASSERT_TRUE(LoadLibraryA("riched20.dll"));
    ProbeControl* a = Add(form, "A", 0, "RichEdit20A");
    ProbeControl* b = Add(form, "B", 1, "RichEdit20A");
    a->dlgCodeRemove = b->dlgCodeRemove = DLGC_WANTTAB;  // as the styled edits answer: Tab moves on
    int closes = 0;
    form->OnClose = [&](fw::TObject*, fw::TCloseAction&) { ++closes; };
    ShowAndFocus(a);
    ASSERT_TRUE(FocusWait([&] { return GetForegroundWindow() == form->Handle(); }, "the form in front"));

    harness::PressKey(VK_TAB);
    FocusWait([&] { return GetFocus() == b->Handle(); }, "the focus on B after Tab");
    harness::PressKey(VK_TAB, true);
    FocusWait([&] { return GetFocus() == a->Handle(); }, "the focus on A after Shift+Tab");
    for (ProbeControl* p : {a, b}) {
        p->SetFocus();
        harness::PressKey(VK_ESCAPE);
        harness::PumpMessages(300);
        EXPECT_EQ(GetFocus(), p->Handle());
    }
    EXPECT_EQ(closes, 0) << "Esc asked the form to close";
    EXPECT_TRUE(form->Showing());
}

// A form shown with no focused control gives the focus to the first control in tab order
// that can take it (the hidden one before it never), entered as by the keyboard; activated
// again, it gives the focus back where it was.
TEST_F(ControlFocus, AFormTakesItsFirstFocusableControlOnActivationAndKeepsItsChoiceAfterwards) {
    ProbeControl* hidden = Add(form, "H", 0);
    hidden->SetVisible(false);
    ProbeControl* a = Add(form, "A", 1);
    ProbeControl* b = Add(form, "B", 2);
    form->Show();
    ASSERT_TRUE(FocusWait([&] { return GetFocus() == a->Handle(); }, "the focus on the first visible control"));
    EXPECT_EQ(form->ActiveControl(), a);
    EXPECT_EQ(log, (std::vector<std::string>{"A CM_ENTER", "A OnEnter"}));
    EXPECT_EQ(hidden->count[fw::CM_ENTER], 0);

    b->SetFocus();
    ASSERT_TRUE(FocusWait([&] { return GetFocus() == b->Handle(); }, "the focus on B"));
    HWND other =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    FocusWait([&] { return GetActiveWindow() == other; }, "another window's activation");
    log.clear();
    SetActiveWindow(form->Handle());
    FocusWait([&] { return GetFocus() == b->Handle(); }, "the focus back on B after the activation");
    EXPECT_EQ(form->ActiveControl(), b);
    EXPECT_TRUE(log.empty()) << "no control left or entered";
    DestroyWindow(other);
}
