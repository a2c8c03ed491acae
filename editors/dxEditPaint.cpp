// The base edit's look: view data built for one message, the geometry of band, border and
// shadow, the window region, border painting, and the non-client and client painting.
#include <memory>

#include "editors/dxDraw.h"
#include "editors/dxInplaceEdit.h"

namespace editors {

namespace {
using ViewDataPtr = std::unique_ptr<TdxEditViewData>;

// Gives a DC taken from a window back however the drawing ends (none taken: nothing to
// give); with Validate, the window is validated first (painting through a borrowed DC
// validates nothing by itself).
struct DCRelease {
    HWND Wnd;
    HDC DC;
    bool Validate = false;
    ~DCRelease() {
        if (!DC) return;
        if (Validate) ValidateRect(Wnd, nullptr);
        ReleaseDC(Wnd, DC);
    }
};

// Hot tracking raises the border one step; xbsThick and xbs3D stay.
TdxEditBorderStyle HotBorderStyle(TdxEditBorderStyle s) {
    switch (s) {
        case xbsNone: return xbsFlat;
        case xbsSingle: return xbsThick;
        case xbsFlat: return xbs3D;
        default: return s;
    }
}

int BorderWidthOf(TdxEditBorderStyle s) {
    switch (s) {
        case xbsNone: return 0;
        case xbsSingle: return 1;
        default: return 2;
    }
}

bool HasEdge(TdxEditEdges edges, TdxEditEdge e) { return (edges & SetOf(e)) != 0; }
}  // namespace

TdxEditViewData* TdxInplaceEdit::CreateViewData(bool FromLink) {
    ViewDataPtr v(GetViewDataClass()());
    v->BorderColor = style_->BorderColor();
    v->BorderStyle = style_->BorderStyle();
    if (IsHot() && style_->HotTrack()) v->BorderStyle = HotBorderStyle(v->BorderStyle);
    v->Edges = style_->Edges();
    v->Shadow = style_->Shadow();
    v->Bounds = RECT{0, 0, Width(), Height()};
    v->FontHandle = Font.Handle();
    if (Enabled()) {
        v->BrushHandle = BrushHandle();
        v->BackColor = fw::ColorToRGB(Color());
        v->TextColor = fw::ColorToRGB(Font.Color());
    } else {
        v->BrushHandle = GetSysColorBrush(COLOR_BTNFACE);
        v->BackColor = GetSysColor(COLOR_BTNFACE);
        v->TextColor = GetSysColor(COLOR_BTNSHADOW);
    }
    v->Alignment = alignment_;
    v->HasEditWindow = HasEditWindow();
    v->TextLength = 0;
    GetEditValue(v->Value, FromLink);
    v->Cursor = Cursor;
    return v.release();
}

void TdxInplaceEdit::InitViewInfo(TdxEditViewData* ViewData, TdxEditViewInfo& ViewInfo) {
    ViewInfo = TdxEditViewInfo{};
    if (ViewData->Shadow) ViewInfo.ShadowWidth = 2;
    ViewInfo.Bounds = ViewData->Bounds;
    const RECT& b = ViewInfo.Bounds;
    int farSide = EditBandWidth + ViewInfo.ShadowWidth;
    ViewInfo.InnerRect = RECT{b.left + EditBandWidth, b.top + EditBandWidth, b.right - farSide, b.bottom - farSide};
    ViewInfo.BorderWidth = BorderWidthOf(ViewData->BorderStyle);
}

void TdxInplaceEdit::CalculateViewInfo(TdxEditViewData* ViewData, bool AutoSize, TdxEditViewInfo& ViewInfo) {
    InitViewInfo(ViewData, ViewInfo);
    if (AutoSize) {
        RECT buttons;
        CalcButtonsRect(ViewData, buttons);
        int h = CalcEditHeight(ViewData);
        ViewInfo.Bounds.bottom = ViewInfo.Bounds.top + h + 2 * EditBandWidth + ViewInfo.ShadowWidth;
        ViewInfo.InnerRect.bottom = ViewInfo.Bounds.top + EditBandWidth + h;
    }
    ViewInfo.LeftEdge = HasEdge(ViewData->Edges, edgLeft);
    ViewInfo.TopEdge = HasEdge(ViewData->Edges, edgTop);
    ViewInfo.RightEdge = HasEdge(ViewData->Edges, edgRight);
    ViewInfo.BottomEdge = HasEdge(ViewData->Edges, edgBottom);
    ViewInfo.BorderRect = ViewInfo.InnerRect;
    ExpandRectByBorder(ViewInfo.BorderRect, ViewInfo);
    if (ViewInfo.ShadowWidth > 0) {
        ViewInfo.ShadowRect = ViewInfo.BorderRect;
        OffsetRect(&ViewInfo.ShadowRect, ViewInfo.ShadowWidth, ViewInfo.ShadowWidth);
    }
}

void TdxInplaceEdit::ExpandRectByBorder(RECT& Rect, const TdxEditViewInfo& ViewInfo) {
    int w = ViewInfo.BorderWidth;
    if (w <= 0) return;
    if (ViewInfo.LeftEdge) Rect.left -= w;
    if (ViewInfo.TopEdge) Rect.top -= w;
    if (ViewInfo.RightEdge) Rect.right += w;
    if (ViewInfo.BottomEdge) Rect.bottom += w;
}

int TdxInplaceEdit::CalcEditHeight(TdxEditViewData* ViewData) {
    int allowance = IsInplace() ? 3 : 2 * (GetSystemMetrics(SM_CYBORDER) + 1);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ViewData->FontHandle);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight + allowance;
}

