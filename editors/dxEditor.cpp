// The text edit's window and state: construction and destruction, the rich-edit window's
// parameters, creation and destruction (text, limit, events, colour, password character
// and modified flag carried across), the forced case, the property setters, the modified
// and read-only state, and the value.
#include "editors/dxEditor.h"

#include "framework/Menus.h"

namespace editors {

TdxInplaceTextEdit::TdxInplaceTextEdit(fw::TComponent* AOwner) : TdxInplaceEdit(AOwner) {}

void TdxInplaceTextEdit::AfterConstruction() {
    TdxInplaceEdit::AfterConstruction();
    ControlStyle = fw::csClickEvents | fw::csSetCaption | fw::csDoubleClicks;
    SetColor(fw::clWindow);
    SetParentColor(false);
    AutoSelect = true;
    hideSelection_ = true;
}

void TdxInplaceTextEdit::BeforeDestruction() {
    fw::FreeAndNil(textMenu_);
    TdxInplaceEdit::BeforeDestruction();
}

STDMETHODIMP TdxInplaceTextEdit::QueryInterface(REFIID riid, void** ppv) {
    return TdxRichEditOleCallback::QueryInterface(riid, ppv);
}

bool TdxInplaceTextEdit::SetEvent(const std::string& name, const std::any& handler) {
    if (name == "OnSelectionChange") OnSelectionChange = fw::EventCast<fw::TNotifyEvent>(handler, name);
    else return TdxInplaceEdit::SetEvent(name, handler);
    return true;
}

// --- the window -------------------------------------------------------------------------------

void TdxInplaceTextEdit::CreateParams(TCreateParams& p) {
    TdxInplaceEdit::CreateParams(p);
    // Without the rich-edit library this class does not exist, and creating the window
    // fails with the framework's error: no class is registered without a procedure.
    p.BaseClassName = "RichEdit20A";
    p.Style |= ES_AUTOVSCROLL | ES_AUTOHSCROLL;
    if (!IsEditable()) p.Style |= ES_READONLY;
    if (passwordChar_) p.Style |= ES_PASSWORD;
    if (charCase_ == ecUpperCase) p.Style |= ES_UPPERCASE;
    else if (charCase_ == ecLowerCase) p.Style |= ES_LOWERCASE;
    if (!hideSelection_) p.Style |= ES_NOHIDESEL;
    if (oemConvert_) p.Style |= ES_OEMCONVERT;
    switch (Alignment()) {
        case taLeftJustify: p.Style |= ES_LEFT; break;
        case taRightJustify: p.Style |= ES_RIGHT; break;
        case taCenter: p.Style |= ES_CENTER; break;
    }
}

void TdxInplaceTextEdit::CreateWnd() {
    creatingWindow_ = true;
    try {
        std::string text = Text();
        TdxInplaceEdit::CreateWnd();
        SendMessageA(hwnd_, WM_SETTEXT, 0, 0);
        SendMessageA(hwnd_, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
        SetText(text);
    } catch (...) {
        creatingWindow_ = false;
        throw;
    }
    creatingWindow_ = false;
    ApplyMaxLength(maxLength_);
    SendMessageA(hwnd_, EM_SETEVENTMASK, 0, TextEditEventMask);
    Perform(fw::CM_COLORCHANGED);
    if (passwordChar_) SendMessageA(hwnd_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
    if (HasDataLink())
        SendMessageA(hwnd_, EM_SETOLECALLBACK, 0,
                     reinterpret_cast<LPARAM>(static_cast<IRichEditOleCallback*>(this)));
    SetModified(keptModified_);
}

void TdxInplaceTextEdit::DestroyWnd() {
    keptModified_ = GetModified();
    TdxInplaceEdit::DestroyWnd();
}

void TdxInplaceTextEdit::WndProc(fw::TMessage& Message) {
    TdxInplaceEdit::WndProc(Message);
    switch (Message.Msg) {
        case WM_NCCREATE:
            if (Message.Result && !counted_) {
                counted_ = true;
                ++TextEditWindowCount;
            }
            break;
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            // A click that did not leave the focus in the edit leaves no captured mouse.
            if (HandleAllocated() && GetFocus() != hwnd_) {
                if (Message.Msg == WM_MBUTTONDOWN) PostMessageA(hwnd_, WM_MBUTTONUP, 0, 0);
                ReleaseCapture();
            }
            break;
        case WM_NCDESTROY:
            if (counted_) {
                counted_ = false;
                --TextEditWindowCount;
            }
            break;
    }
}

void TdxInplaceTextEdit::DefaultHandler(fw::TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETFOCUS: {
            // The 95/98/Me family lets the window that lost the focus be gone by now.
            OSVERSIONINFOA v = {};
            v.dwOSVersionInfoSize = sizeof v;
            if (GetVersionExA(&v) && v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS &&
                !IsWindow(reinterpret_cast<HWND>(Message.WParam)))
                Message.WParam = 0;
            break;
        }
        case WM_RBUTTONUP:
            // The rich edit never sees it: the edit posts its own WM_CONTEXTMENU.
            return;
    }
    TdxInplaceEdit::DefaultHandler(Message);
}

// --- case, limits, password character -----------------------------------------------------------

void TdxInplaceTextEdit::Loaded() {
    TdxInplaceEdit::Loaded();
    ApplyCharCase();
}

void TdxInplaceTextEdit::ApplyCharCase() {
    if (charCase_ == ecNormal) return;
    std::string current = Text();
    std::string converted = charCase_ == ecUpperCase ? fw::AnsiUpperCase(current) : fw::AnsiLowerCase(current);
    if (converted == current) return;
    applyingCharCase_ = true;
    try {
        CHARRANGE selection = {};
        bool window = HandleAllocated();
        if (window) GetSelection(selection);
        bool modified = GetModified();
        try {
            SetText(converted);
        } catch (...) {
            SetModified(modified);
            throw;
        }
        SetModified(modified);
        if (window) SetSelection(selection.cpMin, selection.cpMax);
    } catch (...) {
        applyingCharCase_ = false;
        throw;
    }
    applyingCharCase_ = false;
}

void TdxInplaceTextEdit::SetCharCase(TEditCharCase Value) {
    if (Value == charCase_) return;
    charCase_ = Value;
    ApplyCharCase();
}

void TdxInplaceTextEdit::SetHideSelection(bool Value) {
    if (Value == hideSelection_) return;
    hideSelection_ = Value;
    RecreateWnd();
}

void TdxInplaceTextEdit::SetOEMConvert(bool Value) {
    if (Value == oemConvert_) return;
    oemConvert_ = Value;
    RecreateWnd();
}

void TdxInplaceTextEdit::ApplyMaxLength(int Value) {
    if (HandleAllocated()) SendMessageA(hwnd_, EM_EXLIMITTEXT, 0, Value);
}

void TdxInplaceTextEdit::SetMaxLength(int Value) {
    if (Value < 0) Value = 0;
    if (Value == maxLength_) return;
    maxLength_ = Value;
    ApplyMaxLength(Value);
}

void TdxInplaceTextEdit::SetMaxLengthProperty(int Value) {
    StoredValues |= svMaxLengthStored;
    SetMaxLength(Value);
}

int TdxInplaceTextEdit::GetLinkMaxLength() { return DataLink() ? DataLink()->GetMaxLength() : 0; }

void TdxInplaceTextEdit::SetPasswordChar(char Value) {
    if (Value == passwordChar_) return;
    passwordChar_ = Value;
    if (!HandleAllocated()) return;
    SendMessageA(hwnd_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(Value), 0);
    SetText(Text());  // drawn again with or without the character
}

// --- read-only and modified state, the value -------------------------------------------------------

void TdxInplaceTextEdit::SetReadOnly(bool Value) {
    TdxInplaceEdit::SetReadOnly(Value);
    if (HandleAllocated()) SendMessageA(hwnd_, EM_SETREADONLY, Value, 0);
}

void TdxInplaceTextEdit::RefreshLinkProperties() {
    TdxInplaceEdit::RefreshLinkProperties();
    if (!IsMaxLengthStored()) SetMaxLength(GetLinkMaxLength());
    if (HandleAllocated()) SendMessageA(hwnd_, EM_SETREADONLY, !IsEditable(), 0);
}

void TdxInplaceTextEdit::RestoreDefaults() {
    TdxInplaceEdit::RestoreDefaults();
    SetMaxLength(GetLinkMaxLength());
}

bool TdxInplaceTextEdit::GetModified() {
    if (HandleAllocated()) return SendMessageA(hwnd_, EM_GETMODIFY, 0, 0) != 0;
    return keptModified_;
}

void TdxInplaceTextEdit::SetModified(bool Value) {
    if (HandleAllocated()) SendMessageA(hwnd_, EM_SETMODIFY, Value, 0);
    else keptModified_ = Value;
}

void TdxInplaceTextEdit::SetEditValue(const fw::Variant& Value) {
    settingEditValue_ = true;
    try {
        TdxInplaceEdit::SetEditValue(Value);
        ClearUndo();
    } catch (...) {
        settingEditValue_ = false;
        throw;
    }
    settingEditValue_ = false;
}

}  // namespace editors
