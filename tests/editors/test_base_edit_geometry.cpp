// The base edit's look: the band, border and shadow geometry with auto-size, the window
// region, the client rectangle of WM_NCCALCSIZE, hot tracking, disabled colours and the
// border pixels of each style drawn into a memory DC.
#include <gtest/gtest.h>

#include <memory>

#include "tests/editors/EditProbes.h"

namespace {

using namespace editors;
using namespace editors_test;

using EditGeometry = EditFixture;

constexpr COLORREF kSentinel = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

int FontTextHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight;
}

TdxEditViewInfo ViewInfoOf(TdxInplaceEdit* e, bool autoSize = false) {
    std::unique_ptr<TdxEditViewData> v(e->CreateViewData(false));
    TdxEditViewInfo info;
    e->CalculateViewInfo(v.get(), autoSize, info);
    return info;
}

void ExpectRect(const RECT& r, int l, int t, int rt, int b, const char* what) {
    EXPECT_EQ(l, r.left) << what;
    EXPECT_EQ(t, r.top) << what;
    EXPECT_EQ(rt, r.right) << what;
    EXPECT_EQ(b, r.bottom) << what;
}

// The window region as a test of points; false everywhere when the window has none.
struct Region {
    explicit Region(HWND wnd) : rgn(CreateRectRgn(0, 0, 0, 0)) { has = GetWindowRgn(wnd, rgn) != ERROR; }
    ~Region() { DeleteObject(rgn); }
    bool In(int x, int y) const { return has && PtInRegion(rgn, x, y); }
    HRGN rgn;
    bool has = false;
};

// The whole control (band included) painted as a paint copy into a memory bitmap that
// starts out in the sentinel colour.
class Picture {
public:
    explicit Picture(TdxInplaceEdit* e) : w_(e->Width()), h_(e->Height()) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bmp_ = CreateCompatibleBitmap(screen, w_, h_);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bmp_);
        HBRUSH b = CreateSolidBrush(kSentinel);
        RECT r = {0, 0, w_, h_};
        FillRect(dc_, &r, b);
        DeleteObject(b);
        e->ControlState |= fw::csPaintCopy;
        e->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc_), 0);
        e->ControlState &= ~fw::csPaintCopy;
    }
    ~Picture() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    int W() const { return w_; }
    int H() const { return h_; }

private:
    int w_, h_;
    HDC dc_;
    HBITMAP bmp_;
    HGDIOBJ old_;
};

TEST_F(EditGeometry, LoginFieldSizesItselfFromItsFontAndCutsAwayTheOuterRing) {
    StandaloneEdit* e = Add();
    e->SetBounds(10, 10, 161, e->Height());
    e->Style()->SetBorderStyle(xbsSingle);
    ShowForm();
    const int tm = FontTextHeight(e->Font.Handle());
    const int H = tm + 4 + 2 * (GetSystemMetrics(SM_CYBORDER) + 1);
    EXPECT_EQ(H, e->Height()) << "tmHeight " << tm << " + 4 + 4 (21 only when tmHeight is 13)";
    EXPECT_EQ(161, e->Width()) << "auto-size leaves the width";

    TdxEditViewInfo info = ViewInfoOf(e);
    EXPECT_EQ(1, info.BorderWidth);
    EXPECT_EQ(0, info.ShadowWidth);
    ExpectRect(info.InnerRect, 2, 2, 159, H - 2, "inner");
    ExpectRect(info.BorderRect, 1, 1, 160, H - 1, "border");
    ExpectRect(info.ShadowRect, 0, 0, 0, 0, "no shadow");

    RECT client;
    GetClientRect(e->Handle(), &client);
    EXPECT_EQ(157, client.right);
    EXPECT_EQ(H - 4, client.bottom);

    Region rgn(e->Handle());
    ASSERT_TRUE(rgn.has);
    EXPECT_FALSE(rgn.In(0, 0));
    EXPECT_FALSE(rgn.In(160, 5));
    EXPECT_FALSE(rgn.In(5, H - 1));
    EXPECT_TRUE(rgn.In(1, 1));
    EXPECT_TRUE(rgn.In(159, H - 2));

    Picture p(e);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    EXPECT_EQ(frame, p.At(1, 1));
    EXPECT_EQ(frame, p.At(159, H - 2));
    EXPECT_EQ(frame, p.At(80, 1));
    EXPECT_EQ(kSentinel, p.At(0, 0)) << "the outer ring is not drawn";
    EXPECT_EQ(fw::ColorToRGB(e->Color()), p.At(2, 2)) << "client area in the control's colour";
}

