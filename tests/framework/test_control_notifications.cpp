// The framework's notifications to a control: one per change, and the window following it.
#include <gtest/gtest.h>

#include "framework/StdCtrls.h"
#include "tests/support/ControlProbes.h"
#include "tests/support/ProbeFormTest.h"
#include "tests/support/Waits.h"

namespace {

using harness::ProbeControl;

using ControlNotifications = harness::ProbeFormTest;

LOGFONTA FontOf(HWND h) {
    LOGFONTA lf = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

}  // namespace

TEST_F(ControlNotifications, EachTextAssignmentIsOneTextChangedWithOrWithoutAWindow) {
    ProbeControl* p = AddProbe(form);
    p->SetText("before the window");
    EXPECT_EQ(p->count[fw::CM_TEXTCHANGED], 1);
    EXPECT_FALSE(p->HandleAllocated());
    form->Show();
    EXPECT_EQ(p->Text(), "before the window") << "the window gets the kept text";
    EXPECT_EQ(p->count[fw::CM_TEXTCHANGED], 1) << "creating the window is no assignment";
    p->SetText("in the window");
    EXPECT_EQ(p->count[fw::CM_TEXTCHANGED], 2);
    EXPECT_EQ(GetWindowTextLengthA(p->Handle()), 13);
    p->DestroyHandle();
    EXPECT_EQ(p->Text(), "in the window") << "kept when the window goes";
}

TEST_F(ControlNotifications, DisablingIsOneNotificationThatDisablesTheWindowAndGivesUpTheFocus) {
    ProbeControl* p = AddProbe(form);
    form->Show();
    harness::WaitUntil([&] { return GetActiveWindow() == form->Handle(); }, harness::kLocalWaitMs,
                       "the form's activation", harness::WaitMode::Pump);
    p->SetFocus();
    ASSERT_TRUE(harness::WaitUntil([&] { return GetFocus() == p->Handle(); }, harness::kLocalWaitMs,
                                   "the focus on the probe", harness::WaitMode::Pump));
    p->SetEnabled(false);
    p->SetEnabled(false);
    EXPECT_EQ(p->count[fw::CM_ENABLEDCHANGED], 1);
    EXPECT_FALSE(IsWindowEnabled(p->Handle()));
    EXPECT_NE(GetFocus(), p->Handle());
    EXPECT_EQ(form->ActiveControl(), nullptr) << "the form no longer counts it as focused";
    EXPECT_EQ(p->count[fw::CM_EXIT], 1) << "leaving it is an exit";
    p->SetEnabled(true);
    EXPECT_EQ(p->count[fw::CM_ENABLEDCHANGED], 2);
    EXPECT_TRUE(IsWindowEnabled(p->Handle()));
}

TEST_F(ControlNotifications, AFontChangeIsOneNotificationAndReachesTheWindowAndTheChildrenThatFollow) {
    auto* panel = fw::Create<fw::TWinControl>(form);
    panel->SetParent(form);
    ProbeControl* follower = AddProbe(panel, "EDIT");
    ProbeControl* own = AddProbe(panel, "EDIT");
    own->Font.SetName("Courier New");
    EXPECT_FALSE(own->ParentFont());
    form->Show();
    follower->count.clear();
    own->count.clear();

    follower->Font.SetHeight(-20);
    EXPECT_EQ(follower->count[fw::CM_FONTCHANGED], 1);
    EXPECT_EQ(FontOf(follower->Handle()).lfHeight, -20) << "the window was handed the new font";
    EXPECT_FALSE(follower->ParentFont());
    follower->Font.SetHeight(-20);
    EXPECT_EQ(follower->count[fw::CM_FONTCHANGED], 1) << "the same value is no change";

    follower->SetParentFont(true);
    EXPECT_EQ(follower->count[fw::CM_FONTCHANGED], 2);
    EXPECT_EQ(FontOf(follower->Handle()).lfHeight, form->Font.Height()) << "back to the parent's font";
    form->Font.SetName("Arial");
    EXPECT_EQ(follower->count[fw::CM_FONTCHANGED], 3) << "the form's change reaches the grandchild once";
    EXPECT_STREQ(FontOf(follower->Handle()).lfFaceName, "Arial");
    EXPECT_EQ(own->count[fw::CM_FONTCHANGED], 0) << "a control with its own font does not follow";

    fw::TFont bigger;
    bigger.SetHeight(-30);
    bigger.SetStyle(fw::fsBold);
    follower->Font.Assign(&bigger);
    EXPECT_EQ(follower->count[fw::CM_FONTCHANGED], 4) << "one assignment, one notification";
    EXPECT_EQ(FontOf(follower->Handle()).lfWeight, FW_BOLD);
}

TEST_F(ControlNotifications, ColourFollowsTheParentUntilSetAndSystemColourChangesReachEveryControl) {
    auto* panel = fw::Create<ProbeControl>(form, "");
    panel->SetParent(form);
    ProbeControl* follower = AddProbe(panel);
    follower->SetParentColor(true);
    EXPECT_EQ(follower->Color(), panel->Color());
    form->Show();
    follower->count.clear();

    panel->SetColor(0x123456);
    EXPECT_EQ(panel->count[fw::CM_COLORCHANGED], 1);
    EXPECT_EQ(follower->count[fw::CM_COLORCHANGED], 1);
    EXPECT_EQ(follower->Color(), 0x123456u);
    follower->SetColor(0x654321);
    EXPECT_FALSE(follower->ParentColor());
    panel->SetColor(0x111111);
    EXPECT_EQ(follower->count[fw::CM_COLORCHANGED], 2) << "its own colour no longer follows";
    EXPECT_EQ(follower->Color(), 0x654321u);

    SendMessageA(form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(panel->count[fw::CM_SYSCOLORCHANGE], 1);
    EXPECT_EQ(follower->count[fw::CM_SYSCOLORCHANGE], 1) << "passed on to the grandchild";
}

TEST_F(ControlNotifications, Ctl3DFollowsTheParentUntilSetAndIsTakenWhenJoiningOne) {
    auto* panel = fw::Create<fw::TWinControl>(form);
    panel->SetParent(form);
    ProbeControl* follower = AddProbe(panel, "EDIT");
    ProbeControl* own = AddProbe(panel, "EDIT");
    EXPECT_TRUE(follower->Ctl3D());
    EXPECT_TRUE(follower->ParentCtl3D());
    own->SetCtl3D(true);
    EXPECT_FALSE(own->ParentCtl3D()) << "set, even to the value it had, it is the control's own";

    form->SetCtl3D(false);
    EXPECT_FALSE(panel->Ctl3D());
    EXPECT_TRUE(panel->ParentCtl3D()) << "following is not setting";
    EXPECT_FALSE(follower->Ctl3D()) << "the form's change reaches the grandchild";
    EXPECT_TRUE(own->Ctl3D());
    EXPECT_FALSE(AddProbe(panel, "EDIT")->Ctl3D()) << "a control joining takes its parent's";

    own->SetParentCtl3D(true);
    EXPECT_FALSE(own->Ctl3D()) << "following again takes the parent's at once";
    follower->SetParentCtl3D(false);
    form->SetCtl3D(true);
    EXPECT_TRUE(own->Ctl3D());
    EXPECT_FALSE(follower->Ctl3D()) << "no longer following, it keeps its value";
}
