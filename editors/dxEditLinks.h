// The two collaborators a base edit only calls: the container that hosts an in-place edit
// (its owner) and the optional data link that binds an edit to data. No class of the program
// implements either; an edit tests for each before every use.
#pragma once
#include <windows.h>
#include <functional>

#include "editors/dxCntner.h"
#include "framework/Controls.h"
#include "framework/Variants.h"

namespace fw {
class TAction;
}

namespace editors {

class TdxInplaceEdit;

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// A windowed control that hosts in-place edits and takes their navigation keys, key
// releases, double-clicks and wheel turns.
class TdxEditContainer : public fw::TWinControl {
public:
    using fw::TWinControl::TWinControl;

    virtual bool CanEditModify() = 0;
    virtual bool CanEditAcceptKey(char Key) = 0;
    // The style the edit will own (made with fw::Create, freed by the edit with fw::Free).
    virtual TdxEditStyle* CreateEditStyle(TdxInplaceEdit* Edit) = 0;
    virtual void EditKeyDown(WORD& Key, fw::TShiftState Shift) = 0;
    virtual bool IgnoreEditKeys() = 0;
    virtual bool CanEditDblClick() = 0;
    virtual bool QueryEditState() = 0;
    virtual bool EditWantsTabs() = 0;
    virtual LPARAM QueryEdit(LPARAM Arg) = 0;
    virtual void EditFocusChanged() = 0;

    // The container's own key and double-click handling (its events included), for the edit.
    void ContainerKeyDown(WORD& Key, fw::TShiftState Shift) { KeyDown(Key, Shift); }
    void ContainerKeyUp(WORD& Key, fw::TShiftState Shift) { KeyUp(Key, Shift); }
    void ContainerKeyPress(char& Key) { KeyPress(Key); }
    void ContainerDblClick() { DblClick(); }
};

// Binds an edit to data. The edit owns its link and binds the callbacks at construction.
class TdxEditDataLink : public fw::TObject {
public:
    virtual bool CanModify() = 0;
    virtual TAlignment GetAlignment() = 0;
    virtual void GetValue(fw::Variant& Value) = 0;
    virtual int GetMaxLength() = 0;
    virtual void GetDisplayValue(fw::Variant& Value) = 0;
    virtual bool CanEdit() = 0;
    virtual bool GetReadOnly() = 0;
    virtual bool IsValidChar(char Key) = 0;
    virtual void Reset() = 0;
    virtual void SetValue(const fw::Variant& Value) = 0;
    virtual void UpdateLink() = 0;
    virtual bool ExecuteAction(fw::TAction* Action) = 0;
    virtual bool UpdateAction(fw::TAction* Action) = 0;

    std::function<void()> OnLinkChanged;
    std::function<void()> OnValueChanged;
    std::function<void()> OnReserved;  // left unbound by the edit
    std::function<void(bool& Done)> OnFocusRequest;
    std::function<void()> OnStateChanged;
    std::function<void()> OnUpdateValue;
};

}  // namespace editors
