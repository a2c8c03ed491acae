// Base edits on real windows: standalone (as the login fields run it), over an edit window,
// in place in a container that answers as told and logs every call, and their fixture.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "editors/dxCntner.h"
#include "editors/dxDraw.h"
#include "editors/dxInplaceEdit.h"
#include "tests/support/ControlProbes.h"

namespace editors_test {

// View data counted alive (all must be freed) and made (the look was worked out again).
struct CountedViewData : editors::TdxEditViewData {
    static int alive, made;
    CountedViewData() { ++alive, ++made; }
    ~CountedViewData() override { --alive; }
};

// Counted view data, message counts, optional failures in DrawBackground, and a log.
template <class Base>
class ProbeEditOf : public Base {
public:
    using Base::Base;
    editors::TdxEditViewDataClass GetViewDataClass() override {
        return [] { return static_cast<editors::TdxEditViewData*>(new CountedViewData()); };
    }
    bool DrawBackground(HDC DC, const RECT& Rect, bool Skip, editors::TdxEditViewData* ViewData) override {
        ++backgrounds;
        if (failPainting) throw fw::Exception("painting failed");
        if (failPaints > 0) {
            --failPaints;
            throw fw::Exception("painting failed");
        }
        return Base::DrawBackground(DC, Rect, Skip, ViewData);
    }
    bool CanRestoreText() override { return restoresText; }
    void WndProc(fw::TMessage& m) override { ++count[m.Msg], Base::WndProc(m); }
    void StyleChanged() override { ++styleChanges, Base::StyleChanged(); }
    void DefaultHandler(fw::TMessage& m) override { ++passed[m.Msg], Base::DefaultHandler(m); }  // to the class
    void SelectAll() override { log.push_back("SelectAll"); }
    void MoveCaretToEnd() override { log.push_back("MoveCaretToEnd"); }

    using Base::DblClick;
    using Base::KeyDown;
    using Base::KeyPress;
    using Base::KeyUp;

    bool failPainting = false;
    int failPaints = 0;  // this many next drawings raise
    bool restoresText = true;  // the text edit can put back its text; the base cannot
    int backgrounds = 0, styleChanges = 0;
    std::map<UINT, int> count, passed;
    std::vector<std::string> log;
};

// The base edit with IsInplace answering False: how TCustomdxEdit runs it.
class StandaloneBase : public editors::TdxInplaceEdit {
public:
    FW_CLASS(StandaloneEdit)
    using TdxInplaceEdit::TdxInplaceEdit;
    bool IsInplace() override { return false; }
};
using StandaloneEdit = ProbeEditOf<StandaloneBase>;

// A standalone edit over a system edit window: cut, paste and typing really change it.
class EditWindowBase : public StandaloneBase {
public:
    FW_CLASS(EditWindowEdit)
    using StandaloneBase::StandaloneBase;
    bool HasEditWindow() override { return true; }

protected:
    void CreateParams(TCreateParams& p) override {
        StandaloneBase::CreateParams(p);
        p.BaseClassName = "EDIT";
        p.Style |= ES_AUTOHSCROLL;
    }
};
using EditWindowEdit = ProbeEditOf<EditWindowBase>;
using InplaceEdit = ProbeEditOf<editors::TdxInplaceEdit>;

// A container whose answers the test sets, and which logs every call the edit makes.
class FakeContainer : public editors::TdxEditContainer {
public:
    FW_CLASS(FakeContainer)
    using TdxEditContainer::TdxEditContainer;

    bool CanEditModify() override { return Call("CanEditModify"), canModify; }
    bool CanEditAcceptKey(char Key) override { return Call(std::string("CanEditAcceptKey ") + Key), acceptKey; }
    editors::TdxEditStyle* CreateEditStyle(editors::TdxInplaceEdit* Edit) override {
        Call("CreateEditStyle");
        return fw::Create<editors::TdxEditStyle>(Edit);
    }
    void EditKeyDown(WORD& Key, fw::TShiftState) override {
        if (Call("EditKeyDown " + std::to_string(Key)), onEditKeyDown) onEditKeyDown(Key);
    }
    bool IgnoreEditKeys() override { return Call("IgnoreEditKeys"), ignoreKeys; }
    bool CanEditDblClick() override { return Call("CanEditDblClick"), dblClick; }
    bool QueryEditState() override { return Call("QueryEditState"), true; }
    bool EditWantsTabs() override { return Call("EditWantsTabs"), wantsTabs; }
    LPARAM QueryEdit(LPARAM Arg) override { return Call("QueryEdit"), Arg; }
    void EditFocusChanged() override { Call("EditFocusChanged"); }
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == fw::CM_CANCELMODE || m.Msg == WM_MOUSEWHEEL) Call(m.Msg == WM_MOUSEWHEEL ? "WM_MOUSEWHEEL" : "CM_CANCELMODE");
        TdxEditContainer::WndProc(m);
    }

    bool canModify = true, acceptKey = true, ignoreKeys = false, dblClick = true, wantsTabs = false;
    std::function<void(WORD&)> onEditKeyDown;
    std::vector<std::string> calls;
    void DblClick() override { Call("DblClick"); }

protected:
    void KeyDown(WORD& Key, fw::TShiftState) override { Call("KeyDown " + std::to_string(Key)); }
    void KeyUp(WORD& Key, fw::TShiftState) override { Call("KeyUp " + std::to_string(Key)); }
    void KeyPress(char& Key) override { Call(std::string("KeyPress ") + Key); }

private:
    void Call(const std::string& what) { calls.push_back(what); }
};

// The editors' units started, a bare form at a known place, a recording application.
class EditFixture : public ::testing::Test {
protected:
    void SetUp() override {
        editors::dxDrawUnit().Initialize();
        editors::dxCntnerUnit().Initialize();
        form = fw::Create<harness::BareForm>(nullptr);
        form->SetBounds(50, 50, 400, 300);
    }
    void TearDown() override {
        fw::FreeAndNil(form);
        editors::dxCntnerUnit().Finalize();
        editors::dxDrawUnit().Finalize();
        EXPECT_EQ(0, CountedViewData::alive) << "every view data is freed";
    }
    template <class T = StandaloneEdit>
    T* Add(int left = 10, int top = 10, fw::TComponent* owner = nullptr, fw::TWinControl* parent = nullptr) {
        T* e = fw::Create<T>(owner ? owner : form);
        e->SetBounds(left, top, e->Width(), e->Height());
        e->SetParent(parent ? parent : form);
        return e;
    }
    // Shown in front with no edit focused: a form that is activated gives the focus to its
    // first control, and the cases here start from edits without it. Out of the tab order
    // while the form comes up, none is chosen (and none is entered and left).
    void ShowForm(const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
        std::vector<fw::TWinControl*> stops;
        TakeOutOfTabOrder(form, stops);
        form->Show();
        SetForegroundWindow(form->Handle());
        harness::PumpMessages(20, file, line);
        for (fw::TWinControl* c : stops) c->TabStop = true;
    }

    static void TakeOutOfTabOrder(fw::TWinControl* parent, std::vector<fw::TWinControl*>& stops) {
        for (fw::TControl* c : parent->Controls()) {
            if (!c->IsWindowed()) continue;
            auto* w = static_cast<fw::TWinControl*>(c);
            if (w->TabStop) stops.push_back(w);
            w->TabStop = false;
            TakeOutOfTabOrder(w, stops);
        }
    }

    harness::RecordingApplication app;
    harness::BareForm* form = nullptr;
};

// The screen pixel at (x, y) of the whole window, border band included.
COLORREF WindowPixel(HWND wnd, int x, int y);

}  // namespace editors_test
