// The edit style model: value resolution, notifications, update brackets, loading, assignment.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/dxCntner.h"
#include "editors/dxDraw.h"
#include "tests/editors/FakeEdit.h"
#include "tests/support/FailureOf.h"
#include "tests/support/Waits.h"

namespace {

using namespace editors;
using editors_test::FakeEdit;

class StyleModel : public ::testing::Test {
protected:
    void SetUp() override {
        dxDrawUnit().Initialize();
        dxCntnerUnit().Initialize();
    }
    void TearDown() override {
        dxCntnerUnit().Finalize();
        dxDrawUnit().Finalize();
    }
};

// An edit with its style, created and freed as the edits do it.
struct StyledEdit {
    StyledEdit() { style = fw::Create<TdxEditStyle>(&edit); }
    ~StyledEdit() { fw::Free(style); }
    FakeEdit edit;
    TdxEditStyle* style;
};

std::string AssignErrorText(fw::TPersistent* target, fw::TPersistent* source) {
    return harness::FailureOf([&] { target->Assign(source); });
}

TEST_F(StyleModel, NewStyleResolvesToTheFixedDefaultsAndAttachesItsEditToTheDefaultController) {
    StyledEdit e;
    EXPECT_EQ(0, e.style->AssignedValues());
    EXPECT_EQ(clWindowFrame, e.style->BorderColor());
    EXPECT_EQ(xbs3D, e.style->BorderStyle());
    EXPECT_EQ(btsDefault, e.style->ButtonStyle());
    EXPECT_EQ(AllEdges, e.style->Edges());
    EXPECT_FALSE(e.style->HotTrack() || e.style->Shadow());
    ASSERT_EQ(1, DefaultEditStyleController->ListenerCount());
    EXPECT_EQ(&e.edit, DefaultEditStyleController->Listener(0));

    fw::FreeAndNil(e.style);
    EXPECT_EQ(0, DefaultEditStyleController->ListenerCount());
}

TEST_F(StyleModel, SettingAValueMarksItAssignedStoredAndNotifiesUnlessAlreadyEqual) {
    StyledEdit e;
    e.style->SetBorderStyle(xbsSingle);
    EXPECT_EQ(SetOf(svBorderStyle), e.style->AssignedValues());
    EXPECT_EQ(xbsSingle, e.style->BorderStyle());
    EXPECT_EQ(1, e.edit.changes);
    for (int v = svBorderColor; v <= svShadow; ++v)
        EXPECT_EQ(v == svBorderStyle, e.style->IsStored(static_cast<TdxEditStyleValue>(v))) << v;

    // The first setting counts even when equal to the controllers' and the hidden own value.
    e.style->SetEdges(AllEdges);
    EXPECT_EQ(2, e.edit.changes);
    EXPECT_TRUE(e.style->IsStored(svEdges));
    e.style->SetButtonStyle(btsDefault);
    EXPECT_EQ(3, e.edit.changes);
    EXPECT_TRUE(e.style->IsStored(svButtonStyle));
    e.style->SetBorderStyle(xbsSingle);  // an assigned value set to itself changes nothing
    e.style->SetEdges(AllEdges);
    EXPECT_EQ(3, e.edit.changes);
    e.style->SetEdges(SetOf(edgLeft));
    EXPECT_EQ(4, e.edit.changes);
}

TEST_F(StyleModel, AssignedValuesUncoverOwnValuesWhichRestoreDefaultsHidesButKeeps) {
    StyledEdit e;
    e.style->SetAssignedValues(SetOf(svBorderColor) | SetOf(svBorderStyle) | SetOf(svEdges));
    EXPECT_EQ(1, e.edit.changes);
    EXPECT_EQ(0x000000u, e.style->BorderColor());
    EXPECT_EQ(xbsNone, e.style->BorderStyle());
    EXPECT_EQ(0, e.style->Edges());
    e.style->SetAssignedValues(e.style->AssignedValues());
    EXPECT_EQ(1, e.edit.changes);

    e.style->SetBorderColor(0x0000FF);
    e.style->RestoreDefaults();
    EXPECT_EQ(0, e.style->AssignedValues());
    EXPECT_EQ(clWindowFrame, e.style->BorderColor());
    e.style->SetAssignedValues(SetOf(svBorderColor));
    EXPECT_EQ(0x0000FFu, e.style->BorderColor());

    e.style->RestoreDefaults();  // tells the edit even when nothing was assigned
    const int before = e.edit.changes;
    e.style->RestoreDefaults();
    EXPECT_EQ(before + 1, e.edit.changes);
}

TEST_F(StyleModel, ValuesComeFromTheEditsControllerBeforeTheDefaultOne) {
    auto* own = fw::Create<TdxEditStyleController>(nullptr);
    own->SetBorderColor(0x00FF00);
    own->SetHotTrack(true);
    DefaultEditStyleController->SetShadow(true);
    StyledEdit e;
    e.edit.controller = own;
    EXPECT_EQ(0x00FF00u, e.style->BorderColor());
    EXPECT_TRUE(e.style->HotTrack());
    EXPECT_FALSE(e.style->Shadow());  // the edit's controller wins, with its default
    e.edit.controller = nullptr;
    EXPECT_TRUE(e.style->Shadow());
    e.style->SetShadow(false);
    EXPECT_FALSE(e.style->Shadow());
    fw::Free(own);
}

TEST_F(StyleModel, AssignFromAStyleCopiesEffectiveValuesOneSetterAtATime) {
    auto* own = fw::Create<TdxEditStyleController>(nullptr);
    own->SetBorderColor(0x123456);
    own->SetButtonStyle(btsHotFlat);
    own->SetButtonTransparence(ebtAlways);
    own->SetHotTrack(true);
    own->SetShadow(true);
    StyledEdit source, target;
    source.edit.controller = own;
    source.style->SetBorderStyle(xbsFlat);

    target.style->Assign(source.style);
    EXPECT_EQ(0x7F, target.style->AssignedValues());
    EXPECT_EQ(7, target.edit.changes);  // no bracket: each setter tells the edit
    fw::Free(own);  // the values are now the target's own
    source.edit.controller = nullptr;
    EXPECT_EQ(0x123456u, target.style->BorderColor());
    EXPECT_EQ(xbsFlat, target.style->BorderStyle());
    EXPECT_EQ(btsHotFlat, target.style->ButtonStyle());
    EXPECT_EQ(ebtAlways, target.style->ButtonTransparence());
    EXPECT_TRUE(target.style->HotTrack() && target.style->Shadow());
}

TEST_F(StyleModel, AssignRefusesUnlikeSourcesAndNilWithTheConversionError) {
    StyledEdit e;
    e.style->SetBorderStyle(xbsThick);
    auto* controller = fw::Create<TdxEditStyleController>(nullptr);
    controller->SetBorderColor(0xABCDEF);

    EXPECT_EQ("Cannot assign a nil to a TdxEditStyle", AssignErrorText(e.style, nullptr));
    EXPECT_EQ("Cannot assign a TdxEditStyleController to a TdxEditStyle", AssignErrorText(e.style, controller));
    EXPECT_EQ("Cannot assign a nil to a TdxEditStyleController", AssignErrorText(controller, nullptr));
    EXPECT_EQ("Cannot assign a TdxEditStyle to a TdxEditStyleController", AssignErrorText(controller, e.style));
    EXPECT_EQ(SetOf(svBorderStyle), e.style->AssignedValues());
    EXPECT_EQ(xbsThick, e.style->BorderStyle());
    EXPECT_EQ(0xABCDEFu, controller->BorderColor());
    EXPECT_EQ(0, controller->UpdateLock());
    fw::Free(controller);
}

// A controller with three edits: one follows it, one follows another controller, one none.
struct ThreeEdits {
    ThreeEdits() {
        other = fw::Create<TdxEditStyleController>(nullptr);
        controller = fw::Create<TdxEditStyleController>(nullptr);
        controller->OnStyleChanged = [this](fw::TObject* sender, fw::TObject* link) {
            log.push_back(std::string(sender == controller ? "event " : "event from elsewhere ") +
                          static_cast<FakeEdit*>(link)->name);
        };
        a.controller = controller;
        b.controller = other;
        for (FakeEdit* e : {&a, &b, &c}) controller->AddListener(e);
    }
    ~ThreeEdits() {
        fw::Free(controller);
        fw::Free(other);
    }
    int Passes() const { return a.changes; }

