#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/MessagePump.h"

#include <algorithm>
#include <set>

namespace fw {

namespace {
const char* kObjectProp = "FwControlObject";
thread_local TWinControl* t_creating = nullptr;
}  // namespace

// --- TControl --------------------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {}

void TControl::BeforeDestruction() {
    TComponent::BeforeDestruction();
    if (parent_) parent_->RemoveControl(this);
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

void TControl::SetVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    Invalidate();
}

void TControl::SetEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    Invalidate();
}

void TControl::Invalidate() {
    if (!parent_ || !parent_->HandleAllocated()) return;
    if (IsWindowed()) {
        InvalidateRect(static_cast<TWinControl*>(this)->Handle(), nullptr, TRUE);
        return;
    }
    RECT r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, TRUE);
}

void TControl::RequestAlign() {
    if (parent_) parent_->AlignControls();
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
    TMessage m{msg, wp, lp, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m) { Dispatch(m); }

void TControl::Dispatch(TMessage& m) { DefaultHandler(m); }

bool TControl::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "Left") SetBounds(v.AsInt(), top_, width_, height_);
    else if (name == "Top") SetBounds(left_, v.AsInt(), width_, height_);
    else if (name == "Width") SetBounds(left_, top_, v.AsInt(), height_);
    else if (name == "Height") SetBounds(left_, top_, width_, v.AsInt());
    else if (name == "Visible") SetVisible(v.AsBool());
    else if (name == "Enabled") SetEnabled(v.AsBool());
    else if (name == "Cursor") Cursor = CursorFromValue(v);
    else if (name == "Color") Color = ColorFromValue(v);
    else if (name == "ParentFont") ParentFont = v.AsBool();
    else if (name.compare(0, 5, "Font.") == 0) {
        ParentFont = false;
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
    if (name == "OnClick") {
        OnClick = EventCast<TNotifyEvent>(handler, name);
        return true;
    }
    return TComponent::SetEvent(name, handler);
}

// --- TWinControl -----------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    if (hwnd_) DestroyHandle();
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

std::string TWinControl::Text() const {
    if (!hwnd_) return text_;
    int n = GetWindowTextLengthA(hwnd_);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd_, &s[0], n + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
}

void TWinControl::SetText(const std::string& text) {
    text_ = text;
    if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

void TWinControl::InsertControl(TControl* c) {
    controls_.push_back(c);
    c->AttachToParent(this);
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
    if (hwnd_) ShowWindow(hwnd_, v ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::SetEnabled(bool e) {
    enabled_ = e;
    if (hwnd_) EnableWindow(hwnd_, e);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

bool TWinControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

void TWinControl::Update() {
    if (hwnd_) UpdateWindow(hwnd_);
}

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
    WNDCLASSA existing;
    if (!GetClassInfoA(inst, p.WinClassName.c_str(), &existing)) {
        WNDCLASSA wc = {};
        if (!p.BaseClassName.empty()) {
            WNDCLASSA base;
            if (!GetClassInfoA(nullptr, p.BaseClassName.c_str(), &base) &&
                !GetClassInfoA(inst, p.BaseClassName.c_str(), &base))
                throw Exception("Window class " + p.BaseClassName + " is not available");
            wc = base;
        }
        wc.style = p.BaseClassName.empty() ? p.ClassStyle : wc.style;
        wc.lpfnWndProc = MainWndProc;
        wc.hInstance = inst;
        if (!wc.hCursor) wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        if (p.BaseClassName.empty()) wc.hbrBackground = p.Background;
        wc.lpszClassName = p.WinClassName.c_str();
        if (!RegisterClassA(&wc)) throw Exception("Cannot register window class " + p.WinClassName);
    }
    defWndProc_ = DefWindowProcA;
    if (!p.BaseClassName.empty()) {
        WNDCLASSA base;
        if (GetClassInfoA(nullptr, p.BaseClassName.c_str(), &base) || GetClassInfoA(inst, p.BaseClassName.c_str(), &base))
            defWndProc_ = base.lpfnWndProc;
    }
    TWinControl* outer = t_creating;
    t_creating = this;
    HWND h = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.WndParent, nullptr, inst, nullptr);
    t_creating = outer;
    if (!h) throw Exception(Format("Error creating window of %s", ClassName().c_str()));
    hwnd_ = h;
    TFont& font = ParentFont && parent_ ? parent_->Font : Font;
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font.Handle()), FALSE);
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
}

void TWinControl::RecreateWnd() {
    if (!hwnd_) return;
    DestroyHandle();
    Handle();
}

void TWinControl::PaintControls(HDC dc, const RECT* clip) {
    for (TControl* c : controls_) {
        if (c->IsWindowed() || !c->Visible()) continue;
        RECT r = c->BoundsRect(), x;
        if (clip && !IntersectRect(&x, &r, clip)) continue;
        int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        SetViewportOrgEx(dc, r.left, r.top, nullptr);
        c->Paint(dc);
        RestoreDC(dc, saved);
    }
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN: {
            // A click is a press and a release on the same picture or label.
            POINT p = {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
            if (TControl* c = ControlAtPos(p)) {
                pressed_ = c;
                SetCapture(hwnd_);
                m.Result = 0;
                return;
            }
            break;
        }
        case WM_LBUTTONUP: {
            POINT p = {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
            TControl* pressed = pressed_;
            pressed_ = nullptr;
            if (GetCapture() == hwnd_) ReleaseCapture();
            TControl* c = ControlAtPos(p);
            if (c && c == pressed && c->Enabled()) c->Click();
            if (pressed) {
                m.Result = 0;
                return;
            }
            break;
        }
        case WM_CAPTURECHANGED:
            pressed_ = nullptr;
            break;
        case WM_SETCURSOR:
            if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == hwnd_) {
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(hwnd_, &p);
                TControl* c = ControlAtPos(p);
                TCursor cur = c && c->Enabled() ? c->Cursor : Cursor;
                if (cur != crDefault) {
                    SetCursor(CursorHandle(cur));
                    m.Result = TRUE;
                    return;
                }
            }
            break;
        case WM_COMMAND:
        case WM_NOTIFY: {
            // Notifications go back to the control that sent them.
            HWND from = m.Msg == WM_COMMAND ? reinterpret_cast<HWND>(m.LParam)
                                            : reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
            if (TWinControl* c = FromHandle(from); c && c != this) {
                m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
                return;
            }
            break;
        }
        case WM_SIZE:
            AlignControls();
            break;
        case WM_SETFOCUS:
            if (TCustomForm* form = ParentForm(); form && form != this) form->SetActiveControl(this);
            break;
    }
    TControl::WndProc(m);
}

void TWinControl::Dispatch(TMessage& m) { DefaultHandler(m); }

void TWinControl::DefaultHandler(TMessage& m) {
    if (hwnd_ && m.Msg < WM_USER) m.Result = CallWindowProcA(defWndProc_, hwnd_, m.Msg, m.WParam, m.LParam);
}

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
