// The base edit's keyboard, mouse, focus and window messages, in both modes: standalone (an
// ordinary focusable control that filters text-changing keys while it may not be modified,
// puts back the visit's text on Esc and validates when the focus leaves) and in place (the
// container sees and takes navigation keys, key releases, double-clicks and wheel turns).
#include <memory>

#include "editors/dxInplaceEdit.h"
#include "framework/Forms.h"

namespace editors {

namespace {
constexpr LPARAM kGcsResultStr = 0x0800;  // GCS_RESULTSTR: the composition has a result string
}  // namespace

// --- window procedure ---------------------------------------------------------------------------

void TdxInplaceEdit::WndProc(fw::TMessage& Message) {
    if (!IsInplace()) {
        if (Message.Msg == WM_SETFOCUS) DoSetFocus();
        else if (Message.Msg == WM_KILLFOCUS) DoKillFocus(Message);
        fw::TWinControl::WndProc(Message);
        return;
    }
    TdxEditContainer* container = GetContainer();
    switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
            if (container && container->IgnoreEditKeys()) {
                Message.Result = 0;
                return;
            }
            break;
        case WM_SETFOCUS:
            InplaceSetFocus(Message);
            return;
        case WM_KILLFOCUS:
            DoKillFocus(Message);
            break;
        case WM_LBUTTONDOWN:
            if (container && container->CanEditDblClick()) {
                // A click time of 0 means the container recorded no click.
                if (ClickTime != 0 && GetMessageTime() - ClickTime < GetDoubleClickTime())
                    Message.Msg = WM_LBUTTONDBLCLK;
                ClickTime = 0;
            }
            break;
        case WM_MOUSEWHEEL:
            if (container && !WantsMouseWheel()) {
                HWND cwnd = container->Handle();
                SendMessageA(cwnd, fw::CM_CANCELMODE, 0, 0);
                SendMessageA(cwnd, WM_MOUSEWHEEL, Message.WParam, Message.LParam);
            }
            break;
    }
    fw::TWinControl::WndProc(Message);
}

// The form's focused control is the container, not the edit.
void TdxInplaceEdit::InplaceSetFocus(fw::TMessage& Message) {
    TdxEditContainer* container = GetContainer();
    bool take = true;
    if (container) {
        if (fw::TCustomForm* form = ParentForm(); form && form != static_cast<fw::TWinControl*>(this))
            take = form->SetFocusedControl(container) || (container->ControlState & fw::csFocusing);
    }
    if (take) Dispatch(Message);
    if (container) container->EditFocusChanged();
    DoSetFocus();
}

// --- key operations -----------------------------------------------------------------------------

void TdxInplaceEdit::KeyDown(WORD& Key, fw::TShiftState Shift) {
    if (Key == VK_ESCAPE) Reset();
    if (IsInplace()) {
        InplaceKeyDown(Key, Shift);
        return;
    }
    if (IsTextChangingKey(Key, Shift) && !(IsEditable() && CanModify())) Key = 0;
    if (Key == VK_RETURN && ValidateOnEnter()) ValidateEdit();
    fw::TWinControl::KeyDown(Key, Shift);
}

void TdxInplaceEdit::InplaceKeyDown(WORD& Key, fw::TShiftState Shift) {
    TdxEditContainer* container = GetContainer();
    switch (Key) {
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN:
        case VK_INSERT:
            ValidateEdit();
            break;
    }
    LockValidation();
    struct Unlock {
        TdxInplaceEdit* e;
        ~Unlock() { e->UnlockValidation(); }
    } unlock{this};

    bool handOver = false;
    switch (Key) {
        case VK_TAB:
            handOver = !(Shift & fw::ssAlt);
            break;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN:
            handOver = true;
            break;
        case VK_INSERT:
            if (Shift == 0) handOver = true;
            else if (Shift == fw::ssShift && container && !container->CanEditModify()) Key = 0;
            break;
        case VK_F2:
            if (container) container->EditKeyDown(Key, Shift);
            if (Key == VK_F2) {
                MoveCaretToEnd();
                return;
            }
            break;
    }
    if (handOver) {
        if (container) container->ContainerKeyDown(Key, Shift);
        Key = 0;
    }
    if (Key == VK_DELETE && container && !container->CanEditModify()) Key = 0;
    if (Key == 0) return;
    if (container) container->EditKeyDown(Key, Shift);
    if (IsTextChangingKey(Key, Shift) && !(IsEditable() && CanModify())) Key = 0;
    fw::TWinControl::KeyDown(Key, Shift);
}

