// The message handling of windowed controls: the routing (WndProc, Dispatch,
// DefaultHandler) and the framework's own handler for each message it takes.
#include "framework/Controls.h"
#include "framework/Forms.h"

namespace fw {

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_SETFOCUS:
            // The form hears of the focus first (CM_EXIT and CM_ENTER); when it refuses
            // the move, the control's own handling does not run.
            if (TCustomForm* form = ParentForm(); form && form != this && !form->SetFocusedControl(this)) return;
            break;
        case WM_MOUSEMOVE:
            if (!mouseInside_) {
                mouseInside_ = true;
                TrackMouseLeave();
                Perform(CM_MOUSEENTER);
            }
            break;
        case WM_MOUSELEAVE:
            if (mouseInside_) {
                mouseInside_ = false;
                Perform(CM_MOUSELEAVE);
            }
            break;
    }
    TControl::WndProc(m);
}

void TWinControl::TrackMouseLeave() {
    TRACKMOUSEEVENT t = {};
    t.cbSize = sizeof t;
    t.dwFlags = TME_LEAVE;
    t.hwndTrack = hwnd_;
    TrackMouseEvent(&t);
}

void TWinControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_SETFOCUS: WMSetFocus(m); break;
        case WM_KILLFOCUS: WMKillFocus(m); break;
        case WM_KEYDOWN: WMKeyDown(m); break;
        case WM_KEYUP: WMKeyUp(m); break;
        case WM_SYSKEYDOWN: WMSysKeyDown(m); break;
        case WM_SYSKEYUP: WMSysKeyUp(m); break;
        case WM_CHAR: WMChar(m); break;
        case WM_GETDLGCODE: WMGetDlgCode(m); break;
        case WM_PAINT: WMPaint(m); break;
        case WM_ERASEBKGND: WMEraseBkgnd(m); break;
        case WM_NCCALCSIZE: WMNCCalcSize(m); break;
        case WM_NCPAINT: WMNCPaint(m); break;
        case WM_SIZE: WMSize(m); break;
        case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
        case WM_SETCURSOR: WMSetCursor(m); break;
        case WM_SETTEXT: WMSetText(m); break;
        case WM_SETFONT: WMSetFont(m); break;
        case WM_COMMAND: WMCommand(m); break;
        case WM_NOTIFY: WMNotify(m); break;
        case WM_CAPTURECHANGED: WMCaptureChanged(m); break;
        case WM_MOUSELEAVE: WMMouseLeave(m); break;
        case CM_ENTER: CMEnter(m); break;
        case CM_EXIT: CMExit(m); break;
        default: TControl::Dispatch(m); break;
    }
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (hwnd_ && !IsFrameworkMessage(m.Msg))
        m.Result = CallWindowProcA(defWndProc_, hwnd_, m.Msg, m.WParam, m.LParam);
}

// --- focus ---------------------------------------------------------------------------------------

void TWinControl::WMSetFocus(TMessage& m) { DefaultHandler(m); }
void TWinControl::WMKillFocus(TMessage& m) { DefaultHandler(m); }

void TWinControl::CMEnter(TMessage&) {
    if (OnEnter) OnEnter(this);
}

void TWinControl::CMExit(TMessage&) {
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnabledChanged(TMessage& m) {
    if (!enabled_ && hwnd_) {
        // A disabled control gives up the focus to its form.
        HWND focus = GetFocus();
        if (focus && (focus == hwnd_ || IsChild(hwnd_, focus))) {
            TCustomForm* form = ParentForm();
            if (form && form != this) {
                form->SetFocusedControl(form);
                ::SetFocus(form->Handle());
            } else {
                ::SetFocus(nullptr);
            }
        }
    }
    if (hwnd_) EnableWindow(hwnd_, enabled_);
    TControl::CMEnabledChanged(m);
}

// --- keys ----------------------------------------------------------------------------------------

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

namespace {
// Hands the message's key to a key event, which may change it; a key cleared to 0 ends
// the message (answered 0), any other goes on in the message.
template <class Event>
bool RunKeyEvent(TMessage& m, Event event) {
    WORD key = static_cast<WORD>(m.WParam);
    event(key, KeyDataToShiftState(m.LParam));
    if (key == 0) {
        m.Result = 0;
        return true;
    }
    m.WParam = key;
    return false;
}
}  // namespace

bool TWinControl::DoKeyDown(TMessage& m) {
    return RunKeyEvent(m, [this](WORD& key, TShiftState shift) { KeyDown(key, shift); });
}

bool TWinControl::DoKeyUp(TMessage& m) {
    return RunKeyEvent(m, [this](WORD& key, TShiftState shift) { KeyUp(key, shift); });
}

bool TWinControl::DoKeyPress(TMessage& m) {
    char key = static_cast<char>(m.WParam);
    KeyPress(key);
    if (key == 0) {
        m.Result = 0;
        return true;
    }
    // A code wider than a byte goes on whole unless a handler changed the character.
    if (key != static_cast<char>(m.WParam)) m.WParam = static_cast<unsigned char>(key);
    return false;
}

void TWinControl::WMKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
    if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyUp(TMessage& m) {
    if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
    if (!DoKeyPress(m)) DefaultHandler(m);
}

void TWinControl::WMGetDlgCode(TMessage& m) { DefaultHandler(m); }

// --- painting ------------------------------------------------------------------------------------

void TWinControl::WMPaint(TMessage& m) { PaintHandler(m); }

void TWinControl::PaintHandler(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps = {};
    bool began = dc == nullptr;
    if (began) dc = BeginPaint(hwnd_, &ps);
    try {
        PaintWindow(dc);
        PaintControls(dc, began ? &ps.rcPaint : nullptr);
    } catch (...) {
        if (began) EndPaint(hwnd_, &ps);
        throw;
    }
    if (began) EndPaint(hwnd_, &ps);
    m.Result = 0;
}

void TWinControl::PaintWindow(HDC dc) {
    // Only a window class with a procedure of its own paints; the system's default
    // procedure would just validate the window.
    if (!classPaints_) return;
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, const RECT* clip) {
    for (TControl* c : controls_) {
        if (c->IsWindowed() || !c->Visible()) continue;
        RECT r = c->BoundsRect(), x;
        if (clip && !IntersectRect(&x, &r, clip)) continue;
        int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        POINT org;
        GetViewportOrgEx(dc, &org);
        SetViewportOrgEx(dc, org.x + r.left, org.y + r.top, nullptr);
        try {
            c->Paint(dc);
        } catch (...) {
            RestoreDC(dc, saved);
            throw;
        }
        RestoreDC(dc, saved);
    }
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
    RECT r = ClientRect();
    FillRect(reinterpret_cast<HDC>(m.WParam), &r, BrushHandle());
    m.Result = 1;
}

void TWinControl::WMNCCalcSize(TMessage& m) { DefaultHandler(m); }
void TWinControl::WMNCPaint(TMessage& m) { DefaultHandler(m); }

void TWinControl::CMColorChanged(TMessage& m) {
    FreeBrush();
    TControl::CMColorChanged(m);
}

void TWinControl::CMSysColorChange(TMessage& m) {
    FreeBrush();  // the colour may be a system colour
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_SYSCOLORCHANGE, m.WParam, m.LParam);
    TControl::CMSysColorChange(m);
}