TEST_F(EditGeometry, AutoSizeFollowsALargerFont) {
    StandaloneEdit* e = Add();
    ShowForm();
    e->Font.SetHeight(-24);
    harness::PumpMessages(10);
    EXPECT_EQ(FontTextHeight(e->Font.Handle()) + 8, e->Height());
    e->SetAutoSize(false);
    e->SetBounds(10, 10, 121, 50);
    EXPECT_EQ(50, e->Height()) << "without auto-size the height stays as set";

    InplaceEdit* cell = Add<InplaceEdit>();
    std::unique_ptr<TdxEditViewData> v(cell->CreateViewData(false));
    EXPECT_EQ(FontTextHeight(cell->Font.Handle()) + 3, cell->CalcEditHeight(v.get())) << "in place the allowance is 3";
}

TEST_F(EditGeometry, ShadowedEditOffsetsTheShadowAndLeavesTwoCornersOut) {
    StandaloneEdit* e = Add();
    e->SetAutoSize(false);
    e->SetBounds(10, 10, 60, 24);
    e->Style()->SetBorderStyle(xbsSingle);
    e->Style()->SetShadow(true);
    ShowForm();
    const int W = 60, H = 24;
    TdxEditViewInfo info = ViewInfoOf(e);
    ExpectRect(info.InnerRect, 2, 2, W - 4, H - 4, "inner");
    ExpectRect(info.BorderRect, 1, 1, W - 3, H - 3, "border");
    ExpectRect(info.ShadowRect, 3, 3, W - 1, H - 1, "shadow");

    RECT client;
    GetClientRect(e->Handle(), &client);
    EXPECT_EQ(W - 6, client.right);
    EXPECT_EQ(H - 6, client.bottom);

    Region rgn(e->Handle());
    EXPECT_TRUE(rgn.In(W - 2, H - 2)) << "shadow corner";
    EXPECT_TRUE(rgn.In(W - 2, 3));
    EXPECT_FALSE(rgn.In(W - 2, 2)) << "top-right square";
    EXPECT_FALSE(rgn.In(W - 3, 1));
    EXPECT_FALSE(rgn.In(2, H - 2)) << "bottom-left square";
    EXPECT_FALSE(rgn.In(0, 0));

    Picture p(e);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(shadow, p.At(W - 2, 10)) << "right strip";
    EXPECT_EQ(shadow, p.At(10, H - 2)) << "bottom strip";
    EXPECT_EQ(kSentinel, p.At(W - 2, 2)) << "top-right square stays";
    EXPECT_EQ(kSentinel, p.At(2, H - 2)) << "bottom-left square stays";
}

TEST_F(EditGeometry, ThreeDimensionalBorderKeepsTheWholeWindowAndNoneShowsOnlyTheClient) {
    StandaloneEdit* e = Add();
    ShowForm();
    EXPECT_FALSE(Region(e->Handle()).has) << "xbs3D on all edges: no region";
    TdxEditViewInfo info = ViewInfoOf(e);
    ExpectRect(info.BorderRect, 0, 0, e->Width(), e->Height(), "border is the bounds");

    e->Style()->SetBorderStyle(xbsNone);
    Region none(e->Handle());
    ASSERT_TRUE(none.has);
    EXPECT_FALSE(none.In(1, 1));
    EXPECT_TRUE(none.In(2, 2));
    EXPECT_FALSE(none.In(e->Width() - 2, 5));

    e->Style()->SetBorderStyle(xbsSingle);
    e->Style()->SetEdges(0);
    Region empty(e->Handle());
    EXPECT_FALSE(empty.In(1, 1)) << "no edges: the band lies outside";
    EXPECT_TRUE(empty.In(2, 2));
}

TEST_F(EditGeometry, HotTrackingRaisesTheBorderOneStep) {
    StandaloneEdit* e = Add();
    e->Style()->SetHotTrack(true);
    const std::pair<TdxEditBorderStyle, TdxEditBorderStyle> steps[] = {
        {xbsNone, xbsFlat}, {xbsSingle, xbsThick}, {xbsThick, xbsThick}, {xbsFlat, xbs3D}, {xbs3D, xbs3D}};
    for (auto [from, to] : steps) {
        e->Style()->SetBorderStyle(from);
        e->SetMouseInside(false);
        std::unique_ptr<TdxEditViewData> cold(e->CreateViewData(false));
        EXPECT_EQ(from, cold->BorderStyle);
        e->SetMouseInside(true);
        std::unique_ptr<TdxEditViewData> hot(e->CreateViewData(false));
        EXPECT_EQ(to, hot->BorderStyle) << "from " << int(from);
    }
    e->Style()->SetHotTrack(false);
    e->Style()->SetBorderStyle(xbsSingle);
    std::unique_ptr<TdxEditViewData> plain(e->CreateViewData(false));
    EXPECT_EQ(xbsSingle, plain->BorderStyle) << "no raise without HotTrack";
}

