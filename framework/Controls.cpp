// TControl: what every control has, windowed or painted by its parent: bounds, visibility,
// the enabled state, colour and font with their parent-following, mouse events and the
// context-menu order.
#include "framework/Controls.h"

#include "framework/Menus.h"

namespace fw {

TControl::TControl(TComponent* owner) : TComponent(owner) {
    Font.OnChange = [this](TObject*) { FontChanged(); };
}

void TControl::BeforeDestruction() {
    TComponent::BeforeDestruction();
    if (parent_) parent_->RemoveControl(this);
}

void TControl::AttachToParent(TWinControl* p) {
    parent_ = p;
    ParentFontChanged();
    ParentColorChanged();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent_ == parent) return;
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (!IsWindowed()) Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!IsWindowed()) Invalidate();
}

RECT TControl::ClientRect() const {
    if (IsWindowed()) {
        auto* w = static_cast<const TWinControl*>(this);
        RECT r;
        if (w->hwnd_ && GetClientRect(w->hwnd_, &r)) return r;
    }
    return RECT{0, 0, width_, height_};
}

void TControl::SetVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    Invalidate();
}

void TControl::SetEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::Invalidate() {
    if (IsWindowed()) {
        auto* w = static_cast<TWinControl*>(this);
        if (w->hwnd_) InvalidateRect(w->hwnd_, nullptr, TRUE);
        return;
    }
    if (!parent_ || !parent_->hwnd_) return;
    RECT r = BoundsRect();
    InvalidateRect(parent_->hwnd_, &r, TRUE);
}

POINT TControl::ScreenToClient(POINT p) const {
    if (IsWindowed()) {
        if (HWND h = static_cast<const TWinControl*>(this)->hwnd_) ::ScreenToClient(h, &p);
        return p;
    }
    if (parent_) {
        p = parent_->ScreenToClient(p);
        p.x -= left_;
        p.y -= top_;
    }
    return p;
}

POINT TControl::ClientToScreen(POINT p) const {
    if (IsWindowed()) {
        if (HWND h = static_cast<const TWinControl*>(this)->hwnd_) ::ClientToScreen(h, &p);
        return p;
    }
    if (parent_) {
        p.x += left_;
        p.y += top_;
        p = parent_->ClientToScreen(p);
    }
    return p;
}

void TControl::RequestAlign() {
    if (parent_) parent_->AlignControls();
}

// --- colour and font ---------------------------------------------------------------------------

void TControl::SetColor(TColor c) {
    parentColor_ = false;
    if (color_ == c) return;
    color_ = c;
    Perform(CM_COLORCHANGED);
    if (IsWindowed())
        for (TControl* child : static_cast<TWinControl*>(this)->controls_) child->ParentColorChanged();
}

void TControl::SetParentColor(bool v) {
    if (parentColor_ == v) return;
    parentColor_ = v;
    ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!parentColor_ || !parent_ || parent_->color_ == color_) return;
    color_ = parent_->color_;
    Perform(CM_COLORCHANGED);
    if (IsWindowed())
        for (TControl* child : static_cast<TWinControl*>(this)->controls_) child->ParentColorChanged();
}

void TControl::SetParentFont(bool v) {
    if (parentFont_ == v) return;
    parentFont_ = v;
    ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    takingParentFont_ = true;
    try {
        Font.Assign(&parent_->Font);  // reports through FontChanged when anything differs
    } catch (...) {
        takingParentFont_ = false;
        throw;
    }
    takingParentFont_ = false;
}

