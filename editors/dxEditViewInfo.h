// What painting needs for one message (the view data, rebuilt every time and freed by
// whoever asked for it) and the geometry that follows from it (the view info).
#pragma once
#include <windows.h>

#include "editors/dxCntner.h"
#include "editors/dxEditLinks.h"
#include "framework/Graphics.h"
#include "framework/Variants.h"

namespace editors {

class TdxEditViewData : public fw::TObject {
public:
    FW_CLASS(TdxEditViewData)
    TColor BorderColor = 0;  // unresolved: system colours are resolved when drawing
    TdxEditBorderStyle BorderStyle = xbsNone;
    TdxEditEdges Edges = 0;
    bool Shadow = false;
    RECT Bounds = {};  // (0, 0, Width, Height) of the control
    TAlignment Alignment = taLeftJustify;
    HBRUSH BrushHandle = nullptr;
    COLORREF BackColor = 0;
    HFONT FontHandle = nullptr;
    COLORREF TextColor = 0;
    bool HasEditWindow = false;
    fw::Variant Value;
    int TextLength = 0;  // filled in by the text painter on first use
    fw::TCursor Cursor = fw::crDefault;
};

// Rectangles in window coordinates: (0, 0) is the top-left corner of the whole window.
struct TdxEditViewInfo {
    int BorderWidth;
    int ShadowWidth;
    RECT Bounds;
    RECT InnerRect;  // the client area
    bool LeftEdge, TopEdge, RightEdge, BottomEdge;
    RECT BorderRect;  // InnerRect widened by BorderWidth on each enabled edge
    RECT ShadowRect;  // BorderRect moved by ShadowWidth; all zero without a shadow
};

// The band around the client area: this much on the left and top, and this much plus the
// shadow on the right and bottom, whatever the border style.
constexpr int EditBandWidth = 2;

}  // namespace editors
