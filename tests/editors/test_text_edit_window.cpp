// The text edit's rich-edit window, its properties, and the library behind it.
#include <gtest/gtest.h>

#include <memory>

#include "editors/dxDraw.h"
#include "tests/editors/TextEditProbes.h"

namespace {

using namespace editors;
using namespace editors_test;

using TextEdit = TextEditFixture;

const LONG kCaseAndModeBits = ES_READONLY | ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE | ES_NOHIDESEL |
                              ES_OEMCONVERT | ES_RIGHT | ES_CENTER | ES_MULTILINE | WS_HSCROLL | WS_VSCROLL;

void Type(HWND wnd, const std::string& s) {
    for (char c : s) SendMessageA(wnd, WM_CHAR, static_cast<unsigned char>(c), 1);
}

TEST_F(TextEdit, IsASingleLinePlainTextRichEditUnderItsOwnClassNameWithTheStyleOfItsProperties) {
    TdxEdit* e = Add<TdxEdit>();
    e->SetText("before");
    HWND wnd = e->Handle();
    EXPECT_EQ("TdxEdit", harness::ClassOf(wnd));
    WNDCLASSA own = {}, rich = {};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TdxEdit", &own));
    ASSERT_TRUE(GetClassInfoA(nullptr, "RichEdit20A", &rich));
    EXPECT_EQ(own.cbWndExtra, rich.cbWndExtra) << "the rich edit's class data";
    EXPECT_TRUE(HasStyle(wnd, ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_CHILD | WS_TABSTOP));
    EXPECT_EQ(0, GetWindowLongA(wnd, GWL_STYLE) & kCaseAndModeBits) << "left-aligned, one line, nothing forced";
    EXPECT_EQ(0x80011, SendMessageA(wnd, EM_GETEVENTMASK, 0, 0));
    EXPECT_TRUE(SendMessageA(wnd, EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT);
    EXPECT_EQ("before", e->Text()) << "the text given before the window is in it";

    struct Case {
        std::function<void(TdxEdit*)> set;
        LONG bit;
    } cases[] = {
        {[](TdxEdit* x) { x->SetReadOnlyProperty(true); }, ES_READONLY},
        {[](TdxEdit* x) { x->SetPasswordChar('*'); }, ES_PASSWORD},
        {[](TdxEdit* x) { x->SetCharCase(ecUpperCase); }, ES_UPPERCASE},
        {[](TdxEdit* x) { x->SetCharCase(ecLowerCase); }, ES_LOWERCASE},
        {[](TdxEdit* x) { x->SetHideSelection(false); }, ES_NOHIDESEL},
        {[](TdxEdit* x) { x->SetOEMConvert(true); }, ES_OEMCONVERT},
        {[](TdxEdit* x) { x->SetAlignmentProperty(taRightJustify); }, ES_RIGHT},
        {[](TdxEdit* x) { x->SetAlignmentProperty(taCenter); }, ES_CENTER},
    };
    for (const Case& c : cases) {
        TdxEdit* x = Add<TdxEdit>(10, 60);
        c.set(x);
        x->RecreateWnd();
        EXPECT_EQ(c.bit, GetWindowLongA(x->Handle(), GWL_STYLE) & kCaseAndModeBits) << std::hex << c.bit;
        fw::Free(x);
    }
}

TEST_F(TextEdit, TextAndModifiedFlagCrossCreationAndRecreationWithoutReportingAChange) {
    TextProbe* e = Add<TextProbe>();
    int changes = 0;
    e->OnChange = [&](fw::TObject*) { ++changes; };
    e->SetText(harness::Ansi(u8"考号 12"));
    EXPECT_EQ(1, changes) << "a text given without a window is a change";
    e->SetModified(true);
    HWND wnd = e->Handle();
    EXPECT_EQ(harness::Ansi(u8"考号 12"), e->Text());
    EXPECT_NE(0, SendMessageA(wnd, EM_GETMODIFY, 0, 0)) << "the window takes the kept flag";
    e->SetHideSelection(false);  // recreates the window
    EXPECT_NE(wnd, e->Handle());
    EXPECT_EQ(harness::Ansi(u8"考号 12"), e->Text());
    EXPECT_TRUE(e->GetModified());
    e->SetModified(false);
    e->SetOEMConvert(true);
    EXPECT_TRUE(HasStyle(e->Handle(), ES_OEMCONVERT)) << "recreated with the new style";
    EXPECT_FALSE(e->GetModified());
    EXPECT_EQ(1, changes) << "putting the text into a new window is none";
}

TEST_F(TextEdit, MaxLengthIsNeverNegativeHoldsAfterTextAssignmentsAndWaitsForAWindow) {
    TextProbe* e = AddText("abc");
    HWND wnd = e->Handle();
    e->SetMaxLengthProperty(10);
    EXPECT_EQ(10, SendMessageA(wnd, EM_GETLIMITTEXT, 0, 0));
    e->SetMaxLengthProperty(-5);
    EXPECT_EQ(0, e->MaxLength());
    e->SetMaxLengthProperty(4);
    e->SetText("ab");
    SendMessageA(wnd, EM_SETSEL, 2, 2);
    Type(wnd, "xyz");
    EXPECT_EQ("abxy", e->Text()) << "the limit holds after the text";

    TextProbe* later = Unparented();
    later->SetMaxLengthProperty(3);
    later->SetParent(form);
    EXPECT_EQ(3, SendMessageA(later->Handle(), EM_GETLIMITTEXT, 0, 0));
}

TEST_F(TextEdit, ADataLinksLengthAndEditingCountUntilTheEditSetsItsOwn) {
    LinkedProbe* e = Unparented<LinkedProbe>();
    e->RefreshLinkProperties();
    EXPECT_EQ(7, e->MaxLength()) << "the link's length while none is set";
    e->SetMaxLengthProperty(0);
    e->RefreshLinkProperties();
    EXPECT_EQ(0, e->MaxLength()) << "a length set, even 0, stays";
    e->RestoreDefaults();
    EXPECT_FALSE(e->IsMaxLengthStored());
    e->Link()->maxLength = 9;
    e->RefreshLinkProperties();
    EXPECT_EQ(9, e->MaxLength());

    // The link's word on editing reaches the window, also while ReadOnly is set (stored).
    e->SetParent(form);
    e->SetReadOnlyProperty(false);
    HWND wnd = e->Handle();
    for (bool canEdit : {false, true}) {
        e->Link()->canEdit = canEdit;
        e->RefreshLinkProperties();
        EXPECT_EQ(!canEdit, HasStyle(wnd, ES_READONLY));
    }
}

TEST_F(TextEdit, ForcedCaseRewritesTheTextKeepingSelectionAndModifiedFlag) {
    TextProbe* e = AddText("abc");
    for (bool modified : {false, true}) {
        e->SetCharCase(ecNormal);
        e->SetText("abc");
        e->SetSelection(1, 2);
        e->SetModified(modified);
        e->SetCharCase(ecUpperCase);
        EXPECT_EQ("ABC", e->Text());
        EXPECT_EQ(1, e->GetSelStart());
        EXPECT_EQ("B", e->GetSelText());
        EXPECT_EQ(modified, e->GetModified());
        EXPECT_FALSE(e->ApplyingCharCase());
    }
    e->SetCharCase(ecNormal);
    EXPECT_EQ("ABC", e->Text()) << "normal case leaves the text";
    e->SetText(harness::Ansi(u8"中文abc"));
    e->SetCharCase(ecUpperCase);
    EXPECT_EQ(harness::Ansi(u8"中文ABC"), e->Text()) << "Chinese characters untouched";

    TextProbe* bare = Unparented();
    bare->SetText("abc");
    bare->SetCharCase(ecUpperCase);
    EXPECT_EQ("ABC", bare->Text());
    EXPECT_FALSE(bare->HandleAllocated()) << "no window made for the selection";
}

TEST_F(TextEdit, PasswordCharacterGoesToTheWindowAtOnceOrWithTheNextOne) {
    TextProbe* e = AddText("secret");
    HWND wnd = e->Handle();
    e->SetPasswordChar('*');
    EXPECT_EQ('*', SendMessageA(wnd, EM_GETPASSWORDCHAR, 0, 0));
    EXPECT_EQ("secret", e->Text());
    e->SetPasswordChar(0);
    EXPECT_EQ(0, SendMessageA(wnd, EM_GETPASSWORDCHAR, 0, 0));

    TextProbe* later = Unparented();
    int changes = 0;
    later->OnChange = [&](fw::TObject*) { ++changes; };
    later->SetPasswordChar('#');
    EXPECT_FALSE(later->HandleAllocated());
    EXPECT_EQ(0, changes) << "no window: only the field changes";
    later->SetParent(form);
    EXPECT_TRUE(HasStyle(later->Handle(), ES_PASSWORD));
    EXPECT_EQ('#', SendMessageA(later->Handle(), EM_GETPASSWORDCHAR, 0, 0));
}

TEST_F(TextEdit, UndoFollowsTypingAndIsEmptiedBySettingTheValueReadOnlyReachesTheWindow) {
    TextProbe* none = Add<TextProbe>(10, 60);
    EXPECT_FALSE(none->CanUndo() || none->CanRedo() || none->CanPaste());
    none->SetEditValue(fw::Variant("v"));
    EXPECT_FALSE(none->HandleAllocated()) << "the queries and a value put in make no window";

    TextProbe* e = AddText();
    HWND wnd = e->Handle();
    Type(wnd, "ab");
    EXPECT_TRUE(e->CanUndo());
    e->Undo();
    EXPECT_EQ("", e->Text());
    EXPECT_TRUE(e->CanRedo());
    e->Redo();
    EXPECT_EQ("ab", e->Text());
    int changes = e->changes;
    e->SetEditValue(fw::Variant("value"));
    EXPECT_EQ("value", e->Text());
    EXPECT_FALSE(e->CanUndo()) << "a value put in empties the undo buffer";
    EXPECT_EQ(changes, e->changes) << "and is no change";

    harness::PutOnClipboard("pasted");
    EXPECT_TRUE(e->CanPaste());
    e->SetReadOnlyProperty(true);
    EXPECT_TRUE(HasStyle(wnd, ES_READONLY));
    EXPECT_FALSE(e->CanPaste());
    SendMessageA(wnd, WM_CHAR, 'x', 1);
    e->PasteFromClipboard();
    EXPECT_EQ("value", e->Text());
    e->SetReadOnlyProperty(false);
    EXPECT_FALSE(HasStyle(wnd, ES_READONLY));
}

TEST_F(TextEdit, OleCallbackIsTheEditItselfAndIsHandedToTheWindowOnlyWithADataLink) {
    TextProbe* e = AddText("x");
    EXPECT_EQ(0, e->Sent(EM_SETOLECALLBACK)) << "no edit of the program has a data link";

    LinkedProbe* linked = Unparented<LinkedProbe>();
    linked->SetParent(form);
    linked->Handle();
    EXPECT_EQ(1, linked->count[EM_SETOLECALLBACK]);
    EXPECT_GT(linked->OleRefCount(), 0) << "the window holds the interface";
    linked->DestroyHandle();
    EXPECT_EQ(0, linked->OleRefCount()) << "and lets it go with the window";
}

void SetFontColor(TdxEdit* e, int color) {
    fw::TPropValue v;
    v.kind = fw::TPropValue::Int;
    v.i = color;
    e->Font.SetProperty("Color", v);
}

RECT FormatRect(HWND wnd) {
    RECT r;
    SendMessageA(wnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

TEST_F(TextEdit, ColoursAndFormattingRectangleFollowTheControl) {
    TextProbe* e = AddText("abc");
    HWND wnd = e->Handle();
    CHARFORMAT2A format = {};
    format.cbSize = sizeof format;
    for (int color : {-1, 0x0000FF, 0x20000000}) {  // none set, red, the default colour
        if (color >= 0) SetFontColor(e, color);
        SendMessageA(wnd, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        EXPECT_EQ(color != 0x0000FF, (format.dwEffects & CFE_AUTOCOLOR) != 0) << color;
    }
    SetFontColor(e, 0x0000FF);
    SendMessageA(wnd, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(RGB(255, 0, 0), format.crTextColor);

    // EM_SETBKGNDCOLOR answers the colour it replaces.
    EXPECT_EQ(static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)), SendMessageA(wnd, EM_SETBKGNDCOLOR, 0, 0));
    e->SetColor(0x00FF00);
    EXPECT_EQ(0x00FF00, SendMessageA(wnd, EM_SETBKGNDCOLOR, 0, 0));
    int backgrounds = e->count[EM_SETBKGNDCOLOR];
    e->Perform(fw::CM_SYSCOLORCHANGE);
    EXPECT_EQ(backgrounds + 1, e->count[EM_SETBKGNDCOLOR]) << "a system colour change is passed on";

    RECT client, rect = FormatRect(wnd);
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.left + 1, rect.left);
    EXPECT_EQ(client.top + 1, rect.top);
    EXPECT_EQ(client.right - 1, rect.right);
    e->SetAlignmentProperty(taRightJustify);
    wnd = e->Handle();
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right - 2, FormatRect(wnd).right);

    e->SetBounds(e->Left(), e->Top(), e->Width() + 30, e->Height());
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right - 2, FormatRect(wnd).right) << "a new size moves the rectangle";
}

// The edit draws its display text itself only when asked to: case-converted, or password characters.
TEST_F(TextEdit, OwnTextDrawingShowsTheDisplayTextAndStepsAsideForTheWindow) {
    TextProbe* e = AddText("abc");
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(GetDC(nullptr), 100, 20);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r = {0, 0, 100, 20};
    auto draw = [&](bool skip) {
        std::unique_ptr<TdxEditViewData> v(e->CreateViewData(true));
        bool drawn = e->DrawBackground(dc, r, skip, v.get());
        return std::make_pair(drawn, v->Value.AsString() + "/" + std::to_string(v->TextLength));
    };
    EXPECT_FALSE(draw(true).first) << "ordinary painting is the window's";
    EXPECT_EQ(std::make_pair(true, std::string("abc/3")), draw(false));
    e->SetCharCase(ecUpperCase);
    EXPECT_EQ("ABC/3", draw(false).second);
    e->SetPasswordChar('*');
    EXPECT_EQ("***/3", draw(false).second);

    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);

