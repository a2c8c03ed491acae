// TdxInplaceEdit: the base of the edit-control family. A windowed control that shows a value
// inside a styled frame (border and shadow drawn in its own non-client band) and lets the
// user edit it, either as a container's cell editor (in place, this class's answer) or as an
// ordinary form control (standalone, the answer of TCustomdxEdit).
//
// Its code is split by concern: value, validation and wiring (dxInplaceEdit.cpp), view data,
// geometry and painting (dxEditPaint.cpp), keys, mouse and messages (dxEditKeys.cpp).
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>

#include "editors/dxCntner.h"
#include "editors/dxEditLinks.h"
#include "editors/dxEditViewInfo.h"
#include "framework/Controls.h"
#include "framework/Published.h"
#include "framework/SysUtils.h"
#include "framework/Variants.h"

namespace fw {
class TFiler;
}

namespace editors {

// Raised when the validation event rejects the input; the message is the event's error text.
class EdxEditInvalidInput : public fw::Exception {
public:
    using fw::Exception::Exception;
};

// Sender: the edit; the handler may change ErrorText and set Accept to False.
using TdxEditValidateEvent = std::function<void(fw::TObject* Sender, std::string& ErrorText, bool& Accept)>;

// Class references as factories: the style an edit makes, and its view data.
using TdxEditStyleClass = TdxEditStyle* (*)(TdxStyledEdit* AEdit);
using TdxEditViewDataClass = TdxEditViewData* (*)();
template <class T>
TdxEditStyle* NewStyleOf(TdxStyledEdit* AEdit) { return fw::Create<T>(AEdit); }
template <class T>
TdxEditViewData* NewViewDataOf() { return new T(); }

// Bits of StoredValues: the properties whose own value counts (set explicitly).
constexpr std::uint16_t svAlignmentStored = 1u << 0, svMaxLengthStored = 1u << 1, svReadOnlyStored = 1u << 6;

class TdxInplaceEdit : public fw::TWinControl, public TdxStyledEdit {
public:
    FW_CLASS(TdxInplaceEdit)
    FW_PUBLISHED
    explicit TdxInplaceEdit(fw::TComponent* AOwner);
    void AfterConstruction() override;
    void BeforeDestruction() override;

    void DefineProperties(fw::TFiler& Filer) override;
    void Loaded() override;
    bool ExecuteAction(fw::TAction* Action) override;
    bool UpdateAction(fw::TAction* Action) override;
    bool SetEvent(const std::string& name, const std::any& handler) override;

    // --- the style model's view of the edit
    TdxEditStyleController* StyleController() const override { return styleController_; }
    fw::TObject* EditObject() override { return this; }

