// The drawing primitives on a memory DC; DrawAlignedText's ways told apart by the fill
// (Brush: DrawTextA way and overflow strip; BkColor: opaque ExtTextOutA way).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/dxDraw.h"
#include "tests/editors/DrawSurface.h"

namespace {

using namespace editors;
using namespace editors_test;

using DrawAlignedTextTest = TextCell;

TEST_F(DrawAlignedTextTest, TheWayTakenShowsInTheFill) {
    ASSERT_LT(Extent("ab\ncd").cx, 80);
    ASSERT_GT(Extent(longText).cx, 80);
    const struct {
        std::string text;
        TextPaintFlags flags;
        bool red, blue, green;  // which fills remain visible
    } cases[] = {
        {"Ab", tpCenter | tpVCenter, false, true, false},          // fits: ExtTextOutA over BkColor
        {"Ab", tpEndEllipsis, false, true, false},                 // a fitting line ignores ellipses
        {"Ab", tpPathEllipsis, false, true, false},
        {"ab\ncd", tpLeft | tpTop, false, true, false},            // a line break alone: still ExtTextOutA
        {longText, tpRight | tpBottom, true, true, false},         // overflow: the strip to Brush
        {longText, tpEndEllipsis, true, false, false},             // DrawTextA over Brush
        {"&Save", tpPrefix, true, false, false},
        {"ab\ncd", tpLeft | tpTop | tpEndEllipsis, true, false, false},
        {"Ab", tpCenter | tpTransparent, false, false, true},      // transparent: no fill at all
        {longText, tpTransparent, false, false, true},
        {longText, tpTransparent | tpEndEllipsis, false, false, true},
    };
    for (const auto& c : cases) {
        s.Fill(Green);
        Draw(c.text, c.flags);
        EXPECT_EQ(c.red, s.Count(Red) > 0) << c.text << " " << c.flags;
        EXPECT_EQ(c.blue, s.Count(Blue) > 0) << c.text << " " << c.flags;
        EXPECT_EQ(c.green, s.Count(Green) > 0) << c.text << " " << c.flags;
        EXPECT_GT(s.Count(Black), 0) << c.text << " " << c.flags;
    }
}

TEST_F(DrawAlignedTextTest, InkLiesWhereTheWayPutsIt) {
    RECT ink;
    const SIZE e = Extent("Ab");
    EXPECT_EQ(0, Draw("Ab", tpCenter | tpVCenter));
    ASSERT_GT(s.Count(Black, &ink), 0);
    const int left = (10 + 90 - e.cx) / 2, top = (5 + 35 - e.cy) / 2;
    EXPECT_GE(ink.left, left);
    EXPECT_LE(ink.right, left + e.cx);
    EXPECT_GE(ink.top, top);
    EXPECT_LE(ink.bottom, top + e.cy);

    // Overflowing: from TextRect's left whatever the alignment, clipped at its right.
    s.Fill(Green);
    Draw(longText, tpRight | tpBottom);
    for (int y = 0; y < 40; ++y) EXPECT_EQ(Red, s.At(95, y)) << y;
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_LT(ink.left, 14);
    EXPECT_LE(ink.right, 90);
    EXPECT_GE(ink.top, 35 - Extent(longText).cy);

    s.Fill(Green);
    Draw(longText, tpEndEllipsis);
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_LE(ink.right, 90);

    s.Fill(Green);  // "&" marks an accelerator: no wider than the text without it
    Draw("&Save", tpPrefix);
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_LE(ink.right - ink.left, Extent("Save").cx);

    s.Fill(Green);  // a line break without ellipsis: one line
    Draw("ab\ncd", tpLeft | tpTop);
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_LE(ink.bottom, 5 + Extent("ab").cy);
}

TEST_F(DrawAlignedTextTest, MeasureModePaintsNothingAndAddsTheCellMarginToTheTextHeight) {
    const int H = Extent("Ab").cy;
    int height = -1;
    EXPECT_EQ(40 - 30 + H, Draw("Ab", tpMeasure | tpVCenter, &height));
    EXPECT_EQ(H, height);
    EXPECT_EQ(40 - 30 + H, Draw(longText, tpMeasure | tpFocusRect));

    // Word-wrapped: several lines' height; Height still gets one line.
    textRect = {10, 5, 40, 35};
    height = -1;
    const int needed = Draw(longText, tpMeasure | tpWordBreak | tpFocusRect | tpFocusAroundText, &height);
    EXPECT_EQ(H, height);
    EXPECT_GE(needed, 40 - 30 + 2 * H);
    EXPECT_EQ(0, (needed - 10) % H);

    height = -1;  // an empty text measures 0 at once
    EXPECT_EQ(0, Draw("", tpMeasure, &height));
    EXPECT_EQ(0, height);
    EXPECT_EQ(100 * 40, s.Count(Green));
}

TEST_F(DrawAlignedTextTest, FocusRectangleSurroundsTextRectOrTheTextWhenThereIsSome) {
    // Around the text but nothing to draw: no rectangle.
    Draw("Ab", tpTransparent | tpFocusRect | tpFocusAroundText, nullptr, 0);
    EXPECT_EQ(100 * 40, s.Count(Green));

    // Around TextRect grown by 1, even with nothing to draw: only the outline.
    Draw("Ab", tpTransparent | tpFocusRect, nullptr, 0);
    RECT changed;
    EXPECT_GT(s.CountIf([](COLORREF c) { return c != Green; }, &changed), 0);
    EXPECT_EQ((std::vector<LONG>{9, 4, 91, 36}),
              (std::vector<LONG>{changed.left, changed.top, changed.right, changed.bottom}));
    EXPECT_EQ(Green, s.At(50, 20));

    // Around the laid-out text: inside TextRect, not on its outline.
    s.Fill(Green);
    Draw("Ab", tpCenter | tpVCenter | tpTransparent | tpFocusRect | tpFocusAroundText);
    EXPECT_EQ(Green, s.At(9, 4));
    EXPECT_EQ(Green, s.At(90, 35));
    EXPECT_EQ(Green, s.At(50, 4));
}

TEST_F(DrawAlignedTextTest, EveryReturnPutsBackFontColoursAndBackgroundMode) {
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
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
    // DrawTextA would take -1 as "up to the terminator": clamped, nothing is drawn.
    EXPECT_EQ(Painted("Ab", tpPrefix, 0), Painted("Ab", tpPrefix, -1));
    EXPECT_EQ(Painted("Ab", tpPrefix, 2), Painted("Ab", tpPrefix, 1000));
    EXPECT_EQ(Painted("Ab", tpLeft, 2), Painted("Ab", tpLeft, 1000));
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

    // Painted into a monochrome surface: bit 7 is the leftmost pixel, 1 is white.
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
    dxDrawUnit().Finalize();  // its deletion: EditorUnitOrder's shut-down test
    EXPECT_EQ(nullptr, CheckerboardBrush);
}

}  // namespace