TEST_F(EditGeometry, MouseEnterAndLeaveRedoTheRegionAndFireTheEvents) {
    StandaloneEdit* e = Add();
    e->Style()->SetBorderStyle(xbsNone);
    e->Style()->SetHotTrack(true);
    std::vector<std::string> events;
    e->OnMouseEnter = [&](fw::TObject* s) { events.push_back(s == e ? "enter" : "?"); };
    e->OnMouseLeave = [&](fw::TObject* s) { events.push_back(s == e ? "leave" : "?"); };
    ShowForm();
    EXPECT_TRUE(Region(e->Handle()).has);
    e->Perform(fw::CM_MOUSEENTER);
    EXPECT_TRUE(e->MouseInside());
    EXPECT_FALSE(Region(e->Handle()).has) << "hot: flat band of 2 covers the band";
    e->Perform(fw::CM_MOUSELEAVE);
    EXPECT_FALSE(e->MouseInside());
    EXPECT_TRUE(Region(e->Handle()).has);
    EXPECT_EQ((std::vector<std::string>{"enter", "leave"}), events);

    // Without hot tracking the look is worked out again only for transparent buttons.
    e->Style()->SetHotTrack(false);
    int made = CountedViewData::made;
    e->Perform(fw::CM_MOUSEENTER);
    e->Perform(fw::CM_MOUSELEAVE);
    EXPECT_EQ(made, CountedViewData::made) << "nothing tracks the mouse";
    e->Style()->SetButtonTransparence(ebtAlways);
    made = CountedViewData::made;
    e->Perform(fw::CM_MOUSEENTER);
    EXPECT_LT(made, CountedViewData::made) << "transparent buttons redo the region";
}

TEST_F(EditGeometry, DisabledEditsPaintInButtonFaceAndShadowColours) {
    StandaloneEdit* e = Add();
    e->SetEnabled(false);
    std::unique_ptr<TdxEditViewData> v(e->CreateViewData(false));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), v->BackColor);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), v->TextColor);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), v->BrushHandle);
    EXPECT_EQ(1, e->Perform(WM_ERASEBKGND, 0, 0)) << "answers erased without painting";
    Picture p(e);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), p.At(5, 5));
    EXPECT_EQ(fw::crArrow, e->GetEditCursor(0, 0, v.get())) << "no edit window: the arrow";

    EditWindowEdit* windowed = Add<EditWindowEdit>(10, 60);
    windowed->SetEnabled(false);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    SetPixel(dc, 3, 3, kSentinel);
    EXPECT_EQ(1, windowed->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    EXPECT_EQ(kSentinel, GetPixel(dc, 3, 3)) << "a disabled edit window erases nothing either";
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}