HRGN TdxInplaceEdit::CreateEditRegion(const TdxEditViewInfo& ViewInfo) {
    // A border of 2 on every side without a shadow covers the whole band.
    if (ViewInfo.ShadowWidth <= 0 && ViewInfo.BorderWidth >= 2 && ViewInfo.LeftEdge && ViewInfo.TopEdge &&
        ViewInfo.RightEdge && ViewInfo.BottomEdge)
        return nullptr;
    const RECT& b = ViewInfo.BorderRect;
    const RECT& s = ViewInfo.ShadowRect;
    HRGN rgn = CreateRectRgn(b.left, b.top, b.right, b.bottom);
    HRGN shadow = CreateRectRgn(s.left, s.top, s.right, s.bottom);
    CombineRgn(rgn, rgn, shadow, RGN_OR);
    DeleteObject(shadow);
    return rgn;
}

void TdxInplaceEdit::DrawBorder(HDC DC, const TdxEditViewInfo& ViewInfo, TdxEditViewData* ViewData) {
    RECT r = ViewInfo.BorderRect;
    int w = ViewInfo.BorderWidth;
    UINT mask = (ViewInfo.LeftEdge ? BF_LEFT : 0) | (ViewInfo.TopEdge ? BF_TOP : 0) |
                (ViewInfo.RightEdge ? BF_RIGHT : 0) | (ViewInfo.BottomEdge ? BF_BOTTOM : 0);
    switch (ViewData->BorderStyle) {
        case xbsNone:
            break;
        case xbsSingle:
        case xbsThick: {
            HBRUSH brush = CreateSolidBrush(fw::ColorToRGB(ViewData->BorderColor));
            if (ViewInfo.LeftEdge && ViewInfo.TopEdge && ViewInfo.RightEdge && ViewInfo.BottomEdge) {
                for (int i = 0; i < w; ++i) {
                    FrameRect(DC, &r, brush);
                    InflateRect(&r, -1, -1);
                }
            } else {
                // Without the top edge the side strips reach up to where it would be.
                int t = ViewInfo.TopEdge ? 0 : w;
                if (ViewInfo.LeftEdge) {
                    RECT s = {r.left, r.top - t, r.left + w, r.bottom};
                    FillRect(DC, &s, brush);
                }
                if (ViewInfo.TopEdge) {
                    RECT s = {r.left, r.top, r.right, r.top + w};
                    FillRect(DC, &s, brush);
                }
                if (ViewInfo.RightEdge) {
                    RECT s = {r.right - w, r.top - t, r.right, r.bottom};
                    FillRect(DC, &s, brush);
                }
                if (ViewInfo.BottomEdge) {
                    RECT s = {r.left, r.bottom - w, r.right, r.bottom};
                    FillRect(DC, &s, brush);
                }
            }
            DeleteObject(brush);
            break;
        }
        case xbsFlat:
            DrawEdge(DC, &r, BDR_SUNKENOUTER, mask | BF_ADJUST);
            DrawEdge(DC, &r, BDR_SUNKENINNER, mask | BF_FLAT);
            break;
        case xbs3D:
            DrawEdge(DC, &r, EDGE_SUNKEN, mask);
            break;
    }
    if (ViewData->Shadow) FillShadow(DC, ViewInfo.ShadowRect, ViewInfo.ShadowWidth, ShadowBrush);
}

bool TdxInplaceEdit::DrawBackground(HDC DC, const RECT& Rect, bool, TdxEditViewData* ViewData) {
    FillRect(DC, &Rect, ViewData->BrushHandle);
    return true;
}

void TdxInplaceEdit::PaintEdit(HDC DC, TdxEditViewData* ViewData) {
    TdxEditViewInfo info;
    CalculateViewInfo(ViewData, false, info);
    DrawBorder(DC, info, ViewData);
    DrawBackground(DC, info.InnerRect, false, ViewData);
}

fw::TCursor TdxInplaceEdit::GetEditCursor(int, int, TdxEditViewData* ViewData) {
    if (ViewData->Cursor != fw::crDefault) return ViewData->Cursor;
    return ViewData->HasEditWindow ? fw::crDefault : fw::crArrow;
}

