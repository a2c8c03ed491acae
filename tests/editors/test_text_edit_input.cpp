// The text edit's input: typed case, change notifications, select-all on entry, mouse capture,
// the right-button release that becomes the text menu, and the menu itself.
#include <gtest/gtest.h>

#include "framework/Menus.h"
#include "tests/editors/TextEditProbes.h"
#include "tests/support/Waits.h"

namespace {

using namespace editors;
using namespace editors_test;

using TextEditInput = TextEditFixture;

std::vector<WPARAM> CharsToClass(const TextProbe* e) {
    std::vector<WPARAM> out;
    for (const auto& m : e->toClass)
        if (m.first == WM_CHAR) out.push_back(m.second);
    return out;
}

// Shows the text menu at a client point and answers it with a posted key (Esc, or an item's letter).
void ContextMenuAt(TextProbe* e, POINT client = POINT{5, 5}, WPARAM key = VK_ESCAPE,
                   const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
    HWND wnd = e->Handle();
    if (key == VK_ESCAPE) PostMessageA(wnd, WM_KEYDOWN, VK_ESCAPE, 0);
    else PostMessageA(wnd, WM_CHAR, key, 0);
    POINT screen = client;
    ClientToScreen(wnd, &screen);
    const std::string what = key == VK_ESCAPE ? std::string("the text menu's closing on Esc")
                                              : "the text menu's item for the key '" + std::string(1, static_cast<char>(key)) + "'";
    harness::WaitForMenuToEnd(
        [&] { SendMessageA(wnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(screen.x, screen.y)); },
        harness::kLocalWaitMs, what, file, line);
    harness::DiscardMessages(wnd, WM_KEYFIRST, WM_KEYLAST, file, line);
}

std::vector<bool> EnabledItems(TextProbe* e) {
    std::vector<bool> out;
    fw::TMenuItem* items = e->TextMenu()->Items();
    for (int i = 0; i < items->Count(); ++i) out.push_back(items->Items(i)->Enabled);
    return out;
}

TEST_F(TextEditInput, TypedCharactersTakeTheForcedCaseExceptDoubleByteOnesAndWideCodes) {
    TextProbe* e = AddText();
    HWND wnd = e->Handle();
    e->SetCharCase(ecUpperCase);
    SendMessageA(wnd, WM_CHAR, 'a', 1);
    EXPECT_EQ("A", e->Text());
    EXPECT_EQ(std::vector<char>{'A'}, e->keyPresses) << "OnKeyPress sees the converted character";
    e->SetCharCase(ecLowerCase);
    SendMessageA(wnd, WM_CHAR, 'B', 1);
    EXPECT_EQ('b', e->keyPresses.back()) << "lowered before OnKeyPress";
    EXPECT_EQ("ab", e->Text()) << "the case rewrite also lowered the first";

    // A lead byte, the trail byte after it ('a') and a code above 0xFF pass as they are.
    e->SetCharCase(ecUpperCase);
    e->toClass.clear();
    for (WPARAM c : {0xB0, 0x61, 0x62, 0x163}) SendMessageA(wnd, WM_CHAR, c, 1);
    EXPECT_EQ((std::vector<WPARAM>{0xB0, 0x61, 0x42, 0x163}), CharsToClass(e));
}

TEST_F(TextEditInput, OnChangeFiresOncePerChangeOfTheUserAndNeverForTheEditsOwnRewrites) {
    TextProbe* e = AddText("x");
    HWND wnd = e->Handle();
    for (char c : {'a', 'b', 'c'}) SendMessageA(wnd, WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ(3, e->changes);
    e->SetEditValue(fw::Variant("value"));
    EXPECT_EQ(3, e->changes) << "a value put in";
    e->SetCharCase(ecUpperCase);
    EXPECT_EQ(3, e->changes) << "the case rewrite";

    e->SetText("");
    e->changes = 0;
    ASSERT_TRUE(harness::PutOnClipboard("pasted"));
    e->PasteFromClipboard();
    EXPECT_EQ("PASTED", e->Text());
    EXPECT_EQ(1, e->changes) << "a paste rewritten in the forced case is one change";

    int selections = e->selectionChanges;
    e->SetSelection(1, 3);
    EXPECT_GT(e->selectionChanges, selections);

    // While a description is read nothing is reported.
    e->changes = 0;
    selections = e->selectionChanges;
    e->SetLoading(true);
    SendMessageA(wnd, WM_CHAR, 'q', 1);
    e->SetSelection(0, 1);
    e->SetLoading(false);
    EXPECT_EQ(0, e->changes);
    EXPECT_EQ(selections, e->selectionChanges);
}

TEST_F(TextEditInput, EnteringByTabOrAFocusCallSelectsAllButAClickPlacesTheCaret) {
    ShowForm();
    TextProbe* first = AddText("first");
    TextProbe* second = AddText("second", 10, 50);
    first->TabOrder = 0;
    second->TabOrder = 1;
    int enters = 0;
    second->OnEnter = [&](fw::TObject*) { ++enters; };
    first->SetFocus();
    harness::PumpMessages(50);
    EXPECT_EQ("first", first->GetSelText());
    PostMessageA(first->Handle(), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return second->Focused(); }, harness::kLocalWaitMs,
                                   "the focus moving on to the second edit on Tab", harness::WaitMode::Pump));
    EXPECT_EQ("second", second->GetSelText());
    EXPECT_EQ(1, enters) << "the base's entry handling still runs";