TEST_F(EditGeometry, TextChangesRepaintAndTheArrowShowsOnlyOverTheClientArea) {
    StandaloneEdit* e = Add();
    ShowForm();
    HWND h = e->Handle();
    ValidateRect(h, nullptr);
    e->SetText("new");
    EXPECT_TRUE(GetUpdateRect(h, nullptr, FALSE)) << "without an edit window the edit shows its text itself";

    const WPARAM self = reinterpret_cast<WPARAM>(h);
    EXPECT_EQ(1, SendMessageA(h, WM_SETCURSOR, self, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), fw::CursorHandle(fw::crArrow));
    e->passed.clear();
    SendMessageA(h, WM_SETCURSOR, self, MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
    EXPECT_EQ(1, e->passed[WM_SETCURSOR]) << "another hit-test code is left to the default handling";
}

TEST_F(EditGeometry, BorderPixelsOfEachStyleOnAMemoryDC) {
    StandaloneEdit* e = Add();
    e->SetAutoSize(false);
    e->SetBounds(0, 0, 40, 20);
    e->Style()->SetBorderColor(kRed);
    const COLORREF shadowC = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);

    e->Style()->SetBorderStyle(xbsNone);
    {
        Picture p(e);
        EXPECT_EQ(kSentinel, p.At(0, 0));
        EXPECT_EQ(kSentinel, p.At(1, 1));
        EXPECT_NE(kSentinel, p.At(2, 2));
    }
    e->Style()->SetBorderStyle(xbsSingle);
    {
        Picture p(e);
        EXPECT_EQ(kSentinel, p.At(0, 0));
        EXPECT_EQ(kRed, p.At(1, 1));
        EXPECT_EQ(kRed, p.At(38, 18));
        EXPECT_NE(kRed, p.At(2, 2));
    }
    e->Style()->SetBorderStyle(xbsThick);
    {
        Picture p(e);
        EXPECT_EQ(kRed, p.At(0, 0)) << "outer frame on the outline";
        EXPECT_EQ(kRed, p.At(1, 1)) << "inner frame";
        EXPECT_EQ(kRed, p.At(39, 19));
        EXPECT_NE(kRed, p.At(2, 2));
    }
    e->Style()->SetBorderStyle(xbs3D);
    {
        Picture p(e);
        EXPECT_EQ(shadowC, p.At(0, 0));
        EXPECT_EQ(light, p.At(39, 19));
        EXPECT_NE(kSentinel, p.At(1, 1));
    }
    e->Style()->SetBorderStyle(xbsFlat);
    {
        Picture p(e);
        EXPECT_EQ(shadowC, p.At(0, 0));
        EXPECT_EQ(light, p.At(39, 19));
    }
    e->Style()->SetBorderStyle(xbsSingle);
    e->Style()->SetEdges(SetOf(edgLeft) | SetOf(edgRight) | SetOf(edgBottom));
    {
        Picture p(e);
        EXPECT_EQ(kRed, p.At(1, 1)) << "without the top edge the sides reach up a border width";
        EXPECT_EQ(kRed, p.At(38, 1));
        EXPECT_EQ(kSentinel, p.At(5, 1)) << "no top line";
        EXPECT_EQ(kRed, p.At(5, 18));
    }
    e->Style()->SetEdges(SetOf(edgLeft) | SetOf(edgTop) | SetOf(edgRight));
    {
        Picture p(e);
        EXPECT_EQ(kRed, p.At(1, 17)) << "without the bottom edge the sides end at the client's bottom";
        EXPECT_EQ(kSentinel, p.At(1, 18));
    }
    e->Style()->SetEdges(AllEdges);
    e->Style()->SetBorderStyle(xbsNone);
    e->Style()->SetShadow(true);
    {
        Picture p(e);
        EXPECT_EQ(shadowC, p.At(37, 10)) << "the shadow is drawn without a border too";
        EXPECT_EQ(kSentinel, p.At(1, 1));
    }
}

TEST_F(EditGeometry, NonClientCalculationNeverGivesANegativeClientSize) {
    StandaloneEdit* e = Add();
    e->SetAutoSize(false);
    e->Handle();
    RECT r = {0, 0, 30, 3};
    e->Perform(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(2, r.left);
    EXPECT_EQ(28, r.right);
    EXPECT_EQ(2, r.top);
    EXPECT_GE(r.bottom, r.top) << "a window lower than the band gets zero height";
    RECT n = {0, 0, 3, 30};
    e->Perform(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&n));
    EXPECT_EQ(n.left, n.right) << "and one narrower gets zero width at its left inset";
}

TEST_F(EditGeometry, BothScrollBarsGetTheirCornerBoxFilled) {
    class Scrolled : public StandaloneEdit {
    public:
        using StandaloneEdit::StandaloneEdit;

    protected:
        void CreateParams(TCreateParams& p) override {
            StandaloneEdit::CreateParams(p);
            p.Style |= WS_HSCROLL | WS_VSCROLL;
        }
    };
    auto* e = Add<Scrolled>();
    e->SetAutoSize(false);
    e->SetBounds(10, 10, 120, 120);
    e->Style()->SetBorderStyle(xbsSingle);
    ShowForm();
    RedrawWindow(e->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    // Inside the 1-pixel border the corner ends at (118, 118).
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), WindowPixel(e->Handle(), 118 - cx / 2, 118 - cy / 2));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), WindowPixel(e->Handle(), 1, 60));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), WindowPixel(e->Handle(), 118, 118 - cy / 2)) << "the box stops at the border";
    EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), WindowPixel(e->Handle(), 118 - cx / 2, 118));
}

}  // namespace
