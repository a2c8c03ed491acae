// A memory surface, and a text cell on it: red Brush, blue BkColor, black text over green.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "editors/dxDraw.h"

namespace editors_test {

constexpr COLORREF Green = RGB(0, 255, 0);  // the surface before drawing
constexpr COLORREF Red = RGB(255, 0, 0);    // Brush
constexpr COLORREF Blue = RGB(0, 0, 255);   // BkColor
constexpr COLORREF Black = RGB(0, 0, 0);    // TextColor

// A 32-bit top-down DIB section selected into a memory DC.
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
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

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
    // Counts pixels of colour c (or passing a test), and their bounding box.
    int Count(COLORREF c, RECT* box = nullptr) const { return CountIf([c](COLORREF p) { return p == c; }, box); }
    template <class Pred>
    int CountIf(Pred pred, RECT* box = nullptr) const {
        int n = 0;
        RECT b = {w_, h_, -1, -1};
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (pred(At(x, y))) {
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

// Bounds (0, 0, 100, 40) with TextRect (10, 5, 90, 35) inside, in the default GUI font.
class TextCell : public ::testing::Test {
protected:
    TextCell() : s(100, 40) {
        brush = CreateSolidBrush(Red);
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    ~TextCell() override { DeleteObject(brush); }

    int Draw(const std::string& text, editors::TextPaintFlags flags, int* height = nullptr, int count = -2) {
        return editors::DrawAlignedText(s.dc, text, count == -2 ? static_cast<int>(text.size()) : count, bounds,
                                        textRect, flags, brush, font, Blue, Black, height);
    }
    // The pixels of the text drawn on a fresh surface.
    std::vector<std::uint32_t> Painted(const std::string& text, editors::TextPaintFlags flags, int count = -2) {
        s.Fill(Green);
        Draw(text, flags, nullptr, count);
        return s.Pixels();
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

}  // namespace editors_test