void TdxInplaceEdit::KeyPress(char& Key) {
    TdxEditContainer* container = GetContainer();
    if (container) container->ContainerKeyPress(Key);
    unsigned char c = static_cast<unsigned char>(Key);
    bool printable = c >= 32;
    if (printable && !IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    if (IsInplace() && Key == '\t' && !WantsTab()) Key = 0;
    c = static_cast<unsigned char>(Key);
    if ((Key == '\t' || c >= 32) && HasEditWindow() && !CanModify()) Key = 0;
    if (Key == 27) Key = 0;
    if (Key != 0) fw::TWinControl::KeyPress(Key);
}

void TdxInplaceEdit::KeyUp(WORD& Key, fw::TShiftState Shift) {
    if (IsInplace()) {
        if (TdxEditContainer* container = GetContainer()) container->ContainerKeyUp(Key, Shift);
        return;
    }
    fw::TWinControl::KeyUp(Key, Shift);
}

void TdxInplaceEdit::DblClick() {
    if (IsInplace()) {
        if (TdxEditContainer* container = GetContainer()) container->ContainerDblClick();
        return;
    }
    fw::TWinControl::DblClick();
}

// --- message handlers ---------------------------------------------------------------------------

void TdxInplaceEdit::Dispatch(fw::TMessage& Message) {
    switch (Message.Msg) {
        case WM_IME_COMPOSITION:
            if ((Message.LParam & kGcsResultStr) && HasEditWindow() && !CanModify()) {
                Message.Result = 0;
                return;
            }
            break;
        case WM_CUT:
        case WM_PASTE:
        case WM_CLEAR:
            if (!CanModify()) {
                Message.Result = 0;
                return;
            }
            break;
    }
    fw::TWinControl::Dispatch(Message);
}

void TdxInplaceEdit::WMKeyDown(fw::TMessage& Message) {
    if (IsInplace()) {
        // The character of Enter (and of Tab unless the edit takes it) must not follow.
        if (Message.WParam == VK_RETURN || (Message.WParam == VK_TAB && !WantsTab()))
            KillMessage(Handle(), WM_CHAR);
    }
    fw::TWinControl::WMKeyDown(Message);
}

void TdxInplaceEdit::WMGetDlgCode(fw::TMessage& Message) {
    fw::TWinControl::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTCHARS;
    if (IsInplace()) Message.Result |= DLGC_WANTALLKEYS;
    TdxEditContainer* container = GetContainer();
    if (container && container->EditWantsTabs()) Message.Result |= DLGC_WANTTAB;
    else Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
}

void TdxInplaceEdit::WMSetCursor(fw::TMessage& Message) {
    if (reinterpret_cast<HWND>(Message.WParam) == Handle() && LOWORD(Message.LParam) == HTCLIENT && style_) {
        POINT p;
        GetCursorPos(&p);
        fw::TCursor cursor;
        {
            std::unique_ptr<TdxEditViewData> v(CreateViewData(false));
            cursor = GetEditCursor(p.x, p.y, v.get());
        }
        if (cursor != fw::crDefault) {
            SetCursor(fw::CursorHandle(cursor));
            Message.Result = 1;
            return;
        }
    }
    fw::TWinControl::WMSetCursor(Message);
}

void TdxInplaceEdit::WMSize(fw::TMessage& Message) {
    fw::TWinControl::WMSize(Message);
    UpdateEditRegion();
}

void TdxInplaceEdit::CMEnabledChanged(fw::TMessage& Message) {
    fw::TWinControl::CMEnabledChanged(Message);
    StyleChanged();
}

void TdxInplaceEdit::CMColorChanged(fw::TMessage& Message) {
    fw::TWinControl::CMColorChanged(Message);
    StyleChanged();
}

void TdxInplaceEdit::CMFontChanged(fw::TMessage& Message) {
    fw::TWinControl::CMFontChanged(Message);
    UpdateEditRegion();
}

void TdxInplaceEdit::CMTextChanged(fw::TMessage& Message) {
    fw::TWinControl::CMTextChanged(Message);
    if (!HasEditWindow()) InvalidateEdit();
}

void TdxInplaceEdit::CMMouseEnter(fw::TMessage& Message) {
    fw::TWinControl::CMMouseEnter(Message);
    SetMouseInside(true);
    UpdateHotTrack();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TdxInplaceEdit::CMMouseLeave(fw::TMessage& Message) {
    fw::TWinControl::CMMouseLeave(Message);
    SetMouseInside(false);
    UpdateHotTrack();
    if (OnMouseLeave) OnMouseLeave(this);
}

void TdxInplaceEdit::CMShowingChanged(fw::TMessage& Message) {
    // In place the edit shows and hides its window itself (ShowEdit, HideEdit).
    if (IsInplace()) return;
    fw::TWinControl::CMShowingChanged(Message);
}

void TdxInplaceEdit::CMEnter(fw::TMessage& Message) {
    SetFocused(true);
    fw::TWinControl::CMEnter(Message);
}

// A rejected validation leaves by its exception here: the visit is not ended and OnExit
// does not fire.
void TdxInplaceEdit::CMExit(fw::TMessage& Message) {
    if (!dataLink_) {
        ValidateEdit();
    } else {
        try {
            dataLink_->UpdateLink();
        } catch (...) {
            SelectAll();
            SetFocus();
            throw;
        }
    }
    SetFocused(false);
    fw::TWinControl::CMExit(Message);
}

}  // namespace editors
