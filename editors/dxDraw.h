// Drawing primitives of the edit controls: one string painted or measured in a cell, the
// shadow strips of a frame, and the shared shadow and checkerboard brushes. All text is
// 8-bit (the ANSI forms of the GDI calls).
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

#include "framework/Units.h"

namespace editors {

// The flag word of DrawAlignedText.
using TextPaintFlags = std::uint32_t;
// Horizontal alignment (field 0x0003).
constexpr TextPaintFlags tpLeft = 0x0000, tpCenter = 0x0001, tpRight = 0x0002, tpHorzMask = 0x0003;
// Vertical layout (field 0x001C): one line at the top, centred or at the bottom, or
// word-wrapped lines from the top.
constexpr TextPaintFlags tpTop = 0x0000, tpVCenter = 0x0004, tpBottom = 0x0008, tpWordBreak = 0x0010,
                         tpVertMask = 0x001C;
constexpr TextPaintFlags tpEndEllipsis = 0x0100;      // text that does not fit ends in "..."
constexpr TextPaintFlags tpPathEllipsis = 0x0200;     // shortened in the middle, as a path
constexpr TextPaintFlags tpFocusRect = 0x0400;        // a focus rectangle after the text
constexpr TextPaintFlags tpFocusAroundText = 0x0800;  // ... around the laid-out text only
constexpr TextPaintFlags tpTransparent = 0x1000;      // no background fill at all
constexpr TextPaintFlags tpPrefix = 0x2000;           // "&" marks an accelerator
constexpr TextPaintFlags tpMeasure = 0x4000;          // measure only, paint nothing
constexpr TextPaintFlags tpKeepBkMode = 0x8000;       // leave the background mode alone

// Paints Text (Count characters of it, clamped to 0..its length) into TextRect inside
// Bounds, or only measures it. Font, BkColor and TextColor are selected for the call;
// the DC's font, colours and background mode are as before on return. In measure mode
// Height (when given) receives the text's one-line height and the result is the height
// that Bounds needs; otherwise the result is 0.
int DrawAlignedText(HDC DC, const std::string& Text, int Count, const RECT& Bounds, const RECT& TextRect,
                    TextPaintFlags Flags, HBRUSH Brush, HFONT Font, COLORREF BkColor, COLORREF TextColor,
                    int* Height = nullptr);

// Fills with Brush the bottom strip of Rect, Width high, then its right strip, Width wide.
void FillShadow(HDC DC, const RECT& Rect, int Width, HBRUSH Brush);

// The brush for edit shadows: made and deleted by the style unit (dxCntner); 0 until then.
extern HBRUSH ShadowBrush;
// An 8 by 8 checkerboard pattern brush (pixel 0, 0 black), made at this unit's start-up.
extern HBRUSH CheckerboardBrush;

fw::TUnit& dxDrawUnit();

}  // namespace editors