    first->SetSelection(0, 0);
    int selectAlls = first->selectAlls;
    harness::ClickAt(first->Handle(), 20, 6);
    ASSERT_TRUE(harness::WaitUntil([&] { return first->Focused(); }, harness::kLocalWaitMs,
                                   "the focus on the first edit after its click", harness::WaitMode::Pump));
    harness::PumpMessages(50);
    EXPECT_EQ(0, first->GetSelLength()) << "the click put the caret, nothing selected";
    EXPECT_EQ(selectAlls, first->selectAlls) << "entered by a click: not even for a moment";

    first->AutoSelect = false;
    second->SetFocus();
    first->SetFocus();
    harness::PumpMessages(50);
    EXPECT_EQ(0, first->GetSelLength());
}

TEST_F(TextEditInput, AClickThatLeavesNoFocusInTheEditLeavesNoCapturedMouse) {
    TextProbe* e = AddText("abc");
    HWND wnd = e->Handle();
    e->SetEnabled(false);  // the rich edit cannot take the focus, yet takes the mouse
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_NE(wnd, GetFocus());
    EXPECT_NE(wnd, GetCapture());
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(wnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
    EXPECT_NE(wnd, GetCapture());
    MSG m;
    EXPECT_TRUE(PeekMessageA(&m, wnd, WM_MBUTTONUP, WM_MBUTTONUP, PM_REMOVE)) << "the release is posted";

    // With the focus in the edit the rich edit keeps the mouse for a drag selection.
    ShowForm();
    e->SetEnabled(true);
    e->SetFocus();
    harness::PumpMessages(50);
    ASSERT_EQ(wnd, GetFocus());
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(wnd, GetCapture());
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ReleaseCapture();
}

TEST_F(TextEditInput, ARightButtonReleaseNeverReachesTheRichEditAndPostsTheContextMenu) {
    TextProbe* e = AddText("abc");
    HWND wnd = e->Handle();
    int ups = 0;
    e->OnMouseUp = [&](fw::TObject*, fw::TMouseButton b, fw::TShiftState, int, int) { ups += b == fw::TMouseButton::mbRight; };
    SendMessageA(wnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 8));
    SendMessageA(wnd, WM_RBUTTONUP, 0, MAKELPARAM(20, 8));
    EXPECT_EQ(1, e->Sent(WM_RBUTTONDOWN));
    EXPECT_EQ(0, e->Sent(WM_RBUTTONUP));
    EXPECT_EQ(1, ups) << "OnMouseUp still fires";
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, wnd, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    POINT expected = {20, 8};
    ClientToScreen(wnd, &expected);
    EXPECT_EQ(reinterpret_cast<WPARAM>(wnd), m.wParam);
    EXPECT_EQ(expected.x, static_cast<short>(LOWORD(m.lParam)));
    EXPECT_EQ(expected.y, static_cast<short>(HIWORD(m.lParam)));
}

