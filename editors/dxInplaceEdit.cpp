// The base edit's core: construction and destruction, style and controller wiring, the edit
// value and its modification state, read-only rules, change notification, validation, the
// remembered text that Esc puts back, hot tracking and the stored-property rules.
#include "editors/dxInplaceEdit.h"

#include "editors/EditorStrings.h"
#include "framework/ActnList.h"
#include "framework/Published.h"

namespace editors {

TdxInplaceEdit::TdxInplaceEdit(fw::TComponent* AOwner) : fw::TWinControl(AOwner) {}

// Runs once the object is complete, so every query below answers for the final class.
void TdxInplaceEdit::AfterConstruction() {
    fw::TWinControl::AfterConstruction();
    autoSize_ = true;
    linkAlignment_ = GetDefaultAlignment();
    style_ = CreateStyle();
    dataLink_ = CreateDataLink();
    if (dataLink_) {
        dataLink_->OnLinkChanged = [this] { DataLinkChanged(); };
        dataLink_->OnValueChanged = [this] { LoadFromDataLink(); };
        dataLink_->OnFocusRequest = [this](bool& Done) { DataLinkFocusRequest(Done); };
        dataLink_->OnStateChanged = [this] { DataLinkChanged(); };
        dataLink_->OnUpdateValue = [this] { WriteToDataLink(); };
    }
    if (IsInplace()) {
        SetParentColor(false);
        SetParentCtl3D(false);
        SetCtl3D(false);
        TabStop = false;
    } else {
        SetBounds(Left(), Top(), 121, 21);
        TabStop = true;
    }
}

TdxEditStyle* TdxInplaceEdit::CreateStyle() {
    if (IsInplace())
        if (TdxEditContainer* container = GetContainer()) return container->CreateEditStyle(this);
    return GetStyleClass()(this);
}

void TdxInplaceEdit::BeforeDestruction() {
    destroying_ = true;
    if (styleController_ && !styleController_->Destroying()) styleController_->RemoveListener(this);
    TdxEditDataLink* link = dataLink_;
    dataLink_ = nullptr;
    delete link;
    // The style goes before the window: the window's last messages find no style and skip
    // whatever would read it.
    fw::FreeAndNil(style_);
    fw::TWinControl::BeforeDestruction();
}

void TdxInplaceEdit::DefaultHandler(fw::TMessage& Message) {
    if (!HasEditWindow() &&
        (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_MBUTTONDOWN) &&
        HandleAllocated() && GetFocus() != Handle())
        ::SetFocus(Handle());
    fw::TWinControl::DefaultHandler(Message);
}

void TdxInplaceEdit::Loaded() {
    fw::TWinControl::Loaded();
    if (dataLink_) DataLinkChanged();
}

void TdxInplaceEdit::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
    fw::TWinControl::Notification(AComponent, Operation);
    if (Operation == fw::TOperation::opRemove && AComponent && AComponent == styleController_)
        SetStyleController(nullptr);
}

bool TdxInplaceEdit::ExecuteAction(fw::TAction* Action) {
    bool handled = fw::TWinControl::ExecuteAction(Action);
    if (!handled && dataLink_) handled = dataLink_->ExecuteAction(Action);
    return handled;
}

bool TdxInplaceEdit::UpdateAction(fw::TAction* Action) {
    bool handled = fw::TWinControl::UpdateAction(Action);
    if (!handled && dataLink_) handled = dataLink_->UpdateAction(Action);
    return handled;
}

bool TdxInplaceEdit::SetEvent(const std::string& name, const std::any& handler) {
    if (name == "OnChange") OnChange = fw::EventCast<fw::TNotifyEvent>(handler, name);
    else if (name == "OnMouseEnter") OnMouseEnter = fw::EventCast<fw::TNotifyEvent>(handler, name);
    else if (name == "OnMouseLeave") OnMouseLeave = fw::EventCast<fw::TNotifyEvent>(handler, name);
    else if (name == "OnValidate") OnValidate = fw::EventCast<TdxEditValidateEvent>(handler, name);
    else return fw::TWinControl::SetEvent(name, handler);
    return true;
}

// --- the value --------------------------------------------------------------------------------

void TdxInplaceEdit::SetEditValue(const fw::Variant& Value) {
    SetText(Value.IsNull() ? std::string() : Value.AsString());
}

void TdxInplaceEdit::GetEditValue(fw::Variant& Value, bool FromLink) {
    if (FromLink && dataLink_) {
        fw::Variant v;
        dataLink_->GetValue(v);
        Value = v.IsNull() ? fw::Variant(std::string()) : v;
        return;
    }
    Value = fw::Variant(Text());
}

fw::Variant TdxInplaceEdit::GetTextValue() { return fw::Variant(Text()); }