    std::vector<std::string> log;
    FakeEdit a{"a", &log}, b{"b", &log}, c{"c", &log};
    TdxEditStyleController *controller, *other;
};

TEST_F(StyleModel, ControllerTellsOnlyItsFollowersEachBeforeItsEventInAttachmentOrder) {
    ThreeEdits t;
    t.controller->SetBorderColor(0x0000FF);
    const std::vector<std::string> expected = {"changed a", "event a", "changed c", "event c"};
    EXPECT_EQ(expected, t.log);
    EXPECT_EQ(0, t.b.changes);

    t.log.clear();
    t.controller->SetBorderColor(0x0000FF);  // equal: nothing
    EXPECT_TRUE(t.log.empty());
}

TEST_F(StyleModel, UpdateBracketsAndAssignmentsRunExactlyOnePass) {
    ThreeEdits t;
    t.controller->BeginUpdate();
    t.controller->SetBorderStyle(xbsFlat);
    t.controller->SetHotTrack(true);
    t.controller->SetShadow(true);
    EXPECT_EQ(0, t.Passes());
    t.controller->EndUpdate();
    EXPECT_EQ(1, t.Passes());

    t.controller->BeginUpdate();
    t.controller->BeginUpdate();
    t.controller->EndUpdate();
    EXPECT_EQ(1, t.Passes());
    t.controller->EndUpdate();  // nothing changed, still one pass
    EXPECT_EQ(2, t.Passes());

    // Assign copies all seven values in one pass.
    auto* source = fw::Create<TdxEditStyleController>(nullptr);
    source->SetBorderColor(0x112233);
    source->SetBorderStyle(xbsThick);
    source->SetButtonStyle(btsSimple);
    source->SetButtonTransparence(ebtInactive);
    source->SetEdges(SetOf(edgTop));
    source->SetHotTrack(true);
    source->OnStyleChanged = [](fw::TObject*, fw::TObject*) {};
    t.controller->SetShadow(false);
    t.controller->SetHotTrack(false);
    t.controller->Assign(source);
    EXPECT_EQ(5, t.Passes());
    EXPECT_EQ(0x112233u, t.controller->BorderColor());
    EXPECT_EQ(btsSimple, t.controller->ButtonStyle());
    EXPECT_EQ(ebtInactive, t.controller->ButtonTransparence());
    EXPECT_EQ(SetOf(edgTop), t.controller->Edges());
    EXPECT_TRUE(t.controller->HotTrack());
    source->SetShadow(true);
    t.controller->Assign(source);
    EXPECT_EQ(6, t.Passes());
    EXPECT_TRUE(t.controller->Shadow());
    t.log.clear();
    t.controller->SetShadow(false);  // the event handler stayed the controller's own
    EXPECT_EQ("event a", t.log.at(1));
    fw::Free(source);

    t.controller->RestoreDefaults();
    EXPECT_EQ(8, t.Passes());
    EXPECT_EQ(clWindowFrame, t.controller->BorderColor());
    EXPECT_EQ(ebtNone, t.controller->ButtonTransparence());
    EXPECT_EQ(AllEdges, t.controller->Edges());
    EXPECT_FALSE(t.controller->HotTrack() || t.controller->Shadow());
    t.controller->RestoreDefaults();  // already at the defaults: still one pass
    EXPECT_EQ(9, t.Passes());
    EXPECT_EQ(0, t.controller->UpdateLock());
}

TEST_F(StyleModel, EndUpdateWithoutBeginUpdateSilencesTheControllerUntilBalanced) {
    ThreeEdits t;
    t.controller->EndUpdate();
    EXPECT_EQ(-1, t.controller->UpdateLock());
    t.controller->SetBorderStyle(xbsNone);
    EXPECT_EQ(0, t.Passes());
    EXPECT_EQ(xbsNone, t.controller->BorderStyle());
    t.controller->BeginUpdate();
    t.controller->SetBorderStyle(xbsFlat);
    EXPECT_EQ(1, t.Passes());
}

TEST_F(StyleModel, LoadingStoresValuesSilentlyAndLoadedRunsOnePass) {
    ThreeEdits t;
    t.controller->SetLoading(true);
    t.controller->SetBorderStyle(xbsSingle);
    t.controller->SetEdges(0);
    EXPECT_EQ(0, t.Passes());
    t.controller->Loaded();
    EXPECT_EQ(1, t.Passes());
}

TEST_F(StyleModel, EditsDetachedOrAttachedDuringAPassAreReadByPositionUpToTheStartCount) {
    ThreeEdits t;
    t.b.controller = t.controller;
    FakeEdit d("d", &t.log);
    d.controller = t.controller;
    // a leaves during its pass: b moves to a's place and is passed over; c is told.
    t.a.onChanged = [&] { t.controller->RemoveListener(&t.a); };
    t.controller->SetShadow(true);
    EXPECT_EQ(1, t.a.changes);
    EXPECT_EQ(0, t.b.changes);
    EXPECT_EQ(1, t.c.changes);

    // Now b, c: an edit attached during a pass is not told in it.
    t.a.onChanged = nullptr;
    t.c.onChanged = [&] { t.controller->AddListener(&d); };
    t.controller->SetShadow(false);
    EXPECT_EQ(1, t.b.changes);
    EXPECT_EQ(2, t.c.changes);
    EXPECT_EQ(0, d.changes);
    ASSERT_EQ(3, t.controller->ListenerCount());
    EXPECT_EQ(&d, t.controller->Listener(2));

    // c's handler removes b and c: the pass ends past the new end.
    t.c.onChanged = [&] {
        t.controller->RemoveListener(&t.b);
        t.controller->RemoveListener(&t.c);
    };
    t.controller->SetShadow(true);
    EXPECT_EQ(2, t.b.changes);
    EXPECT_EQ(3, t.c.changes);
    EXPECT_EQ(0, d.changes);  // moved to the position already passed
    ASSERT_EQ(1, t.controller->ListenerCount());
}

TEST_F(StyleModel, RemoveListenerDropsTheFirstOccurrenceAndIgnoresStrangers) {
    FakeEdit a("a"), b("b");
    auto* controller = fw::Create<TdxEditStyleController>(nullptr);
    for (FakeEdit* e : {&a, &b, &a}) controller->AddListener(e);
    for (int i = 0; i < 3; ++i) controller->RemoveListener(&a);
    ASSERT_EQ(1, controller->ListenerCount());
    EXPECT_EQ(&b, controller->Listener(0));
    fw::Free(controller);
}

// An edit that follows a controller through the framework's free notification.
struct FollowingEdit : fw::TComponent, TdxStyledEdit {
    FollowingEdit() : TComponent(nullptr) {}
    TdxEditStyleController* StyleController() const override { return controller; }
    void StyleChanged() override {}
    fw::TObject* EditObject() override { return this; }
    void Follow(TdxEditStyleController* c) {
        controller = c;
        c->AddListener(this);
        FreeNotification(c);
    }
    void Notification(fw::TComponent* c, fw::TOperation op) override {
        if (op != fw::TOperation::opRemove || c != controller) return;
        sawDestroying = controller->Destroying();
        if (!sawDestroying) controller->RemoveListener(this);
        controller = nullptr;
    }
    TdxEditStyleController* controller = nullptr;
    bool sawDestroying = false;
};

TEST_F(StyleModel, AControllerCountsAsDestroyedBeforeItsListGoes) {
    for (bool viaFree : {true, false}) {  // also without the framework's free
        FollowingEdit edit;
        auto* controller = fw::Create<TdxEditStyleController>(nullptr);
        edit.Follow(controller);
        if (viaFree) fw::Free(controller);
        else delete controller;
        EXPECT_TRUE(edit.sawDestroying) << viaFree;
        EXPECT_EQ(nullptr, edit.controller) << viaFree;
    }
}

TEST_F(StyleModel, StylesOutlivingTheUnitFallBackToFixedDefaultsAndLeaveQuietly) {
    DefaultEditStyleController->SetBorderStyle(xbsFlat);
    auto* e = new StyledEdit;
    EXPECT_EQ(xbsFlat, e->style->BorderStyle());
    dxCntnerUnit().Finalize();
    EXPECT_EQ(nullptr, DefaultEditStyleController);
    EXPECT_EQ(xbs3D, e->style->BorderStyle());
    EXPECT_EQ(clWindowFrame, e->style->BorderColor());
    delete e;  // its destructor finds no default controller and skips the removal
    dxCntnerUnit().Initialize();
    EXPECT_EQ(0, DefaultEditStyleController->ListenerCount());
}

TEST_F(StyleModel, UnitMakesASolidButtonShadowBrushAndAnOwnerlessDefaultController) {
    LOGBRUSH lb;
    ASSERT_EQ(static_cast<int>(sizeof lb), GetObjectA(ShadowBrush, sizeof lb, &lb));
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), lb.lbStyle);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), lb.lbColor);
    ASSERT_NE(nullptr, DefaultEditStyleController);
    EXPECT_EQ(nullptr, DefaultEditStyleController->Owner());
    for (int v = svBorderColor; v <= svShadow; ++v)
        EXPECT_FALSE(DefaultEditStyleController->IsStored(static_cast<TdxEditStyleValue>(v))) << v;
}

TEST_F(StyleModel, KillMessageTakesOnePendingMessageAndKeepsAQuitRequest) {
    HWND wnd = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, wnd);
    harness::DiscardMessages();
    MSG m;
    const UINT msg = WM_APP + 5;
    PostMessageA(wnd, msg, 1, 0);
    PostMessageA(wnd, msg, 2, 0);
    KillMessage(wnd, msg + 1);  // none of that number
    KillMessage(wnd, msg);
    ASSERT_TRUE(PeekMessageA(&m, wnd, msg, msg, PM_REMOVE));
    EXPECT_EQ(2u, m.wParam);
    EXPECT_FALSE(PeekMessageA(&m, wnd, msg, msg, PM_REMOVE));

    PostQuitMessage(7);
    KillMessage(wnd, msg);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), m.message);
    EXPECT_EQ(7u, m.wParam);
    DestroyWindow(wnd);
}

}  // namespace