void TControl::FontChanged() {
    if (!takingParentFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
    if (IsWindowed())
        for (TControl* child : static_cast<TWinControl*>(this)->controls_) child->ParentFontChanged();
}

// --- events --------------------------------------------------------------------------------------

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

bool TControl::DoPopupMenu(POINT screenPt) {
    if (!popupMenu_ || !popupMenu_->AutoPopup) return false;
    popupMenu_->Popup(screenPt.x, screenPt.y);
    return true;
}

void TControl::DoContextPopup(POINT mousePos, bool& handled) {
    if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

// --- message routing -----------------------------------------------------------------------------

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
    TMessage m{msg, wp, lp, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m) {
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) ControlState |= csLButtonDown;
    if (m.Msg != WM_LBUTTONUP) {
        Dispatch(m);
        return;
    }
    try {
        Dispatch(m);
    } catch (...) {
        ControlState &= ~csLButtonDown;
        throw;
    }
    ControlState &= ~csLButtonDown;
}

void TControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN: WMLButtonDown(m); break;
        case WM_LBUTTONUP: WMLButtonUp(m); break;
        case WM_LBUTTONDBLCLK: WMLButtonDblClk(m); break;
        case WM_RBUTTONDOWN: WMRButtonDown(m); break;
        case WM_RBUTTONUP: WMRButtonUp(m); break;
        case WM_MBUTTONDOWN:
            MouseButtonDown(m, TMouseButton::mbMiddle);
            DefaultHandler(m);
            break;
        case WM_MBUTTONUP:
            MouseButtonUp(m, TMouseButton::mbMiddle);
            DefaultHandler(m);
            break;
        case WM_MOUSEMOVE: WMMouseMove(m); break;
        case WM_CONTEXTMENU: WMContextMenu(m); break;
        case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
        case CM_COLORCHANGED: CMColorChanged(m); break;
        case CM_FONTCHANGED: CMFontChanged(m); break;
        case CM_TEXTCHANGED: CMTextChanged(m); break;
        case CM_SYSCOLORCHANGE: CMSysColorChange(m); break;
        case CM_MOUSEENTER: CMMouseEnter(m); break;
        case CM_MOUSELEAVE: CMMouseLeave(m); break;
        case CM_SHOWINGCHANGED: CMShowingChanged(m); break;
        case CM_CANCELMODE: CMCancelMode(m); break;
        case CM_CHANGED: CMChanged(m); break;
        default: DefaultHandler(m); break;
    }
}

void TControl::MouseButtonDown(TMessage& m, TMouseButton button) {
    POINT p = PointFromLParam(m.LParam);
    TShiftState shift = KeysToShiftState(m.WParam) | (m.Msg == WM_LBUTTONDBLCLK ? TShiftState{ssDouble} : 0u);
    MouseDown(button, shift, p.x, p.y);
}

void TControl::MouseButtonUp(TMessage& m, TMouseButton button) {
    POINT p = PointFromLParam(m.LParam);
    MouseUp(button, KeysToShiftState(m.WParam), p.x, p.y);
}

// --- handlers ------------------------------------------------------------------------------------

void TControl::WMLButtonDown(TMessage& m) {
    if ((ControlStyle & csCaptureMouse) && IsWindowed()) SetCapture(static_cast<TWinControl*>(this)->hwnd_);
    if (ControlStyle & csClickEvents) ControlState |= csClicked;
    MouseButtonDown(m, TMouseButton::mbLeft);
    DefaultHandler(m);
}

void TControl::WMLButtonDblClk(TMessage& m) {
    if (!(ControlStyle & csDoubleClicks)) {
        // Without double-clicks the second press is a press like the first.
        m.Msg = WM_LBUTTONDOWN;
        WMLButtonDown(m);
        return;
    }
    if ((ControlStyle & csCaptureMouse) && IsWindowed()) SetCapture(static_cast<TWinControl*>(this)->hwnd_);
    DblClick();
    MouseButtonDown(m, TMouseButton::mbLeft);
    DefaultHandler(m);
}

void TControl::WMLButtonUp(TMessage& m) {
    bool clicked = (ControlState & csClicked) != 0;
    ControlState &= ~csClicked;
    if ((ControlStyle & csCaptureMouse) && IsWindowed() && GetCapture() == static_cast<TWinControl*>(this)->hwnd_)
        ReleaseCapture();
    MouseButtonUp(m, TMouseButton::mbLeft);
    POINT p = PointFromLParam(m.LParam);
    RECT client = ClientRect();
    if (clicked && PtInRect(&client, p)) Click();
    DefaultHandler(m);
}