    // --- new virtual operations, in slot order
    virtual void SetEditValue(const fw::Variant& Value);
    virtual void RefreshLinkProperties();
    virtual void GetEditValue(fw::Variant& Value, bool FromLink);
    virtual fw::Variant GetTextValue();
    virtual void LoadFromDataLink();
    virtual void DataLinkFocusRequest(bool& Done);
    virtual void DataLinkChanged();
    virtual void WriteToDataLink();
    virtual void ReservedHookA() {}
    virtual bool IsValidChar(char Key);
    virtual void Change();
    virtual TdxEditDataLink* CreateDataLink() { return nullptr; }
    // A new view data object for one message; the caller frees it.
    virtual TdxEditViewData* CreateViewData(bool FromLink);
    virtual void DoSetFocus();
    virtual bool CanModify();
    virtual bool GetReservedFlag() { return false; }
    virtual TdxEditStyleClass GetStyleClass() { return &NewStyleOf<TdxEditStyle>; }
    virtual bool GetModified() { return modified_; }
    virtual bool IsTextChangingKey(WORD Key, fw::TShiftState Shift);
    virtual bool IsCtrlOnlyDown();
    virtual bool NeedsFocusRepaint() { return !HasEditWindow(); }
    virtual bool WantsMouseWheel() { return false; }
    virtual bool WantsTab() { return false; }
    virtual LPARAM QueryContainer(LPARAM Arg);
    virtual void RestoreSavedText();
    virtual void SetFocused(bool Value);
    virtual void SetAlignment(TAlignment Value);
    virtual void SetReadOnly(bool Value) { readOnly_ = Value; }
    virtual void SetModified(bool Value) { modified_ = Value; }
    virtual void SetMouseInside(bool Value) { mouseInside_ = Value; }
    void StyleChanged() override;
    virtual void ReservedHookB() {}
    virtual bool IsEditable();
    virtual TAlignment GetDefaultAlignment() { return taLeftJustify; }
    virtual bool GetLinkReadOnly();
    virtual bool GetDefaultReadOnly();
    virtual void MoveCaretToEnd() {}
    virtual void DoKillFocus(fw::TMessage& Message);
    virtual std::string GetEditText() { return Text(); }
    virtual void HideEdit();
    virtual bool HasEditWindow() { return false; }
    virtual bool ValidateOnEnter() { return false; }
    virtual bool IsFocused() { return Focused(); }
    virtual bool PaintsFocusState() { return dataLink_ != nullptr || !Enabled(); }
    virtual bool IsHot() { return mouseInside_ || (IsFocused() && Enabled()); }
    virtual bool GetContainerState();
    virtual bool CanRestoreText() { return HasEditWindow(); }
    virtual bool ReservedQuery() { return HasEditWindow(); }
    virtual void ReservedHookC() {}
    virtual void ReservedHookD() {}
    virtual void RestoreDefaults();
    virtual void SelectAll() {}
    virtual void SetEditText(const std::string& Value);
    virtual void ShowEdit();
    // Asks OnValidate about a modified value; a rejection beeps, gives the focus back while
    // the window is visible and raises EdxEditInvalidInput.
    virtual void ValidateEdit();
    virtual void CalculateViewInfo(TdxEditViewData* ViewData, bool AutoSize, TdxEditViewInfo& ViewInfo);
    virtual void PaintEdit(HDC DC, TdxEditViewData* ViewData);
    virtual void DrawBorder(HDC DC, const TdxEditViewInfo& ViewInfo, TdxEditViewData* ViewData);
    virtual bool DrawBackground(HDC DC, const RECT& Rect, bool SkipIfEditWindow, TdxEditViewData* ViewData);
    virtual fw::TCursor GetEditCursor(int X, int Y, TdxEditViewData* ViewData);
    virtual int CalcEditHeight(TdxEditViewData* ViewData);
    virtual void CalcButtonsRect(TdxEditViewData*, RECT& Rect) { SetRectEmpty(&Rect); }
    virtual TdxEditViewDataClass GetViewDataClass() { return &NewViewDataOf<TdxEditViewData>; }
    virtual bool IsInplace() { return true; }

    // --- plain operations
    void InvalidateEdit();
    // Esc: the link's reset and SelectAll with a data link, else RestoreSavedText.
    void Reset();
    void LockValidation();
    void UnlockValidation();
    // Applies the view info's size (with auto-size, its height) and window region.
    void UpdateEditRegion();
    void UpdateHotTrack();
    bool GetAutoSize() const { return autoSize_ && !const_cast<TdxInplaceEdit*>(this)->IsInplace(); }
    // The owner while in place, when it is a container; otherwise none.
    TdxEditContainer* GetContainer();
    bool GetReadOnly();
    void InvalidateContainerArea();
    void InitViewInfo(TdxEditViewData* ViewData, TdxEditViewInfo& ViewInfo);
    static void ExpandRectByBorder(RECT& Rect, const TdxEditViewInfo& ViewInfo);
    // The window region for the view info, or none for the whole window; the caller owns it.
    static HRGN CreateEditRegion(const TdxEditViewInfo& ViewInfo);