TEST_F(TextEditInput, TextMenuHasNineItemsBuiltOnceWhoseEnabledStatesFollowTheEdit) {
    ShowForm();
    harness::EmptyTheClipboard();
    TextProbe* e = AddText();
    ContextMenuAt(e);
    ASSERT_NE(nullptr, e->TextMenu());
    fw::TPopupMenu* menu = e->TextMenu();
    fw::TMenuItem* items = menu->Items();
    ASSERT_EQ(9, items->Count());
    const char* captions[] = {"&Undo", "&Redo", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "Select &All"};
    const long long tags[] = {-1, -2, 0x7FFFFFFF, -3, -4, -5, -6, 0x7FFFFFFF, -7};
    std::vector<fw::TMenuItem*> built;
    for (int i = 0; i < 9; ++i) {
        built.push_back(items->Items(i));
        EXPECT_EQ(captions[i], built.back()->Caption);
        EXPECT_EQ(tags[i], built.back()->Tag);
        EXPECT_EQ(e, built.back()->Owner()) << "owned by the edit";
    }
    // Undo, Redo, -, Cut, Copy, Paste, Delete, -, Select All
    EXPECT_EQ((std::vector<bool>{false, false, true, false, false, false, false, true, false}), EnabledItems(e))
        << "an empty edit, nothing on the clipboard";

    harness::PutOnClipboard("clip");
    e->SetText("abc");
    e->SetSelection(1, 2);
    SendMessageA(e->Handle(), WM_CHAR, 'x', 1);
    e->SetSelection(0, 1);
    ContextMenuAt(e);
    EXPECT_EQ(menu, e->TextMenu()) << "built once";
    EXPECT_EQ(built[8], items->Items(8));
    EXPECT_EQ((std::vector<bool>{true, false, true, true, true, true, true, true, true}), EnabledItems(e));

    e->SelectAll();
    ContextMenuAt(e);
    EXPECT_FALSE(items->Items(8)->Enabled) << "all of it is selected already";

    e->SetPasswordChar('*');
    e->SetSelection(0, 1);
    ContextMenuAt(e);
    auto fromCut = [&] {
        std::vector<bool> v = EnabledItems(e);
        return std::vector<bool>(v.begin() + 3, v.end());
    };
    EXPECT_EQ((std::vector<bool>{false, false, true, true, true, true}), fromCut()) << "a password: no Cut, no Copy";
    e->SetPasswordChar(0);
    e->SetReadOnlyProperty(true);
    e->SetSelection(0, 1);
    ContextMenuAt(e);
    EXPECT_EQ((std::vector<bool>{false, true, false, false, true, true}), fromCut()) << "read-only: Copy stays";
}

// Entered by Tab, an edit has all of its text selected, and the rich edit's selection then
// also takes its closing paragraph mark: only the part within the text counts for Cut,
// Copy and Delete.
TEST_F(TextEditInput, TheMenuCountsOnlyTheSelectionWithinTheTextAlsoInAnEmptyEditEnteredByTab) {
    ShowForm();
    ASSERT_TRUE(harness::PutOnClipboard("kept"));
    TextProbe* first = AddText("first");
    TextProbe* empty = AddText("", 10, 50);
    first->TabOrder = 0;
    empty->TabOrder = 1;
    first->SetFocus();
    harness::PumpMessages(50);
    PostMessageA(first->Handle(), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return empty->Focused(); }, harness::kLocalWaitMs, "the focus on the empty edit after Tab",
                                   harness::WaitMode::Pump));
    ASSERT_EQ(1, empty->selectAlls) << "entered by Tab: all selected";
    auto fromCut = [&] {
        std::vector<bool> v = EnabledItems(empty);
        return std::vector<bool>(v.begin() + 3, v.end());
    };
    // Cut, Copy, Paste, Delete, -, Select All
    ContextMenuAt(empty);
    EXPECT_EQ((std::vector<bool>{false, false, true, false, true, false}), fromCut()) << "nothing to cut, copy or delete";

    for (char c : {'a', 'b'}) SendMessageA(empty->Handle(), WM_CHAR, static_cast<WPARAM>(c), 1);
    empty->SelectAll();
    ContextMenuAt(empty);
    EXPECT_EQ((std::vector<bool>{true, true, true, true, true, false}), fromCut()) << "all of \"ab\"";
    empty->SetSelection(1, 3);
    ContextMenuAt(empty);
    std::vector<bool> partly = fromCut();
    partly.resize(4);
    EXPECT_EQ((std::vector<bool>{true, true, true, true}), partly) << "Cut to Delete for \"b\" and the closing mark";
    empty->SetSelection(2, 3);
    ContextMenuAt(empty);
    EXPECT_EQ((std::vector<bool>{false, false, true, false, true, true}), fromCut()) << "only the closing mark";
}