void TdxInplaceEdit::SetEditText(const std::string& Value) {
    if (CanModify()) SetText(Value);
    SetModified(true);
}

// --- the data link (no edit of the program has one) ---------------------------------------------

void TdxInplaceEdit::LoadFromDataLink() {
    fw::Variant v;
    dataLink_->GetDisplayValue(v);
    SetEditValue(v);
    SetModified(false);
}

void TdxInplaceEdit::RefreshLinkProperties() {
    if (!(StoredValues & svAlignmentStored)) {
        TAlignment a = dataLink_->GetAlignment();
        if (a != linkAlignment_) {
            linkAlignment_ = a;
            InvalidateEdit();
        }
    }
    if (!(StoredValues & svReadOnlyStored)) SetReadOnly(GetDefaultReadOnly());
}

void TdxInplaceEdit::DataLinkChanged() {
    RefreshLinkProperties();
    LoadFromDataLink();
}

void TdxInplaceEdit::WriteToDataLink() {
    ValidateEdit();
    fw::Variant v = GetTextValue();
    dataLink_->SetValue(v);
}

void TdxInplaceEdit::DataLinkFocusRequest(bool& Done) {
    if (CanFocus()) {
        SetFocus();
        Done = true;
    }
}

// --- modification and the remembered text ------------------------------------------------------

void TdxInplaceEdit::SetFocused(bool Value) {
    bool inplace = IsInplace();
    if (inplace || Value != entered_) {
        savedModified_ = GetModified();
        savedText_ = Text();
    }
    if (inplace || Value == entered_) return;
    entered_ = Value;
    if (PaintsFocusState()) InvalidateEdit();
    if (!Value && dataLink_) {
        bool modified = GetModified();
        try {
            dataLink_->Reset();
        } catch (...) {
            SetModified(modified);
            throw;
        }
        SetModified(modified);
    }
}

void TdxInplaceEdit::RestoreSavedText() {
    if (!GetModified() || !CanRestoreText()) return;
    SetText(savedText_);
    SetModified(savedModified_);
}

void TdxInplaceEdit::Reset() {
    if (dataLink_) {
        dataLink_->Reset();
        SelectAll();
    } else {
        RestoreSavedText();
    }
}

// --- editability --------------------------------------------------------------------------------

TdxEditContainer* TdxInplaceEdit::GetContainer() {
    // An owner that is no container counts as none: the edit then works on its own.
    return IsInplace() ? dynamic_cast<TdxEditContainer*>(Owner()) : nullptr;
}

bool TdxInplaceEdit::GetReadOnly() { return IsReadOnlyStored() ? readOnly_ : GetLinkReadOnly(); }

bool TdxInplaceEdit::GetLinkReadOnly() { return dataLink_ ? dataLink_->GetReadOnly() : false; }

bool TdxInplaceEdit::GetDefaultReadOnly() { return dataLink_ ? !dataLink_->CanEdit() : false; }

bool TdxInplaceEdit::CanModify() {
    if (GetReadOnly()) return false;
    if (TdxEditContainer* container = GetContainer()) return container->CanEditModify();
    if (dataLink_) return dataLink_->CanModify();
    return true;
}

bool TdxInplaceEdit::IsEditable() { return !GetReadOnly() && (!dataLink_ || dataLink_->CanEdit()); }

bool TdxInplaceEdit::IsValidChar(char Key) {
    if (TdxEditContainer* container = GetContainer()) return container->CanEditAcceptKey(Key);
    if (dataLink_) return dataLink_->IsValidChar(Key);
    return true;
}

bool TdxInplaceEdit::GetContainerState() {
    TdxEditContainer* container = GetContainer();
    return container ? container->QueryEditState() : false;
}

LPARAM TdxInplaceEdit::QueryContainer(LPARAM Arg) {
    TdxEditContainer* container = GetContainer();
    return container ? container->QueryEdit(Arg) : 0;
}

// --- change and validation ----------------------------------------------------------------------

void TdxInplaceEdit::Change() {
    Perform(fw::CM_CHANGED, 0, reinterpret_cast<LPARAM>(static_cast<fw::TControl*>(this)));
    if (OnChange) OnChange(this);
}

void TdxInplaceEdit::ValidateEdit() {
    if (!GetModified() || validationLock_ != 0) return;
    bool accept = true;
    std::string errorText = fw::LoadStr(sdxInvalidInput);
    if (OnValidate) OnValidate(this, errorText, accept);
    if (accept) return;
    MessageBeep(0);
    if (HandleAllocated() && IsWindowVisible(Handle())) ::SetFocus(Handle());
    throw EdxEditInvalidInput(errorText);
}