    // --- properties
    TAlignment Alignment() const { return alignment_; }
    void SetAlignmentProperty(TAlignment Value);  // marks Alignment stored
    bool AutoSize() const { return GetAutoSize(); }
    void SetAutoSize(bool Value);
    bool ReadOnly() { return GetReadOnly(); }
    void SetReadOnlyProperty(bool Value);  // marks ReadOnly stored
    TdxEditStyle* Style() const { return style_; }
    void SetStyle(TdxEditStyle* Value);  // copies Value into the edit's own style
    void SetStyleController(TdxEditStyleController* Value);
    bool Entered() const { return entered_; }
    bool MouseInside() const { return mouseInside_; }
    TdxEditDataLink* DataLink() const { return dataLink_; }
    TAlignment LinkAlignment() const { return linkAlignment_; }
    const std::string& SavedText() const { return savedText_; }
    bool SavedModified() const { return savedModified_; }
    int ValidationLock() const { return validationLock_; }
    bool IsAlignmentStored() const { return (StoredValues & svAlignmentStored) != 0; }
    bool IsReadOnlyStored() const { return (StoredValues & svReadOnlyStored) != 0; }

    fw::TNotifyEvent OnChange, OnMouseEnter, OnMouseLeave;
    TdxEditValidateEvent OnValidate;

    struct TTextMargins {
        int Left = 0, Top = 0, Right = 0;
    } TextMargins;
    std::uint16_t StoredValues = 0;
    // Time of the click with which the container activated the edit; 0 for none.
    DWORD ClickTime = 0;

protected:
    void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
    void DefaultHandler(fw::TMessage& Message) override;
    void WndProc(fw::TMessage& Message) override;
    void Dispatch(fw::TMessage& Message) override;
    void PaintWindow(HDC DC) override;
    void KeyDown(WORD& Key, fw::TShiftState Shift) override;
    void KeyUp(WORD& Key, fw::TShiftState Shift) override;
    void KeyPress(char& Key) override;

public:
    void DblClick() override;

protected:
    // Painting and the non-client band (dxEditPaint.cpp).
    void WMPaint(fw::TMessage& Message) override;
    void WMEraseBkgnd(fw::TMessage& Message) override;
    void WMNCCalcSize(fw::TMessage& Message) override;
    void WMNCPaint(fw::TMessage& Message) override;
    // Keys, mouse, focus and notifications (dxEditKeys.cpp).
    void WMSize(fw::TMessage& Message) override;
    void WMSetCursor(fw::TMessage& Message) override;
    void WMGetDlgCode(fw::TMessage& Message) override;
    void WMKeyDown(fw::TMessage& Message) override;
    void CMEnabledChanged(fw::TMessage& Message) override;
    void CMColorChanged(fw::TMessage& Message) override;
    void CMFontChanged(fw::TMessage& Message) override;
    void CMTextChanged(fw::TMessage& Message) override;
    void CMMouseEnter(fw::TMessage& Message) override;
    void CMMouseLeave(fw::TMessage& Message) override;
    void CMShowingChanged(fw::TMessage& Message) override;
    void CMEnter(fw::TMessage& Message) override;
    void CMExit(fw::TMessage& Message) override;

    // True from the first step of destruction on: nothing reads the style any more.
    bool EditDestroying() const { return destroying_ || Destroying(); }

private:
    TdxEditStyle* CreateStyle();
    void InplaceKeyDown(WORD& Key, fw::TShiftState Shift);
    void InplaceSetFocus(fw::TMessage& Message);
    void ReadHeight(const fw::TPropValue& Value);
    fw::TPropValue WriteHeight();
    void ReadStoredValues(const fw::TPropValue& Value);
    fw::TPropValue WriteStoredValues();

    bool entered_ = false;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = false;
    TAlignment linkAlignment_ = taLeftJustify;
    TdxEditDataLink* dataLink_ = nullptr;
    bool modified_ = false;
    bool savedModified_ = false;
    std::string savedText_;
    bool readOnly_ = false;
    bool mouseInside_ = false;
    TdxEditStyle* style_ = nullptr;
    TdxEditStyleController* styleController_ = nullptr;
    int validationLock_ = 0;
    bool destroying_ = false;
    bool updatingRegion_ = false;
};

}  // namespace editors