void TdxInplaceEdit::UpdateEditRegion() {
    // The size change below comes back as WM_SIZE, which asks for this again.
    if (!HandleAllocated() || !style_ || EditDestroying() || updatingRegion_) return;
    updatingRegion_ = true;
    try {
        ViewDataPtr v(CreateViewData(false));
        TdxEditViewInfo info;
        CalculateViewInfo(v.get(), GetAutoSize(), info);
        SetBounds(Left(), Top(), info.Bounds.right - info.Bounds.left, info.Bounds.bottom - info.Bounds.top);
        SetWindowRgn(Handle(), CreateEditRegion(info), TRUE);
    } catch (...) {
        updatingRegion_ = false;
        throw;
    }
    updatingRegion_ = false;
}

// --- painting messages --------------------------------------------------------------------------

void TdxInplaceEdit::PaintWindow(HDC DC) {
    if (style_) {
        ViewDataPtr v(CreateViewData(false));
        RECT r;
        GetClientRect(Handle(), &r);
        if (r.right - r.left > 0) DrawBackground(DC, r, true, v.get());
    }
    fw::TWinControl::PaintWindow(DC);
}

void TdxInplaceEdit::WMEraseBkgnd(fw::TMessage& Message) {
    if (HasEditWindow() && Enabled()) {
        fw::TWinControl::WMEraseBkgnd(Message);
        return;
    }
    // The client area is painted by WM_PAINT.
    Message.Result = 1;
}

void TdxInplaceEdit::WMNCCalcSize(fw::TMessage& Message) {
    fw::TWinControl::WMNCCalcSize(Message);
    if (!style_) return;
    ViewDataPtr v(CreateViewData(false));
    TdxEditViewInfo info;
    CalculateViewInfo(v.get(), false, info);
    // Both forms of the message point at the proposed client rectangle first.
    RECT& r = *reinterpret_cast<RECT*>(Message.LParam);
    r.left += info.InnerRect.left - info.Bounds.left;
    r.top += info.InnerRect.top - info.Bounds.top;
    r.right -= info.Bounds.right - info.InnerRect.right;
    r.bottom -= info.Bounds.bottom - info.InnerRect.bottom;
    // A window smaller than the band gets an empty client area, never a negative one.
    if (r.left >= r.right) r.right = r.left;
    if (r.top >= r.bottom) r.bottom = r.top;
}

void TdxInplaceEdit::WMNCPaint(fw::TMessage& Message) {
    fw::TWinControl::WMNCPaint(Message);
    if (!style_) return;
    ViewDataPtr v(CreateViewData(false));
    TdxEditViewInfo info;
    CalculateViewInfo(v.get(), false, info);
    HWND wnd = Handle();
    HDC dc = GetWindowDC(wnd);
    DCRelease release{wnd, dc};
    DrawBorder(dc, info, v.get());
    LONG style = GetWindowLongA(wnd, GWL_STYLE);
    if ((style & WS_HSCROLL) && (style & WS_VSCROLL)) {
        RECT r = info.BorderRect;
        InflateRect(&r, -info.BorderWidth, -info.BorderWidth);
        RECT corner = {r.right - GetSystemMetrics(SM_CXVSCROLL), r.bottom - GetSystemMetrics(SM_CYHSCROLL), r.right,
                       r.bottom};
        FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
}

void TdxInplaceEdit::WMPaint(fw::TMessage& Message) {
    bool paintCopy = (ControlState & fw::csPaintCopy) != 0;
    bool ownPainting = paintCopy || (!entered_ && PaintsFocusState());
    if (!style_) ownPainting = false;
    if (ownPainting) {
        ViewDataPtr v(CreateViewData(true));
        HWND wnd = Handle();
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        PAINTSTRUCT ps;
        struct EndPaintGuard {
            HWND w;
            PAINTSTRUCT* ps;
            ~EndPaintGuard() {
                if (ps) EndPaint(w, ps);
            }
        } guard{wnd, nullptr};
        if (!dc) {
            dc = BeginPaint(wnd, &ps);
            guard.ps = &ps;
        }
        if (paintCopy) {
            PaintEdit(dc, v.get());
        } else {
            RECT r;
            GetClientRect(wnd, &r);
            DrawBackground(dc, r, false, v.get());
        }
        return;
    }
    HDC taken = nullptr;
    if (HasEditWindow() && !Message.WParam) {
        taken = GetDC(Handle());
        Message.WParam = reinterpret_cast<WPARAM>(taken);
    }
    // Validated as the DC goes back, also when painting raises: otherwise every next
    // WM_PAINT would come (and fail) again for ever.
    DCRelease release{Handle(), taken, true};
    PaintHandler(Message);
}

}  // namespace editors