    // Disabled and not entered, the edit paints its field itself, in the disabled colours.
    ShowForm();
    e->SetEnabled(false);
    e->Invalidate();
    harness::PumpMessages(100);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(face, WindowPixel(e->Handle(), e->Width() - 6, e->Height() / 2));
    int textPixels = 0;
    for (int x = 3; x < 40; ++x)
        for (int y = 3; y < e->Height() - 3; ++y) textPixels += WindowPixel(e->Handle(), x, y) != face;
    EXPECT_GT(textPixels, 3) << "the password characters drawn at the left";
}

// Starts the units a text edit needs beneath its own, and stops them again.
struct BaseUnits {
    harness::RecordingApplication app;
    BaseUnits() {
        editors::dxDrawUnit().Initialize();
        editors::dxCntnerUnit().Initialize();
    }
    ~BaseUnits() {
        editors::dxCntnerUnit().Finalize();
        editors::dxDrawUnit().Finalize();
    }
};

TEST(TextEditUnit, WithoutTheRichEditLibraryTheWindowIsNotCreatedAndNoClassIsRegistered) {
    ASSERT_EQ(nullptr, GetModuleHandleA("riched20.dll")) << "nothing loaded the library in this process";
    BaseUnits units;
    auto* form = fw::Create<harness::BareForm>(nullptr);
    auto* e = fw::Create<TdxEdit>(form);
    e->SetParent(form);
    try {
        e->Handle();
        ADD_FAILURE() << "a window without its class";
    } catch (const fw::Exception& x) {
        EXPECT_EQ("Window class RichEdit20A is not available", x.Message());
    }
    EXPECT_FALSE(e->CreatingWindow()) << "the busy flag is down after the failure";
    WNDCLASSA wc;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "TdxEdit", &wc));
    fw::Free(form);
}

TEST(TextEditUnit, StartUpLoadsTheLibraryAndShutDownFreesItUnlessAnEditWindowStillExists) {
    editors::dxEditorUnit().Initialize();
    EXPECT_EQ(GetModuleHandleA("riched20.dll"), RichEditModule);
    ASSERT_NE(nullptr, RichEditModule);
    editors::dxEditorUnit().Finalize();
    EXPECT_EQ(nullptr, GetModuleHandleA("riched20.dll"));

    BaseUnits units;
    editors::dxEditorUnit().Initialize();
    auto* form = fw::Create<harness::BareForm>(nullptr);
    auto* e = fw::Create<TdxEdit>(form);
    e->SetParent(form);
    e->SetText("still here");
    HWND wnd = e->Handle();
    editors::dxEditorUnit().Finalize();
    EXPECT_NE(nullptr, GetModuleHandleA("riched20.dll")) << "the window keeps its procedure";
    e->MoveCaretToEnd();
    SendMessageA(wnd, WM_CHAR, '!', 1);
    EXPECT_EQ("still here!", e->Text());
    fw::Free(form);
    EXPECT_EQ(0, TextEditWindowCount);
}

}  // namespace
