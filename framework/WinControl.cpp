// TWinControl over a real window: the window made on first use (superclassing another
// window class when asked), the state it keeps while it has none, its children, bounds,
// visibility, text and focus.
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/MessagePump.h"

#include <algorithm>

namespace fw {

namespace {
const char* kObjectProp = "FwControlObject";

thread_local TWinControl* t_creating = nullptr;  // the window procedure adopts it
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    if (hwnd_) DestroyHandle();
    FreeBrush();
}

TCustomForm* TWinControl::ParentForm() {
    TWinControl* top = this;
    while (top->Parent()) top = top->Parent();
    return dynamic_cast<TCustomForm*>(top);
}

void TWinControl::BeforeDestruction() {
    if (TCustomForm* form = ParentForm(); form && form != this && form->ActiveControl() == this)
        form->SetActiveControl(nullptr);
    TControl::BeforeDestruction();
    // The window goes while the whole object still exists, so its last messages reach
    // the final class.
    DestroyHandle();
    for (TControl* c : std::vector<TControl*>(controls_)) c->DetachFromParent();
    controls_.clear();
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<TWinControl*>(GetPropA(hwnd, kObjectProp)) : nullptr;
}

// Some windows (the ANSI rich edit among them) give their length in characters, not bytes:
// the buffer has room for two bytes per character, and the text ends at its terminator.
std::string TWinControl::Text() const {
    if (!hwnd_) return text_;
    int n = GetWindowTextLengthA(hwnd_);
    if (n <= 0) return std::string();
    std::string s(2 * static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(hwnd_, &s[0], static_cast<int>(s.size()));
    s.resize(s.find('\0'));
    return s;
}

void TWinControl::SetText(const std::string& text) {
    text_ = text;
    if (hwnd_) SetWindowTextA(hwnd_, text.c_str());  // WMSetText reports the change
    else Perform(CM_TEXTCHANGED);
}

void TWinControl::InsertControl(TControl* c) {
    controls_.push_back(c);
    c->AttachToParent(this);
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->ParentCtl3DChanged();
    if (c->IsWindowed() && hwnd_) static_cast<TWinControl*>(c)->Handle();
    if (c->Align != TAlign::alNone) AlignControls();
    c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
    if (pressed_ == c) pressed_ = nullptr;
    c->Invalidate();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    c->DetachFromParent();
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->DestroyHandle();
}

void TWinControl::SetCtl3D(bool v) {
    parentCtl3D_ = false;
    TakeCtl3D(v);
}

void TWinControl::SetParentCtl3D(bool v) {
    if (parentCtl3D_ == v) return;
    parentCtl3D_ = v;
    ParentCtl3DChanged();
}

void TWinControl::ParentCtl3DChanged() {
    if (parentCtl3D_ && parent_) TakeCtl3D(parent_->ctl3D_);
}

void TWinControl::TakeCtl3D(bool v) {
    if (ctl3D_ == v) return;
    ctl3D_ = v;
    for (TControl* c : controls_)
        if (c->IsWindowed()) static_cast<TWinControl*>(c)->ParentCtl3DChanged();
}

TControl* TWinControl::ControlAtPos(POINT p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        RECT r = c->BoundsRect();
        if (!c->IsWindowed() && c->Visible() && PtInRect(&r, p)) return c;
    }
    return nullptr;
}

void TWinControl::AddDescriptionChild(TComponent* c) {
    if (auto* control = dynamic_cast<TControl*>(c)) control->SetParent(this);
}

bool TWinControl::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "TabOrder") TabOrder = v.AsInt();
    else if (name == "TabStop") TabStop = v.AsBool();
    else if (name == "Text" || name == "Caption") SetText(v.AsString());
    else return TControl::SetProperty(name, v);
    return true;
}

bool TWinControl::SetEvent(const std::string& name, const std::any& handler) {
    if (name == "OnEnter") OnEnter = EventCast<TNotifyEvent>(handler, name);
    else if (name == "OnExit") OnExit = EventCast<TNotifyEvent>(handler, name);
    else if (name == "OnKeyDown") OnKeyDown = EventCast<TKeyEvent>(handler, name);
    else if (name == "OnKeyUp") OnKeyUp = EventCast<TKeyEvent>(handler, name);
    else if (name == "OnKeyPress") OnKeyPress = EventCast<TKeyPressEvent>(handler, name);
    else return TControl::SetEvent(name, handler);
    return true;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
    if (hwnd_) SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    AlignControls();
}

void TWinControl::AlignControls() {
    if (!hwnd_ && controls_.empty()) return;
    RECT client = {0, 0, width_, height_};
    if (hwnd_) GetClientRect(hwnd_, &client);
    for (TControl* c : controls_)
        if (c->Align == TAlign::alClient)
            c->SetBounds(client.left, client.top, client.right - client.left, client.bottom - client.top);
}

