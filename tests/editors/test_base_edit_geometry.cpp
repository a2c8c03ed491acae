// The base edit's look: band, border and shadow geometry, window region, client rectangle,
// hot tracking, disabled colours and the border pixels of each style.
#include <gtest/gtest.h>

#include <memory>
#include <string>

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

std::string S(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

// The window region as a test of points; false everywhere when the window has none.
struct Region {
    explicit Region(HWND wnd) : rgn(CreateRectRgn(0, 0, 0, 0)) { has = GetWindowRgn(wnd, rgn) != ERROR; }
    ~Region() { DeleteObject(rgn); }
    bool In(int x, int y) const { return has && PtInRegion(rgn, x, y); }
    HRGN rgn;
    bool has = false;
};

// The whole control painted as a paint copy onto a bitmap filled with the sentinel.
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
    EXPECT_EQ(S({2, 2, 159, H - 2}), S(info.InnerRect));
    EXPECT_EQ(S({1, 1, 160, H - 1}), S(info.BorderRect));
    EXPECT_EQ(S({0, 0, 0, 0}), S(info.ShadowRect));

    RECT client;
    GetClientRect(e->Handle(), &client);
    EXPECT_EQ(157, client.right);
    EXPECT_EQ(H - 4, client.bottom);

    Region rgn(e->Handle());
    ASSERT_TRUE(rgn.has);
    for (POINT out : {POINT{0, 0}, POINT{160, 5}, POINT{5, H - 1}}) EXPECT_FALSE(rgn.In(out.x, out.y)) << out.x << "," << out.y;
    EXPECT_TRUE(rgn.In(1, 1));
    EXPECT_TRUE(rgn.In(159, H - 2));

    Picture p(e);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    EXPECT_EQ(frame, p.At(1, 1));
    EXPECT_EQ(frame, p.At(159, H - 2));
    EXPECT_EQ(kSentinel, p.At(0, 0)) << "the outer ring is not drawn";
    EXPECT_EQ(fw::ColorToRGB(e->Color()), p.At(2, 2)) << "client area in the control's colour";

    e->Font.SetHeight(-24);
    harness::PumpMessages(10);
    EXPECT_EQ(FontTextHeight(e->Font.Handle()) + 8, e->Height()) << "auto-size follows a larger font";
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
    EXPECT_EQ(S({2, 2, W - 4, H - 4}), S(info.InnerRect));
    EXPECT_EQ(S({1, 1, W - 3, H - 3}), S(info.BorderRect));
    EXPECT_EQ(S({3, 3, W - 1, H - 1}), S(info.ShadowRect));

    RECT client;
    GetClientRect(e->Handle(), &client);
    EXPECT_EQ(W - 6, client.right);
    EXPECT_EQ(H - 6, client.bottom);

    Region rgn(e->Handle());
    EXPECT_TRUE(rgn.In(W - 2, H - 2)) << "shadow corner";
    EXPECT_FALSE(rgn.In(W - 2, 2)) << "top-right square";
    EXPECT_FALSE(rgn.In(2, H - 2)) << "bottom-left square";

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
    EXPECT_EQ(S({0, 0, e->Width(), e->Height()}), S(info.BorderRect)) << "border is the bounds";

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
    e->Perform(fw::CM_MOUSEENTER);
    EXPECT_FALSE(Region(e->Handle()).has) << "hot: flat band of 2 covers the band";
    e->Perform(fw::CM_MOUSELEAVE);
    EXPECT_TRUE(Region(e->Handle()).has);
    EXPECT_EQ((std::vector<std::string>{"enter", "leave"}), events);

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
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const TdxEditEdges noTop = SetOf(edgLeft) | SetOf(edgRight) | SetOf(edgBottom);
    const TdxEditEdges noBottom = SetOf(edgLeft) | SetOf(edgTop) | SetOf(edgRight);
    struct Pixel {
        int x, y;
        COLORREF c;
    };
    const struct {
        TdxEditBorderStyle style;
        TdxEditEdges edges;
        bool shadow;
        std::vector<Pixel> pixels;
        const char* what;
    } cases[] = {
        {xbsNone, AllEdges, false, {{0, 0, kSentinel}, {1, 1, kSentinel}}, "none"},
        {xbsSingle, AllEdges, false, {{0, 0, kSentinel}, {1, 1, kRed}, {38, 18, kRed}}, "single"},
        {xbsThick, AllEdges, false, {{0, 0, kRed}, {1, 1, kRed}, {39, 19, kRed}}, "thick: two frames"},
        {xbs3D, AllEdges, false, {{0, 0, dark}, {39, 19, light}}, "3D"},
        {xbsFlat, AllEdges, false, {{0, 0, dark}, {39, 19, light}}, "flat"},
        {xbsSingle, noTop, false, {{1, 1, kRed}, {38, 1, kRed}, {5, 1, kSentinel}, {5, 18, kRed}}, "no top: sides reach up"},
        {xbsSingle, noBottom, false, {{1, 17, kRed}, {1, 18, kSentinel}}, "no bottom: sides end at the client"},
        {xbsNone, AllEdges, true, {{37, 10, dark}, {1, 1, kSentinel}}, "shadow without border"},
    };
    for (const auto& c : cases) {
        e->Style()->SetBorderStyle(c.style);
        e->Style()->SetEdges(c.edges);
        e->Style()->SetShadow(c.shadow);
        Picture p(e);
        for (const Pixel& px : c.pixels) EXPECT_EQ(px.c, p.At(px.x, px.y)) << c.what << " at " << px.x << "," << px.y;
        EXPECT_NE(kSentinel, p.At(2, 2)) << c.what;
        if (!c.shadow) {
            EXPECT_NE(kRed, p.At(2, 2)) << c.what;
        }
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