TEST_F(TextEditInput, TextMenuItemsRunTheirCommandsAndGoAwayWithTheirMenuOrAlone) {
    ShowForm();
    TextProbe* e = AddText("abcdef");
    e->SetSelection(0, 0);
    ContextMenuAt(e, POINT{5, 5}, 'a');
    EXPECT_EQ("abcdef", e->GetSelText()) << "Select &All";
    e->SetSelection(1, 3);
    ContextMenuAt(e, POINT{5, 5}, 'd');
    EXPECT_EQ("adef", e->Text()) << "&Delete";

    fw::TMenuItem item(nullptr);
    auto click = [&](long long tag) {
        item.Tag = tag;
        e->TextMenuItemClick(&item);
    };
    e->SetSelection(0, 1);
    click(0);
    EXPECT_EQ("adef", e->Text()) << "a tag of no command does nothing";
    click(-6);
    EXPECT_EQ("def", e->Text());
    harness::EmptyTheClipboard();
    e->SetSelection(0, 1);
    click(-4);
    EXPECT_EQ("d", harness::ClipboardText());
    EXPECT_EQ("def", e->Text());
    e->SetSelection(1, 2);
    click(-3);
    EXPECT_EQ("e", harness::ClipboardText());
    EXPECT_EQ("df", e->Text());
    // (Wine's plain-text rich edit pastes over the whole text.)
    ASSERT_TRUE(harness::PutOnClipboard("x"));
    e->SelectAll();
    click(-5);
    EXPECT_EQ("x", e->Text());
    click(-1);
    EXPECT_EQ("df", e->Text()) << "the paste undone";
    click(-2);
    EXPECT_EQ("x", e->Text()) << "and done again";
    e->SetText("def");

    // An item freed alone leaves the menu; the menu and the rest go with the edit.
    fw::TMenuItem* copy = e->TextMenu()->Items()->Items(4);
    fw::Free(copy);
    EXPECT_EQ(8, e->TextMenu()->Items()->Count());
    ContextMenuAt(e);
    EXPECT_EQ(9, e->ComponentCount()) << "the menu and its eight items";
    fw::Free(e);
}

// Where the menu window appeared, read while the menu's own loop runs timers.
RECT g_menuRect;
bool g_menuSeen = false;
VOID CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    GetWindowRect(menu, &g_menuRect);
    g_menuSeen = true;
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(TextEditInput, FromTheKeyboardTheMenuComesUpAtTheCaret) {
    ShowForm();
    TextProbe* e = AddText("abcdef");
    e->SetFocus();
    harness::PumpMessages(50);
    e->SetSelection(3, 3);
    POINT caret;
    ASSERT_TRUE(GetCaretPos(&caret));
    ClientToScreen(e->Handle(), &caret);
    g_menuSeen = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenu);
    harness::WaitForMenuToEnd(
        [&] { SendMessageA(e->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e->Handle()), MAKELPARAM(-1, -1)); },
        harness::kLocalWaitMs, "the text menu at the caret");
    KillTimer(nullptr, timer);
    ASSERT_TRUE(g_menuSeen);
    EXPECT_EQ(caret.x, g_menuRect.left);
    EXPECT_EQ(caret.y, g_menuRect.top);
}

TEST_F(TextEditInput, NoTextMenuOnTheBorderOrWhenTheEditOrAParentHasAPopupMenu) {
    ShowForm();
    TextProbe* e = AddText("abc");
    RECT window;
    GetWindowRect(e->Handle(), &window);
    POINT border = {window.left + 1, window.top + 1};
    ScreenToClient(e->Handle(), &border);
    ContextMenuAt(e, border);
    EXPECT_EQ(nullptr, e->TextMenu()) << "the point is outside the client area";

    auto* own = fw::Create<fw::TPopupMenu>(form);
    own->AutoPopup = false;  // even a menu that does not pop up
    for (fw::TControl* holder : {static_cast<fw::TControl*>(form), static_cast<fw::TControl*>(e)}) {
        holder->SetPopupMenu(own);
        ContextMenuAt(e);
        EXPECT_EQ(nullptr, e->TextMenu());
        holder->SetPopupMenu(nullptr);
    }
    e->OnContextPopup = [](fw::TObject*, POINT, bool& handled) { handled = true; };
    ContextMenuAt(e);
    EXPECT_EQ(nullptr, e->TextMenu()) << "OnContextPopup took the message";
    e->OnContextPopup = nullptr;
    ContextMenuAt(e);
    EXPECT_NE(nullptr, e->TextMenu());
}

}  // namespace