void TWinControl::CMFontChanged(TMessage& m) {
    if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), TRUE);
    TControl::CMFontChanged(m);
}

// --- window state --------------------------------------------------------------------------------

void TWinControl::WMSize(TMessage& m) {
    AlignControls();
    DefaultHandler(m);
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
    if (const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam)) {
        if (!(pos->flags & SWP_NOMOVE)) {
            left_ = pos->x;
            top_ = pos->y;
        }
        if (!(pos->flags & SWP_NOSIZE)) {
            width_ = pos->cx;
            height_ = pos->cy;
        }
    }
    DefaultHandler(m);
}

void TWinControl::WMSetText(TMessage& m) {
    DefaultHandler(m);
    Perform(CM_TEXTCHANGED);
}

void TWinControl::WMSetFont(TMessage& m) { DefaultHandler(m); }

void TWinControl::CMShowingChanged(TMessage& m) {
    if (hwnd_) ShowWindow(hwnd_, visible_ ? SW_SHOWNOACTIVATE : SW_HIDE);
    TControl::CMShowingChanged(m);
}

void TWinControl::WMSetCursor(TMessage& m) {
    if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == hwnd_) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(hwnd_, &p);
        TControl* c = ControlAtPos(p);
        TCursor cur = c && c->Enabled() ? c->Cursor : Cursor;
        if (cur != crDefault) {
            SetCursor(CursorHandle(cur));
            m.Result = TRUE;
            return;
        }
    }
    DefaultHandler(m);
}

void TWinControl::WMCommand(TMessage& m) {
    // A child window's notification goes back to the child's object.
    if (TWinControl* c = FromHandle(reinterpret_cast<HWND>(m.LParam)); c && c != this) {
        m.Result = c->Perform(CN_COMMAND, m.WParam, m.LParam);
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WMNotify(TMessage& m) {
    HWND from = m.LParam ? reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom : nullptr;
    if (TWinControl* c = FromHandle(from); c && c != this) {
        m.Result = c->Perform(CN_NOTIFY, m.WParam, m.LParam);
        return;
    }
    DefaultHandler(m);
}

// --- mouse ---------------------------------------------------------------------------------------

void TWinControl::WMLButtonDown(TMessage& m) {
    // A click on a picture or label is a press and a release on the same graphic control.
    if (TControl* c = ControlAtPos(PointFromLParam(m.LParam))) {
        pressed_ = c;
        SetCapture(hwnd_);
        m.Result = 0;
        return;
    }
    TControl::WMLButtonDown(m);
}

void TWinControl::WMLButtonUp(TMessage& m) {
    if (TControl* pressed = pressed_) {
        pressed_ = nullptr;
        if (GetCapture() == hwnd_) ReleaseCapture();
        TControl* c = ControlAtPos(PointFromLParam(m.LParam));
        if (c && c == pressed && c->Enabled()) c->Click();
        m.Result = 0;
        return;
    }
    TControl::WMLButtonUp(m);
}

void TWinControl::WMCaptureChanged(TMessage& m) {
    pressed_ = nullptr;
    DefaultHandler(m);
}

void TWinControl::WMMouseLeave(TMessage& m) { DefaultHandler(m); }

void TWinControl::CMCancelMode(TMessage& m) {
    pressed_ = nullptr;
    if (hwnd_ && GetCapture() == hwnd_) ReleaseCapture();
    TControl::CMCancelMode(m);
}

void TWinControl::WMContextMenu(TMessage& m) {
    if (m.Result != 0) return;
    POINT screen = PointFromLParam(m.LParam);
    if (hwnd_ && !(screen.x == -1 && screen.y == -1)) {
        // A graphic child under the point is offered the menu first.
        POINT p = screen;
        ::ScreenToClient(hwnd_, &p);
        if (TControl* c = ControlAtPos(p); c && c->Enabled()) {
            m.Result = c->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
            if (m.Result != 0) return;
        }
    }
    TControl::WMContextMenu(m);
}

}  // namespace fw