void TdxInplaceEdit::LockValidation() {
    if (IsInplace()) ++validationLock_;
}

void TdxInplaceEdit::UnlockValidation() {
    if (IsInplace()) --validationLock_;
}

// --- focus, hot tracking, region ----------------------------------------------------------------

void TdxInplaceEdit::DoSetFocus() {
    UpdateHotTrack();
    if (NeedsFocusRepaint()) InvalidateEdit();
}

void TdxInplaceEdit::DoKillFocus(fw::TMessage& Message) {
    UpdateHotTrack();
    if (NeedsFocusRepaint()) InvalidateEdit();
    if (TdxEditContainer* container = GetContainer()) {
        HWND focused = reinterpret_cast<HWND>(Message.WParam);
        if (!container->HandleAllocated() || focused != container->Handle()) container->EditFocusChanged();
    }
}

void TdxInplaceEdit::InvalidateEdit() {
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TdxInplaceEdit::UpdateHotTrack() {
    if (EditDestroying() || !style_) return;
    if (style_->HotTrack() || style_->ButtonTransparence() != ebtNone) UpdateEditRegion();
}

void TdxInplaceEdit::StyleChanged() {
    UpdateEditRegion();
    InvalidateEdit();
}

void TdxInplaceEdit::SetStyleController(TdxEditStyleController* Value) {
    if (Value == styleController_) return;
    if (styleController_ && !styleController_->Destroying()) styleController_->RemoveListener(this);
    styleController_ = Value;
    if (Value) {
        Value->AddListener(this);
        FreeNotification(Value);
        Value->NotifyEdit(this);
    } else {
        StyleChanged();
    }
}

void TdxInplaceEdit::SetStyle(TdxEditStyle* Value) {
    if (style_) style_->Assign(Value);
}

// --- alignment, read-only, defaults -------------------------------------------------------------

void TdxInplaceEdit::SetAlignment(TAlignment Value) {
    if (Value == alignment_) return;
    alignment_ = Value;
    RecreateWnd();
}

void TdxInplaceEdit::SetAlignmentProperty(TAlignment Value) {
    StoredValues |= svAlignmentStored;
    SetAlignment(Value);
}

void TdxInplaceEdit::SetReadOnlyProperty(bool Value) {
    StoredValues |= svReadOnlyStored;
    SetReadOnly(Value);
}

void TdxInplaceEdit::SetAutoSize(bool Value) {
    if (Value == autoSize_) return;
    autoSize_ = Value;
    StyleChanged();
}

void TdxInplaceEdit::RestoreDefaults() {
    StoredValues = 0;
    TAlignment before = alignment_;
    SetAlignment(GetDefaultAlignment());
    if (alignment_ == before && dataLink_) {
        linkAlignment_ = dataLink_->GetAlignment();
        if (linkAlignment_ != alignment_) InvalidateEdit();
    }
    SetReadOnly(GetDefaultReadOnly());
}

// --- key predicates -----------------------------------------------------------------------------

bool TdxInplaceEdit::IsTextChangingKey(WORD Key, fw::TShiftState Shift) {
    BYTE low = LOBYTE(Key);
    if ((Shift & fw::ssCtrl) && (low == 'V' || low == 'X')) return true;
    if (Key == VK_BACK || Key == VK_DELETE) return true;
    return Key == VK_INSERT && (Shift & fw::ssShift);
}

bool TdxInplaceEdit::IsCtrlOnlyDown() {
    return (GetAsyncKeyState(VK_CONTROL) & 0x8000) && !(GetAsyncKeyState(VK_MENU) & 0x8000);
}

// --- showing and hiding in place ----------------------------------------------------------------

void TdxInplaceEdit::HideEdit() {
    if (!IsInplace()) {
        Hide();
        return;
    }
    if (!HandleAllocated()) return;
    if (IsWindowVisible(Handle())) InvalidateContainerArea();
    // Moved to the corner and shrunk as well: neither SWP_NOMOVE nor SWP_NOSIZE.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOZORDER);
}

void TdxInplaceEdit::ShowEdit() {
    if (!IsInplace()) {
        Show();
        return;
    }
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void TdxInplaceEdit::InvalidateContainerArea() {
    TdxEditContainer* container = GetContainer();
    if (!container) return;
    HWND wnd = Handle();
    ValidateRect(wnd, nullptr);
    InvalidateRect(wnd, nullptr, TRUE);
    RECT r;
    GetWindowRect(wnd, &r);
    HWND cwnd = container->Handle();
    MapWindowPoints(nullptr, cwnd, reinterpret_cast<POINT*>(&r), 2);
    ValidateRect(cwnd, &r);
    InvalidateRect(cwnd, &r, FALSE);
}

}  // namespace editors