void TControl::WMRButtonDown(TMessage& m) {
    MouseButtonDown(m, TMouseButton::mbRight);
    DefaultHandler(m);
}

void TControl::WMRButtonUp(TMessage& m) {
    MouseButtonUp(m, TMouseButton::mbRight);
    DefaultHandler(m);
}

void TControl::WMMouseMove(TMessage& m) {
    POINT p = PointFromLParam(m.LParam);
    MouseMove(KeysToShiftState(m.WParam), p.x, p.y);
    DefaultHandler(m);
}

void TControl::WMContextMenu(TMessage& m) {
    if (m.Result != 0) return;
    POINT screen = PointFromLParam(m.LParam);
    bool fromKeyboard = screen.x == -1 && screen.y == -1;
    POINT pos = fromKeyboard ? screen : ScreenToClient(screen);
    bool handled = false;
    DoContextPopup(pos, handled);
    if (handled) {
        m.Result = 1;
        return;
    }
    if (popupMenu_) {
        POINT at = fromKeyboard ? ClientToScreen(POINT{0, 0}) : screen;
        if (DoPopupMenu(at)) {
            m.Result = 1;
            return;
        }
    }
    DefaultHandler(m);
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) {}
void TControl::CMSysColorChange(TMessage&) {}

void TControl::CMMouseEnter(TMessage& m) {
    if (parent_) parent_->Perform(CM_MOUSEENTER, 0, m.LParam ? m.LParam : reinterpret_cast<LPARAM>(this));
}

void TControl::CMMouseLeave(TMessage& m) {
    if (parent_) parent_->Perform(CM_MOUSELEAVE, 0, m.LParam ? m.LParam : reinterpret_cast<LPARAM>(this));
}

void TControl::CMShowingChanged(TMessage&) {}
void TControl::CMCancelMode(TMessage&) { ControlState &= ~(csLButtonDown | csClicked); }
void TControl::CMChanged(TMessage&) {}

// --- descriptions --------------------------------------------------------------------------------

bool TControl::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "Left") SetBounds(v.AsInt(), top_, width_, height_);
    else if (name == "Top") SetBounds(left_, v.AsInt(), width_, height_);
    else if (name == "Width") SetBounds(left_, top_, v.AsInt(), height_);
    else if (name == "Height") SetBounds(left_, top_, width_, v.AsInt());
    else if (name == "Visible") SetVisible(v.AsBool());
    else if (name == "Enabled") SetEnabled(v.AsBool());
    else if (name == "Cursor") Cursor = CursorFromValue(v);
    else if (name == "Color") SetColor(ColorFromValue(v));
    else if (name == "ParentFont") SetParentFont(v.AsBool());
    else if (name.compare(0, 5, "Font.") == 0) {
        SetParentFont(false);
        return Font.SetProperty(name.substr(5), v);
    } else if (name == "Align") {
        const std::string& a = v.AsIdent();
        if (a == "alClient") Align = TAlign::alClient;
        else if (a == "alNone") Align = TAlign::alNone;
        else throw EReadError(Format("Invalid alignment %s (line %d)", a.c_str(), v.line));
        RequestAlign();
    } else {
        return TComponent::SetProperty(name, v);
    }
    return true;
}

bool TControl::SetEvent(const std::string& name, const std::any& handler) {
    if (name == "OnClick") OnClick = EventCast<TNotifyEvent>(handler, name);
    else if (name == "OnDblClick") OnDblClick = EventCast<TNotifyEvent>(handler, name);
    else if (name == "OnMouseDown") OnMouseDown = EventCast<TMouseEvent>(handler, name);
    else if (name == "OnMouseUp") OnMouseUp = EventCast<TMouseEvent>(handler, name);
    else if (name == "OnMouseMove") OnMouseMove = EventCast<TMouseMoveEvent>(handler, name);
    else if (name == "OnContextPopup") OnContextPopup = EventCast<TContextPopupEvent>(handler, name);
    else return TComponent::SetEvent(name, handler);
    return true;
}

}  // namespace fw
