// The drawing primitives on a memory DC: which way DrawAlignedText takes (told apart by
// the fill: Brush for the DrawTextA way and the overflow strip, BkColor for the opaque
// ExtTextOutA way), measuring, the focus rectangle, the DC left as it was, the shadow
// strips and the checkerboard pattern.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editors/dxDraw.h"

namespace {

using namespace editors;

constexpr COLORREF Green = RGB(0, 255, 0);   // the surface before drawing
constexpr COLORREF Red = RGB(255, 0, 0);     // Brush
constexpr COLORREF Blue = RGB(0, 0, 255);    // BkColor
constexpr COLORREF Black = RGB(0, 0, 0);     // TextColor

// A 32-bit top-down memory surface.
class Surface {
public:
    Surface(int w, int h) : w_(w), h_(h) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bmp_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        dc = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc, bmp_);
        Fill(Green);
    }
    ~Surface() {
        SelectObject(dc, old_);
        DeleteDC(dc);
        DeleteObject(bmp_);
    }
    void Fill(COLORREF c) {
        GdiFlush();
        for (int i = 0; i < w_ * h_; ++i) bits_[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        std::uint32_t p = bits_[y * w_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    std::vector<std::uint32_t> Pixels() const {
        GdiFlush();
        return std::vector<std::uint32_t>(bits_, bits_ + w_ * h_);
    }
    // Counts pixels of colour c, and their bounding box.
    int Count(COLORREF c, RECT* box = nullptr) const {
        int n = 0;
        RECT b = {w_, h_, -1, -1};
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (At(x, y) == c) {
                    ++n;
                    b.left = std::min<LONG>(b.left, x);
                    b.top = std::min<LONG>(b.top, y);
                    b.right = std::max<LONG>(b.right, x + 1);
                    b.bottom = std::max<LONG>(b.bottom, y + 1);
                }
        if (box) *box = b;
        return n;
    }
    HDC dc;

private:
    int w_, h_;
    HBITMAP bmp_;
    HGDIOBJ old_;
    std::uint32_t* bits_ = nullptr;
};

class DrawAlignedTextTest : public ::testing::Test {
protected:
    DrawAlignedTextTest() : s(100, 40) {
        brush = CreateSolidBrush(Red);
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    ~DrawAlignedTextTest() override { DeleteObject(brush); }

    int Draw(const std::string& text, TextPaintFlags flags, int* height = nullptr, int count = -2) {
        return DrawAlignedText(s.dc, text, count == -2 ? static_cast<int>(text.size()) : count, bounds, textRect,
                               flags, brush, font, Blue, Black, height);
    }
    SIZE Extent(const std::string& text) {
        HGDIOBJ old = SelectObject(s.dc, font);
        SIZE size;
        GetTextExtentPoint32A(s.dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(s.dc, old);
        return size;
    }

    Surface s;
    HBRUSH brush;
    HFONT font;
    RECT bounds = {0, 0, 100, 40};
    RECT textRect = {10, 5, 90, 35};
    const std::string longText = "The quick brown fox jumps over";
};

TEST_F(DrawAlignedTextTest, FittingTextIsCentredByExtTextOutOverBkColorWithoutBrush) {
    const std::string text = "Ab";
    EXPECT_EQ(0, Draw(text, tpCenter | tpVCenter));
    EXPECT_EQ(Blue, s.At(0, 0));
    EXPECT_EQ(Blue, s.At(99, 39));
    EXPECT_EQ(0, s.Count(Red));
    EXPECT_EQ(0, s.Count(Green));
    RECT ink;
    ASSERT_GT(s.Count(Black, &ink), 0);
    const SIZE e = Extent(text);
    const int left = (10 + 90 - e.cx) / 2, top = (5 + 35 - e.cy) / 2;
    EXPECT_GE(ink.left, left);
    EXPECT_LE(ink.right, left + e.cx);
    EXPECT_GE(ink.top, top);
    EXPECT_LE(ink.bottom, top + e.cy);
}

TEST_F(DrawAlignedTextTest, OverflowingTextStartsAtTheLeftIsClippedAndLeavesTheStripToBrush) {
    ASSERT_GT(Extent(longText).cx, 80);
    Draw(longText, tpRight | tpBottom);
    for (int y = 0; y < 40; ++y) EXPECT_EQ(Red, s.At(95, y)) << y;
    EXPECT_EQ(Blue, s.At(0, 0));
    EXPECT_EQ(0, s.Count(Green));
    RECT ink;
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_LT(ink.left, 14);   // from TextRect's left whatever the alignment
    EXPECT_LE(ink.right, 90);  // nothing past TextRect's right
    EXPECT_GE(ink.top, 35 - Extent(longText).cy);
}

TEST_F(DrawAlignedTextTest, EllipsisOrPrefixTakesDrawTextOverBrushWithClipping) {
    Draw(longText, tpEndEllipsis);
    EXPECT_EQ(Red, s.At(0, 0));
    EXPECT_EQ(Red, s.At(99, 39));
    EXPECT_EQ(0, s.Count(Blue));
    RECT ink;
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_LE(ink.right, 90);

    // "&" marks an accelerator: the ink is no wider than the text without it.
    s.Fill(Green);
    Draw("&Save", tpPrefix);
    EXPECT_EQ(Red, s.At(0, 0));
    EXPECT_EQ(0, s.Count(Blue));
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_LE(ink.right - ink.left, Extent("Save").cx);

    // With a prefix the text counts as not fitting: clipping is on.
    s.Fill(Green);
    textRect = {10, 5, 30, 35};
    Draw(longText, tpPrefix);
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_LE(ink.right, 30);
}

TEST_F(DrawAlignedTextTest, LineBreakWithoutEllipsisIsDrawnOnOneLineByExtTextOut) {
    const std::string text = "ab\ncd";
    ASSERT_LT(Extent(text).cx, 80);
    Draw(text, tpLeft | tpTop);
    EXPECT_EQ(Blue, s.At(0, 0));
    EXPECT_EQ(0, s.Count(Red));
    RECT ink;
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_LE(ink.bottom, 5 + Extent("ab").cy);

    // With an ellipsis flag the line break sends it to DrawTextA.
    s.Fill(Green);
    Draw(text, tpLeft | tpTop | tpEndEllipsis);
    EXPECT_EQ(Red, s.At(0, 0));
}

TEST_F(DrawAlignedTextTest, TransparentModeFillsNothing) {
    Draw("Ab", tpCenter | tpTransparent);
    Draw(longText, tpTransparent);
    Draw(longText, tpTransparent | tpEndEllipsis);
    EXPECT_EQ(0, s.Count(Red));
    EXPECT_EQ(0, s.Count(Blue));
    EXPECT_GT(s.Count(Black), 0);
}

TEST_F(DrawAlignedTextTest, MeasureModePaintsNothingAndAddsTheCellMarginToTheTextHeight) {
    const int H = Extent("Ab").cy;
    int height = -1;
    EXPECT_EQ(40 - 30 + H, Draw("Ab", tpMeasure | tpVCenter, &height));
    EXPECT_EQ(H, height);
    EXPECT_EQ(40 - 30 + H, Draw(longText, tpMeasure | tpFocusRect));

    // Word-wrapped: DrawTextA's height of several lines; Height still gets one line.
    textRect = {10, 5, 40, 35};
    height = -1;
    const int needed = Draw(longText, tpMeasure | tpWordBreak | tpFocusRect | tpFocusAroundText, &height);
    EXPECT_EQ(H, height);
    EXPECT_GE(needed, 40 - 30 + 2 * H);
    EXPECT_EQ(0, (needed - 10) % H);

    // An empty text measures 0 at once.
    height = -1;
    EXPECT_EQ(0, Draw("", tpMeasure, &height));
    EXPECT_EQ(0, height);
    EXPECT_EQ(100 * 40, s.Count(Green));
}

TEST_F(DrawAlignedTextTest, FocusRectangleSurroundsTextRectOrTheTextWhenThereIsSome) {
    // Around the text but nothing to draw: no rectangle.
    Draw("Ab", tpTransparent | tpFocusRect | tpFocusAroundText, nullptr, 0);
    EXPECT_EQ(100 * 40, s.Count(Green));

    // Around TextRect grown by 1, even with nothing to draw.
    Draw("Ab", tpTransparent | tpFocusRect, nullptr, 0);
    RECT changed = {100, 40, -1, -1};
    int n = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            if (s.At(x, y) != Green) {
                ++n;
                changed.left = std::min<LONG>(changed.left, x);
                changed.top = std::min<LONG>(changed.top, y);
                changed.right = std::max<LONG>(changed.right, x + 1);
                changed.bottom = std::max<LONG>(changed.bottom, y + 1);
            }
    EXPECT_GT(n, 0);
    EXPECT_EQ(9, changed.left);
    EXPECT_EQ(4, changed.top);
    EXPECT_EQ(91, changed.right);
    EXPECT_EQ(36, changed.bottom);
    EXPECT_EQ(Green, s.At(50, 20));  // only the outline

    // Around the laid-out text: inside TextRect, not on its outline.
    s.Fill(Green);
    Draw("Ab", tpCenter | tpVCenter | tpTransparent | tpFocusRect | tpFocusAroundText);
    EXPECT_EQ(Green, s.At(9, 4));
    EXPECT_EQ(Green, s.At(90, 35));
    EXPECT_EQ(Green, s.At(50, 4));
}

TEST_F(DrawAlignedTextTest, EveryReturnPutsBackFontColoursAndBackgroundMode) {
    HGDIOBJ font0 = SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    (void)font0;
    SetBkColor(s.dc, RGB(1, 2, 3));
    SetTextColor(s.dc, RGB(4, 5, 6));
    SetBkMode(s.dc, OPAQUE);
    HGDIOBJ font = GetCurrentObject(s.dc, OBJ_FONT);
    const std::vector<std::pair<std::string, TextPaintFlags>> calls = {
        {"Ab", tpCenter | tpVCenter},
        {longText, 0},
        {longText, tpTransparent},
        {longText, tpEndEllipsis | tpFocusRect},
        {longText, tpWordBreak | tpFocusRect | tpFocusAroundText},
        {"&Save", tpPrefix | tpKeepBkMode},
        {"Ab", tpMeasure},
        {longText, tpMeasure | tpPathEllipsis},
        {"", tpMeasure},  // the early return
        {"Ab", tpFocusRect | tpTransparent},
    };
    for (const auto& [text, flags] : calls) {
        int height = 0;
        Draw(text, flags, &height);
        EXPECT_EQ(font, GetCurrentObject(s.dc, OBJ_FONT)) << flags;
        EXPECT_EQ(RGB(1, 2, 3), GetBkColor(s.dc)) << flags;
        EXPECT_EQ(RGB(4, 5, 6), GetTextColor(s.dc)) << flags;
        EXPECT_EQ(OPAQUE, GetBkMode(s.dc)) << flags;
    }
}

TEST_F(DrawAlignedTextTest, CountIsClampedToTheText) {
    const std::string text = "Ab";
    // DrawTextA would take -1 as "up to the terminator": clamped, nothing is drawn.
    Draw(text, tpPrefix, nullptr, 0);
    const auto none = s.Pixels();
    s.Fill(Green);
    Draw(text, tpPrefix, nullptr, -1);
    EXPECT_EQ(none, s.Pixels());

    s.Fill(Green);
    Draw(text, tpPrefix);
    const auto whole = s.Pixels();
    s.Fill(Green);
    Draw(text, tpPrefix, nullptr, 1000);
    EXPECT_EQ(whole, s.Pixels());

    s.Fill(Green);
    Draw(text, tpLeft);
    const auto wholeExt = s.Pixels();
    s.Fill(Green);
    Draw(text, tpLeft, nullptr, 1000);
    EXPECT_EQ(wholeExt, s.Pixels());
}

TEST(FillShadow, FillsTheBottomAndRightStrips) {
    Surface s(12, 12);
    HBRUSH brush = CreateSolidBrush(Red);
    FillShadow(s.dc, RECT{0, 0, 10, 10}, 2, brush);
    DeleteObject(brush);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool strip = (y >= 8 && y < 10 && x < 10) || (x >= 8 && x < 10 && y < 10);
            EXPECT_EQ(strip ? Red : Green, s.At(x, y)) << x << "," << y;
        }
}

TEST(CheckerboardBrush, IsMadeAtStartUpWithRows55AndAAAndDeletedAtShutDown) {
    EXPECT_EQ(nullptr, CheckerboardBrush);
    dxDrawUnit().Initialize();
    ASSERT_NE(nullptr, CheckerboardBrush);

    // Paint it into a monochrome surface: bit 7 is the leftmost pixel, 1 is white.
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[2];
    } bi = {};
    bi.h.biSize = sizeof bi.h;
    bi.h.biWidth = 8;
    bi.h.biHeight = -8;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = 1;
    bi.colours[1] = {255, 255, 255, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    RECT all = {0, 0, 8, 8};
    FillRect(dc, &all, CheckerboardBrush);
    GdiFlush();
    std::vector<int> rows;
    for (int y = 0; y < 8; ++y) rows.push_back(static_cast<const unsigned char*>(bits)[y * 4]);
    EXPECT_EQ((std::vector<int>{0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA}), rows);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);

    HBRUSH brush = CheckerboardBrush;
    dxDrawUnit().Finalize();
    EXPECT_EQ(nullptr, CheckerboardBrush);
    EXPECT_EQ(0u, GetObjectType(brush));
}

}  // namespace
