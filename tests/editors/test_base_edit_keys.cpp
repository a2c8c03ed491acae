// The base edit's keys and messages: read-only filter, Esc, leaving with a rejected value,
// dialog codes, and in place the hand-over of keys, clicks and wheel turns to the container.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/editors/EditProbes.h"
#include "tests/support/Clipboard.h"

namespace {

using namespace editors;
using namespace editors_test;

using EditKeys = EditFixture;

const char* const kInvalidInput = "Invalid input value. Use escape key to abandon changes";

TEST_F(EditKeys, ReadOnlyEditDropsTextChangingKeysCharactersAndClipboardChanges) {
    EditWindowEdit* e = Add<EditWindowEdit>();
    std::vector<WORD> seen;
    std::vector<char> typed;
    e->OnKeyDown = [&](fw::TObject*, WORD& k, fw::TShiftState) { seen.push_back(k); };
    e->OnKeyPress = [&](fw::TObject*, char& k) { typed.push_back(k); };
    e->SetText("locked");
    e->SetReadOnlyProperty(true);
    ShowForm();

    const std::pair<WORD, fw::TShiftState> changing[] = {
        {'V', fw::ssCtrl}, {'X', fw::ssCtrl}, {VK_BACK, 0}, {VK_DELETE, 0}, {VK_INSERT, fw::ssShift}};
    for (auto [key, shift] : changing) {
        WORD k = key;
        e->KeyDown(k, shift);
        EXPECT_EQ(0, k) << "key " << key;
    }
    EXPECT_EQ(std::vector<WORD>(5, 0), seen) << "OnKeyDown fires with the key dropped";

    SendMessageA(e->Handle(), WM_CHAR, 'a', 0);
    EXPECT_EQ("locked", e->Text());
    EXPECT_TRUE(typed.empty()) << "a character that may not change the text is dropped silently";

    const LPARAM result = 0x0800, composing = 0x0008;  // GCS_RESULTSTR, GCS_COMPSTR
    SendMessageA(e->Handle(), WM_IME_COMPOSITION, 0, result);
    EXPECT_EQ(0, e->passed[WM_IME_COMPOSITION]) << "a composed result may not change the text";
    SendMessageA(e->Handle(), WM_IME_COMPOSITION, 0, composing);
    EXPECT_EQ(1, e->passed[WM_IME_COMPOSITION]) << "a composition still in progress goes on";

    ASSERT_TRUE(harness::PutOnClipboard("pasted"));
    SendMessageA(e->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(e->Handle(), WM_PASTE, 0, 0);
    SendMessageA(e->Handle(), WM_CUT, 0, 0);
    SendMessageA(e->Handle(), WM_CLEAR, 0, 0);
    EXPECT_EQ("locked", e->Text());
    EXPECT_EQ("pasted", harness::ClipboardText()) << "a refused cut copies nothing";

    e->SetReadOnlyProperty(false);
    SendMessageA(e->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ("pasted", e->Text()) << "a writable edit takes the paste";
}

TEST_F(EditKeys, EscPutsBackTheTextOfTheVisitAndItsCharacterGoesNowhere) {
    EditWindowEdit* e = Add<EditWindowEdit>();
    StandaloneEdit* other = Add(10, 60);
    std::vector<int> keys;
    e->OnKeyDown = [&](fw::TObject*, WORD& k, fw::TShiftState) { keys.push_back(k); };
    e->OnKeyPress = [&](fw::TObject*, char& k) { keys.push_back(-k); };
    e->SetText("before");
    ShowForm();
    other->SetFocus();
    e->SetFocus();
    ASSERT_TRUE(e->Entered());
    SendMessageA(e->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after"));
    e->SetModified(true);
    SendMessageA(e->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(e->Handle(), WM_CHAR, 27, 0);
    EXPECT_EQ("before", e->Text());
    EXPECT_FALSE(e->GetModified());
    EXPECT_EQ(std::vector<int>{VK_ESCAPE}, keys) << "OnKeyDown hears Esc, OnKeyPress not its character";
}

TEST_F(EditKeys, ARejectedExitKeepsTheFocusShowsTheBoxAndEndsNothing) {
    StandaloneEdit* a = Add();
    StandaloneEdit* b = Add(10, 60);
    std::vector<std::string> log;
    a->OnExit = [&](fw::TObject*) { log.push_back("A OnExit"); };
    b->OnEnter = [&](fw::TObject*) { log.push_back("B OnEnter"); };
    a->OnValidate = [&](fw::TObject*, std::string&, bool& accept) {
        log.push_back("A OnValidate");
        accept = false;
    };
    ShowForm();
    a->SetFocus();
    ASSERT_TRUE(a->Entered());
    a->SetModified(true);
    b->SetFocus();
    harness::PumpMessages(20);
    EXPECT_EQ(std::vector<std::string>{"A OnValidate"}, log);
    EXPECT_EQ(std::vector<std::string>{kInvalidInput}, app.boxes);
    EXPECT_EQ(GetFocus(), a->Handle());
    EXPECT_TRUE(a->Entered()) << "the visit is not ended";
    EXPECT_FALSE(b->Entered());

    a->SetModified(false);
    b->SetFocus();
    EXPECT_EQ((std::vector<std::string>{"A OnValidate", "A OnExit", "B OnEnter"}), log);
}

TEST_F(EditKeys, APressFocusesAnEditWithoutAnEditWindowAndFocusChangesRepaintIt) {
    StandaloneEdit* e = Add();
    StandaloneEdit* other = Add(10, 60);
    ShowForm();
    other->SetFocus();
    harness::PumpMessages(10);
    HWND h = e->Handle();
    ValidateRect(h, nullptr);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(h, GetFocus());
    EXPECT_TRUE(GetUpdateRect(h, nullptr, FALSE)) << "gaining the focus repaints";
    ValidateRect(h, nullptr);
    other->SetFocus();
    EXPECT_TRUE(GetUpdateRect(h, nullptr, FALSE)) << "and so does losing it";
}

class InplaceKeys : public EditFixture {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        container = fw::Create<FakeContainer>(form);
        container->SetBounds(0, 0, 300, 200);
        container->SetParent(form);
        e = Add<InplaceEdit>(5, 5, container, container);
        e->SetBounds(5, 5, 100, 20);
        e->OnKeyDown = [this](fw::TObject*, WORD& k, fw::TShiftState) { edits.push_back(k); };
        container->calls.clear();
    }
    WORD Press(WORD key, fw::TShiftState shift = 0) {
        e->KeyDown(key, shift);
        return key;
    }
    FakeContainer* container = nullptr;
    InplaceEdit* e = nullptr;
    std::vector<WORD> edits;
};

TEST_F(InplaceKeys, NavigationKeysAreValidatedAndHandedOverOthersStay) {
    int validations = 0;
    e->OnValidate = [&](fw::TObject*, std::string&, bool&) { ++validations; };
    e->SetModified(true);
    for (WORD k : {VK_TAB, VK_DOWN, VK_INSERT}) EXPECT_EQ(0, Press(k)) << k;
    EXPECT_EQ(3, validations);
    EXPECT_EQ((std::vector<std::string>{"KeyDown 9", "KeyDown 40", "KeyDown 45"}), container->calls);
    EXPECT_TRUE(edits.empty()) << "handed-over keys fire no OnKeyDown of the edit";

    container->calls.clear();
    EXPECT_EQ(VK_TAB, Press(VK_TAB, fw::ssAlt)) << "Alt+Tab stays";
    EXPECT_EQ(VK_INSERT, Press(VK_INSERT, fw::ssCtrl));
    EXPECT_EQ(VK_LEFT, Press(VK_LEFT));
    EXPECT_EQ(5, validations) << "Alt+Tab and Ctrl+Insert are validated, Left is not";
    EXPECT_EQ((std::vector<std::string>{"EditKeyDown 9", "EditKeyDown 45", "EditKeyDown 37"}), container->calls);
    EXPECT_EQ((std::vector<WORD>{VK_TAB, VK_INSERT, VK_LEFT}), edits);
}

TEST_F(InplaceKeys, ARejectionOnTabKeepsTheKeyFromTheContainerAndTheLockUnchanged) {
    e->OnValidate = [](fw::TObject*, std::string&, bool& accept) { accept = false; };
    e->SetModified(true);
    EXPECT_THROW(Press(VK_TAB), EdxEditInvalidInput);
    EXPECT_TRUE(container->calls.empty());
    EXPECT_EQ(0, e->ValidationLock());

    // Locked while the container handles a key, unlocked even when it fails.
    int locked = -1;
    container->onEditKeyDown = [&](WORD&) {
        locked = e->ValidationLock();
        e->ValidateEdit();
        throw fw::Exception("container failed");
    };
    std::string failure;
    try {
        Press('A');
    } catch (const fw::Exception& x) {
        failure = x.Message();
    }
    EXPECT_EQ("container failed", failure) << "validation under the lock does nothing";
    EXPECT_EQ(1, locked);
    EXPECT_EQ(0, e->ValidationLock());
}

TEST_F(InplaceKeys, F2DeleteAndShiftInsertFollowTheContainer) {
    EXPECT_EQ(VK_F2, Press(VK_F2));
    EXPECT_EQ(std::vector<std::string>{"MoveCaretToEnd"}, e->log);
    EXPECT_TRUE(edits.empty()) << "F2 left alone fires no OnKeyDown";

    container->onEditKeyDown = [](WORD& k) {
        if (k == VK_F2) k = VK_HOME;
    };
    EXPECT_EQ(VK_HOME, Press(VK_F2));
    EXPECT_EQ(std::vector<WORD>{VK_HOME}, edits) << "a changed F2 goes on as that key";
    container->onEditKeyDown = nullptr;

    container->canModify = false;
    EXPECT_EQ(0, Press(VK_DELETE));
    EXPECT_EQ(0, Press(VK_INSERT, fw::ssShift));
    EXPECT_EQ(1u, edits.size()) << "dropped keys fire no OnKeyDown";
}

TEST_F(InplaceKeys, ReleasesDoubleClicksAndCharactersGoToTheContainer) {
    WORD k = 'A';
    e->KeyUp(k, 0);
    e->DblClick();
    char c = 'x';
    e->KeyPress(c);
    EXPECT_EQ((std::vector<std::string>{"KeyUp 65", "DblClick", "KeyPress x", "CanEditAcceptKey x"}), container->calls);
    container->acceptKey = false;
    e->KeyPress(c);
    EXPECT_EQ(0, c);
    container->acceptKey = true;
    c = '\t';
    e->KeyPress(c);
    EXPECT_EQ(0, c) << "in place a tab is not typed";
}

TEST_F(InplaceKeys, EnterAndAnUnwantedTabTakeTheirPendingCharacterOutOfTheQueue) {
    std::vector<char> chars;
    e->OnKeyPress = [&](fw::TObject*, char& k) { chars.push_back(k); };
    PostMessageA(e->Handle(), WM_CHAR, 13, 0);
    SendMessageA(e->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    harness::PumpMessages(10);
    EXPECT_TRUE(chars.empty());
    EXPECT_EQ((std::vector<std::string>{"IgnoreEditKeys", "KeyDown 13"}), container->calls);

    container->calls.clear();
    PostMessageA(e->Handle(), WM_CHAR, 9, 0);
    SendMessageA(e->Handle(), WM_KEYDOWN, VK_TAB, 0);
    harness::PumpMessages(10);
    EXPECT_EQ((std::vector<std::string>{"IgnoreEditKeys", "KeyDown 9"}), container->calls)
        << "nor does the character of a Tab the edit does not want";

    container->ignoreKeys = true;
    SendMessageA(e->Handle(), WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(edits.empty()) << "keys the container ignores reach nothing";
}

TEST_F(InplaceKeys, TheFormFocusesTheContainerWhichHearsOfEveryFocusChangeButItsOwn) {
    StandaloneEdit* other = Add(10, 250);
    ShowForm();
    other->SetFocus();
    container->calls.clear();
    e->SetFocus();
    EXPECT_EQ(e->Handle(), GetFocus());
    EXPECT_EQ(container, form->ActiveControl()) << "the form's focused control is the container";
    EXPECT_EQ(std::vector<std::string>{"EditFocusChanged"}, container->calls);

    container->calls.clear();
    ::SetFocus(container->Handle());
    EXPECT_TRUE(container->calls.empty()) << "the focus going to the container itself";
}

TEST_F(InplaceKeys, DialogCodeWantsAllKeysInPlaceAndTabsOnlyWhenTheContainerDoes) {
    auto code = [](TdxInplaceEdit* x) { return SendMessageA(x->Handle(), WM_GETDLGCODE, 0, 0) & (DLGC_WANTCHARS | DLGC_WANTTAB | DLGC_WANTALLKEYS); };
    EXPECT_EQ(DLGC_WANTCHARS | DLGC_WANTALLKEYS, code(e));
    container->wantsTabs = true;
    EXPECT_EQ(DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB, code(e));
    EXPECT_EQ(DLGC_WANTCHARS, code(Add<EditWindowEdit>(10, 250))) << "a standalone edit never wants Tab";
}

TEST_F(InplaceKeys, APressSoonAfterTheActivatingClickIsADoubleClick) {
    e->ControlStyle |= fw::csDoubleClicks;
    auto press = [&] {
        PostMessageA(e->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(e->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        harness::PumpMessages(10);
        return std::count(container->calls.begin(), container->calls.end(), "DblClick");
    };
    EXPECT_EQ(0, press()) << "no click recorded";
    e->ClickTime = GetTickCount();
    EXPECT_EQ(1, press());
    EXPECT_EQ(1, press()) << "the click time is spent: then a plain press";
}

TEST_F(InplaceKeys, AWheelTurnGoesToTheContainerAndTheEdit) {
    SendMessageA(e->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    ASSERT_GE(container->calls.size(), 2u);
    EXPECT_EQ("CM_CANCELMODE", container->calls[0]);
    EXPECT_EQ("WM_MOUSEWHEEL", container->calls[1]);
    container->calls.clear();
    class WheelEdit : public InplaceEdit {
    public:
        using InplaceEdit::InplaceEdit;
        bool WantsMouseWheel() override { return true; }
    };
    auto* w = Add<WheelEdit>(5, 40, container, container);
    w->SetBounds(5, 40, 100, 20);
    SendMessageA(w->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(0, std::count(container->calls.begin(), container->calls.end(), "CM_CANCELMODE"))
        << "an edit that wants the wheel keeps it";
}

TEST_F(InplaceKeys, HidingRepaintsTheContainerThereMovesAndShrinksShowingDoesNot) {
    ShowForm();
    e->Handle();
    ValidateRect(container->Handle(), nullptr);
    e->HideEdit();
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(container->Handle(), update, FALSE);
    EXPECT_TRUE(PtInRegion(update, 50, 15)) << "the container repaints where the edit was";
    DeleteObject(update);
    RECT r;
    GetWindowRect(e->Handle(), &r);
    MapWindowPoints(nullptr, container->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_FALSE(IsWindowVisible(e->Handle()));
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.right - r.left) << "moved to the left and shrunk";
    e->Perform(fw::CM_SHOWINGCHANGED);
    EXPECT_FALSE(IsWindowVisible(e->Handle())) << "the framework's showing change is ignored in place";
    e->ShowEdit();
    EXPECT_TRUE(IsWindowVisible(e->Handle()));
    GetWindowRect(e->Handle(), &r);
    EXPECT_EQ(0, r.right - r.left) << "showing neither moves nor sizes";
}

TEST_F(EditKeys, InplaceEditWithoutAContainerTreatsEveryContainerCallAsNone) {
    InplaceEdit* e = Add<InplaceEdit>();
    e->SetBounds(10, 10, 100, 20);
    ShowForm();
    WORD k = VK_TAB;
    e->KeyDown(k, 0);
    EXPECT_EQ(0, k) << "handed over to nobody";
    for (WORD key : {VK_F2, VK_RETURN}) SendMessageA(e->Handle(), WM_KEYDOWN, key, 0);
    SendMessageA(e->Handle(), WM_KEYUP, 'A', 0);
    char c = 'a';
    e->KeyPress(c);
    EXPECT_EQ('a', c);
    e->ClickTime = GetTickCount();
    SendMessageA(e->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(e->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(e->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    e->SetFocus();
    e->HideEdit();
    e->ShowEdit();
    harness::PumpMessages(10);
    EXPECT_TRUE(app.boxes.empty());
}

}  // namespace