void TWinControl::SetVisible(bool v) {
    visible_ = v;
    if (hwnd_ && ((GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0) != v) Perform(CM_SHOWINGCHANGED);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    HWND h = Handle();
    ControlState |= csFocusing;
    try {
        ::SetFocus(h);
    } catch (...) {
        ControlState &= ~csFocusing;
        throw;
    }
    ControlState &= ~csFocusing;
}

bool TWinControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

void TWinControl::Update() {
    if (hwnd_) UpdateWindow(hwnd_);
}

HBRUSH TWinControl::BrushHandle() {
    if (!brush_) brush_ = CreateSolidBrush(ColorToRGB(color_));
    return brush_;
}

void TWinControl::FreeBrush() {
    if (brush_) DeleteObject(brush_);
    brush_ = nullptr;
}

// --- the window ----------------------------------------------------------------------------------

HWND TWinControl::Handle() {
    if (!hwnd_) {
        if (parent_) parent_->Handle();
        if (!hwnd_) CreateWnd();
    }
    return hwnd_;
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = text_;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED) |
              (TabStop ? WS_TABSTOP : 0);
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = height_;
    p.WndParent = parent_ ? parent_->Handle() : nullptr;
    p.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA base = {};
    bool superclass = !p.BaseClassName.empty();
    if (superclass && !GetClassInfoA(nullptr, p.BaseClassName.c_str(), &base) &&
        !GetClassInfoA(inst, p.BaseClassName.c_str(), &base))
        throw Exception("Window class " + p.BaseClassName + " is not available");
    WNDCLASSA existing;
    if (!GetClassInfoA(inst, p.WinClassName.c_str(), &existing)) {
        WNDCLASSA wc = superclass ? base : WNDCLASSA{};
        wc.style = superclass ? base.style : p.ClassStyle;
        if (ControlStyle & csDoubleClicks) wc.style |= CS_DBLCLKS;
        wc.lpfnWndProc = MainWndProc;
        wc.hInstance = inst;
        if (!wc.hCursor) wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        if (!superclass) wc.hbrBackground = p.Background;
        wc.lpszClassName = p.WinClassName.c_str();
        if (!RegisterClassA(&wc)) throw Exception("Cannot register window class " + p.WinClassName);
    }
    defWndProc_ = superclass ? base.lpfnWndProc : DefWindowProcA;
    classPaints_ = superclass;
    TWinControl* outer = t_creating;
    t_creating = this;
    HWND h = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.WndParent, nullptr, inst, nullptr);
    t_creating = outer;
    if (!h) throw Exception(Format("Error creating window of %s", ClassName().c_str()));
    hwnd_ = h;
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), FALSE);
    CreateHandleDone();
    for (TControl* c : controls_)
        if (c->IsWindowed()) static_cast<TWinControl*>(c)->Handle();
    AlignControls();
}

void TWinControl::DestroyWnd() {
    text_ = Text();
    HWND h = hwnd_;
    DestroyWindow(h);
}

void TWinControl::DestroyHandle() {
    if (!hwnd_) return;
    for (TControl* c : controls_)
        if (c->IsWindowed()) static_cast<TWinControl*>(c)->DestroyHandle();
    DestroyWnd();
    hwnd_ = nullptr;
    mouseInside_ = false;
}

void TWinControl::RecreateWnd() {
    if (!hwnd_) return;
    DestroyHandle();
    Handle();
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
    if (!visible_) return;
    Handle();
    int saved = SaveDC(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x + x, org.y + y, nullptr);
    RECT client = ClientRect();
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    ControlState |= csPaintCopy;
    try {
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        for (TControl* c : controls_)
            if (c->IsWindowed()) {
                auto* w = static_cast<TWinControl*>(c);
                w->PaintTo(dc, w->left_, w->top_);
            }
    } catch (...) {
        ControlState &= ~csPaintCopy;
        RestoreDC(dc, saved);
        throw;
    }
    ControlState &= ~csPaintCopy;
    RestoreDC(dc, saved);
}

// Every window of a control comes here. No C++ exception goes back into the system: one
// that escapes the control's handling is shown in the application's exception box.
LRESULT CALLBACK TWinControl::MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TWinControl* obj = FromHandle(hwnd);
    if (!obj && t_creating) {
        obj = t_creating;
        obj->hwnd_ = hwnd;
        SetPropA(hwnd, kObjectProp, obj);
    }
    if (!obj) return DefWindowProcA(hwnd, msg, wp, lp);
    TMessage m{msg, wp, lp, 0};
    try {
        obj->WndProc(m);
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleException(Exception("Unexpected error"));
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kObjectProp);
        if (obj->hwnd_ == hwnd) obj->hwnd_ = nullptr;
    }
    return m.Result;
}

}  // namespace fw
