#include "editors/dxDraw.h"

#include <algorithm>

namespace editors {

HBRUSH ShadowBrush = nullptr;
HBRUSH CheckerboardBrush = nullptr;

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// DT_ format of the DrawTextA way.
UINT DrawTextFormat(TextPaintFlags flags, bool fits) {
    static const UINT horz[] = {DT_LEFT, DT_CENTER, DT_RIGHT, DT_LEFT};
    UINT format = horz[flags & tpHorzMask] | DT_EXPANDTABS;
    if (fits) format |= DT_NOCLIP;
    if (!(flags & tpPrefix)) format |= DT_NOPREFIX;
    if (flags & tpEndEllipsis) format |= DT_END_ELLIPSIS;
    if (flags & tpPathEllipsis) format |= DT_PATH_ELLIPSIS;
    switch (flags & tpVertMask) {
        case tpVCenter: format |= DT_SINGLELINE | DT_VCENTER; break;
        case tpBottom: format |= DT_SINGLELINE | DT_BOTTOM; break;
        case tpWordBreak: format |= DT_WORDBREAK; break;
        default: format |= DT_SINGLELINE; break;
    }
    return format;
}

}  // namespace

int DrawAlignedText(HDC DC, const std::string& Text, int Count, const RECT& Bounds, const RECT& TextRect,
                    TextPaintFlags Flags, HBRUSH Brush, HFONT Font, COLORREF BkColor, COLORREF TextColor,
                    int* Height) {
    const int length = static_cast<int>(Text.size());
    Count = std::clamp(Count, 0, length);
    const bool measure = (Flags & tpMeasure) != 0;
    const bool transparent = (Flags & tpTransparent) != 0;
    const bool keepBkMode = (Flags & tpKeepBkMode) != 0;
    const bool wordBreak = (Flags & tpVertMask) == tpWordBreak;

    HGDIOBJ oldFont = SelectObject(DC, Font);
    COLORREF oldBkColor = SetBkColor(DC, BkColor);
    COLORREF oldTextColor = SetTextColor(DC, TextColor);
    auto putBack = [&] {
        SetTextColor(DC, oldTextColor);
        SetBkColor(DC, oldBkColor);
        SelectObject(DC, oldFont);
    };

    SIZE extent = {0, 0};
    GetTextExtentPoint32A(DC, Text.c_str(), length, &extent);
    const int W = extent.cx, H = extent.cy;
    if (measure && Height) {
        *Height = H;
        if (H == 0) {
            putBack();
            return 0;
        }
    }

    bool fits, useDrawText;
    if ((Flags & tpPrefix) || wordBreak) {
        fits = false;
        useDrawText = true;
    } else {
        fits = !(Width(TextRect) < W);
        const bool lineBreak = Text.find_first_of("\r\n") != std::string::npos;
        useDrawText = (!fits || lineBreak) && (Flags & (tpEndEllipsis | tpPathEllipsis)) != 0;
    }

    RECT R = TextRect;
    int textHeight = H;
    if (useDrawText) {
        const UINT format = DrawTextFormat(Flags, fits);
        if (measure) {
            textHeight = DrawTextA(DC, Text.c_str(), Count, &R, format | DT_CALCRECT);
        } else {
            if (!transparent) FillRect(DC, &Bounds, Brush);
            int oldMode = 0;
            if (!keepBkMode) oldMode = SetBkMode(DC, TRANSPARENT);
            DrawTextA(DC, Text.c_str(), Count, &R, format);
            if (!keepBkMode) SetBkMode(DC, oldMode);
            if ((Flags & tpFocusRect) && (Flags & tpFocusAroundText)) {
                DrawTextA(DC, Text.c_str(), Count, &R, format | DT_CALCRECT);
                if (!wordBreak) R.top = R.bottom - H;
            }
        }
    } else {
        RECT C = Bounds;
        if (!fits) {
            if (!transparent && !measure) {
                RECT strip = {TextRect.right, C.top, C.right, C.bottom};
                FillRect(DC, &strip, Brush);
            }
            C.right = TextRect.right;
        } else {
            switch (Flags & tpHorzMask) {
                case tpCenter: R.left = (R.left + R.right - W) >> 1; break;
                case tpRight: R.left = R.right - W; break;
                default: break;
            }
            R.right = R.left + W;
        }
        switch (Flags & tpVertMask) {
            case tpVCenter:
                R.top = (R.top + R.bottom - H) >> 1;
                R.bottom = R.top + H;
                break;
            case tpBottom: R.top = R.bottom - H; break;
            default: break;
        }
        if (!measure) {
            if (transparent) {
                int oldMode = 0;
                if (!keepBkMode) oldMode = SetBkMode(DC, TRANSPARENT);
                ExtTextOutA(DC, R.left, R.top, ETO_CLIPPED, &C, Text.c_str(), static_cast<UINT>(Count), nullptr);
                if (!keepBkMode) SetBkMode(DC, oldMode);
            } else {
                ExtTextOutA(DC, R.left, R.top, ETO_CLIPPED | ETO_OPAQUE, &C, Text.c_str(), static_cast<UINT>(Count),
                            nullptr);
            }
        }
    }

    int result = 0;
    if (measure) {
        result = editors::Height(Bounds) - editors::Height(TextRect) + textHeight;
    } else if (Flags & tpFocusRect) {
        if (!(Flags & tpFocusAroundText)) R = TextRect;
        if (Count > 0 || !(Flags & tpFocusAroundText)) {
            InflateRect(&R, 1, 1);
            SetBkColor(DC, 0x000000);
            SetTextColor(DC, 0xFFFFFF);
            DrawFocusRect(DC, &R);
        }
    }
    putBack();
    return result;
}

void FillShadow(HDC DC, const RECT& Rect, int Width, HBRUSH Brush) {
    RECT bottom = {Rect.left, Rect.bottom - Width, Rect.right, Rect.bottom};
    FillRect(DC, &bottom, Brush);
    RECT right = {Rect.right - Width, Rect.top, Rect.right, Rect.bottom};
    FillRect(DC, &right, Brush);
}

namespace {

HBRUSH MakeCheckerboardBrush() {
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 8, 8};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x + y) % 2 == 0) SetPixel(dc, x, y, RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    HBRUSH brush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    return brush;
}

}  // namespace

fw::TUnit& dxDrawUnit() {
    static fw::TUnit unit(
        "dxDraw", [] { CheckerboardBrush = MakeCheckerboardBrush(); },
        [] {
            if (CheckerboardBrush) DeleteObject(CheckerboardBrush);
            CheckerboardBrush = nullptr;
        });
    return unit;
}

}  // namespace editors
