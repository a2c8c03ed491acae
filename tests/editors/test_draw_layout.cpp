// How DrawAlignedText lays text out: alignment on both ways, clipping, ellipses, tabs,
// the background mode kept on request, the focus rectangle around the text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/dxDraw.h"
#include "tests/editors/DrawSurface.h"

namespace {

using namespace editors;
using namespace editors_test;

using DrawTextLayout = TextCell;

// The ink's middle, doubled to stay in whole pixels.
POINT InkMiddle2(const Surface& s) {
    RECT ink;
    s.Count(Black, &ink);
    return {ink.left + ink.right, ink.top + ink.bottom};
}

TEST_F(DrawTextLayout, ExtTextOutWayPutsAFittingTextWhereItsAlignmentSays) {
    const std::string text = "Ab";
    const SIZE e = Extent(text);
    ASSERT_LT(e.cx, 78);
    // Two text rectangles one pixel apart: one of them halves an odd sum each way.
    for (const RECT whole : {RECT{10, 5, 90, 35}, RECT{11, 6, 90, 35}}) {
        struct Case {
            TextPaintFlags flags;
            LONG left, top;  // where tpLeft | tpTop puts the same text
        } cases[] = {
            {tpRight | tpTop, whole.right - e.cx, whole.top},
            {tpCenter | tpTop, (whole.left + whole.right - e.cx) >> 1, whole.top},
            {tpLeft | tpBottom, whole.left, whole.bottom - e.cy},
            {tpRight | tpVCenter, whole.right - e.cx, (whole.top + whole.bottom - e.cy) >> 1},
        };
        for (const Case& c : cases) {
            textRect = whole;
            const auto aligned = Painted(text, c.flags);
            textRect = {c.left, c.top, 90, 35};
            EXPECT_EQ(Painted(text, tpLeft | tpTop), aligned) << c.flags << " in " << whole.left;
        }
    }
}

TEST_F(DrawTextLayout, DrawTextWayAlignsAFittingLineAsTheExtTextOutWayDoes) {
    textRect = {10, 0, 90, 40};
    for (TextPaintFlags horz : {tpLeft, tpCenter, tpRight})
        for (TextPaintFlags vert : {tpTop, tpVCenter, tpBottom}) {
            s.Fill(Green);
            Draw("Ab", horz | vert | tpTransparent);
            const POINT viaExtTextOut = InkMiddle2(s);
            s.Fill(Green);
            Draw("Ab", horz | vert | tpTransparent | tpPrefix);  // no "&": the same glyphs
            const POINT viaDrawText = InkMiddle2(s);
            EXPECT_NEAR(viaExtTextOut.x, viaDrawText.x, 2) << horz << "," << vert;
            EXPECT_NEAR(viaExtTextOut.y, viaDrawText.y, 2) << horz << "," << vert;
        }
}

TEST_F(DrawTextLayout, DrawTextWayClipsToTextRectOnlyWhenTheTextDoesNotFit) {
    textRect = {10, 5, 90, 9};  // four pixels high: the glyphs reach further down
    RECT ink;
    Draw("Ab\ncd", tpTop | tpEndEllipsis);  // fits, takes DrawTextA: no clipping
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_GT(ink.bottom, 9);
    s.Fill(Green);  // a prefix text counts as not fitting: clipped
    Draw("Ab", tpTop | tpPrefix);
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_LE(ink.bottom, 9);
}

TEST_F(DrawTextLayout, EllipsisFlagsShortenAnOverflowingText) {
    const std::string path = "C:\\Program Files\\Corvane\\settings\\last.ini";
    ASSERT_GT(Extent(path).cx, 80);
    const auto clipped = Painted(path, tpPrefix);  // no ellipsis
    const auto endEllipsis = Painted(path, tpEndEllipsis);
    const auto pathEllipsis = Painted(path, tpPathEllipsis);
    EXPECT_NE(clipped, endEllipsis);
    EXPECT_NE(clipped, pathEllipsis);
    EXPECT_NE(endEllipsis, pathEllipsis);
}

TEST_F(DrawTextLayout, DrawTextWayExpandsTabs) {
    TEXTMETRICA tm;
    SelectObject(s.dc, font);
    GetTextMetricsA(s.dc, &tm);
    RECT ink;
    Draw("a\tb", tpPrefix);
    ASSERT_GT(s.Count(Black, &ink), 0);
    EXPECT_GE(ink.right, 10 + 8 * tm.tmAveCharWidth);  // "b" at the first tab stop
}

TEST_F(DrawTextLayout, KeepBkModeLeavesAnOpaqueModeToPaintTheTextBackground) {
    SetBkMode(s.dc, OPAQUE);
    for (TextPaintFlags way : {tpPrefix, tpTransparent, tpTransparent | tpPrefix}) {
        s.Fill(Green);
        Draw("Ab", way);
        EXPECT_EQ(0, s.Count(Blue)) << way;  // switched to transparent for the text
        s.Fill(Green);
        Draw("Ab", way | tpKeepBkMode);
        EXPECT_GT(s.Count(Blue), 0) << way;  // the glyph cells painted in BkColor
        EXPECT_EQ(OPAQUE, GetBkMode(s.dc)) << way;
    }
}

TEST_F(DrawTextLayout, FocusRectangleAroundTextOnTheDrawTextWayIsOneLineHighAroundTheInk) {
    Draw("Ab", tpCenter | tpVCenter | tpTransparent | tpPrefix | tpFocusRect | tpFocusAroundText);
    RECT ink, focus;
    ASSERT_GT(s.Count(Black, &ink), 0);
    ASSERT_GT(s.Count(RGB(255, 0, 255), &focus), 0);
    const SIZE e = Extent("Ab");
    EXPECT_LE(focus.bottom - focus.top, e.cy + 2);
    EXPECT_LE(focus.top, ink.top);
    EXPECT_GE(focus.bottom, ink.bottom);
}

}  // namespace
