// TdxInplaceTextEdit: the text editor of the edit family. A rich-edit window ("RichEdit20A"
// superclassed under the control's own class name, in plain-text mode, one line) sits inside
// the base edit's styled frame: typing, caret, selection, clipboard and undo are the rich
// edit's own; frame, style and validation stay with the base. It adds character case,
// maximum length, password character, OEM conversion, hide-selection and auto-select,
// selection access, clipboard and undo commands, a built-in text menu, and its own drawing
// of the text for the times the component paints instead of the window.
//
// Its code is split by concern: window, value and state (dxEditor.cpp), selection and
// commands (dxEditorCommands.cpp), messages (dxEditorMessages.cpp), the text menu
// (dxEditorMenu.cpp), drawing (dxEditorPaint.cpp), the OLE callback (dxEditorOle.cpp) and
// the unit's start-up tables (dxEditorUnit.cpp).
#pragma once
#include <windows.h>
#include <richedit.h>

#include <cstdint>
#include <string>

#include "editors/dxEditorOle.h"
#include "editors/dxEditorUnit.h"
#include "editors/dxInplaceEdit.h"

namespace fw {
class TPopupMenu;
}

namespace editors {

enum TEditCharCase : std::uint8_t { ecNormal, ecUpperCase, ecLowerCase };

// The text edit's paint data: what its own text drawing needs beyond the base's.
class TdxTextEditViewData : public TdxEditViewData {
public:
    FW_CLASS(TdxTextEditViewData)
    TEditCharCase CharCase = ecNormal;
    char PasswordChar = 0;
};

// The event mask the window reports with: EN_CHANGE, drag-drop done, EN_SELCHANGE.
constexpr LPARAM TextEditEventMask = ENM_CHANGE | ENM_DRAGDROPDONE | ENM_SELCHANGE;

class TdxInplaceTextEdit : public TdxInplaceEdit, public TdxRichEditOleCallback {
public:
    FW_CLASS(TdxInplaceTextEdit)
    explicit TdxInplaceTextEdit(fw::TComponent* AOwner);
    void AfterConstruction() override;
    void BeforeDestruction() override;
    void Loaded() override;

    // --- the OLE callback: the edit's own interface query
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;

    // --- new virtual operations, in slot order
    // Rewrites the text in the forced case, keeping selection and modified flag.
    virtual void ApplyCharCase();
    virtual void ApplyMaxLength(int Value);
    virtual int GetSelLength();
    virtual int GetSelStart();
    // The selected text, exactly as the window copies it.
    virtual std::string GetSelText();
    virtual bool HasDataLink() { return DataLink() != nullptr; }
    virtual void SelectionChange();
    // A negative value counts as 0; a change is applied to the window.
    virtual void SetMaxLength(int Value);
    virtual void SetSelLength(int Value);
    virtual void SetSelStart(int Value);
    virtual int GetLinkMaxLength();
    // At most BufSize characters of the selection and a terminating zero into Buffer (which
    // holds BufSize + 1 bytes; two per double-byte character); the characters copied. No
    // buffer or a negative size writes nothing and answers 0.
    virtual int GetSelTextBuf(char* Buffer, int BufSize);

    // --- overrides of the base's operations
    void SetEditValue(const fw::Variant& Value) override;
    void RefreshLinkProperties() override;
    TdxEditViewData* CreateViewData(bool FromLink) override;
    bool GetModified() override;
    void SetReadOnly(bool Value) override;
    void SetModified(bool Value) override;
    void MoveCaretToEnd() override;
    bool HasEditWindow() override { return true; }
    void RestoreDefaults() override;
    void SelectAll() override;
    bool DrawBackground(HDC DC, const RECT& Rect, bool SkipIfEditWindow, TdxEditViewData* ViewData) override;
    TdxEditViewDataClass GetViewDataClass() override { return &NewViewDataOf<TdxTextEditViewData>; }

    // --- commands on the window (each creates it when needed)
    void Undo();
    void Redo();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void ClearSelection();
    void ClearUndo();  // only with a window
    bool CanUndo();    // False without a window
    bool CanRedo();
    bool CanPaste();   // also False while the edit may not be edited
    int GetTextLength();
    void GetSelection(CHARRANGE& Range);
    void SetSelection(int Start, int Stop);
    // The OnClick of every built-in menu item: the command its Tag names.
    void TextMenuItemClick(fw::TObject* Sender);

    // --- properties
    bool AutoSelect = true;
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase Value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLengthProperty(int Value);  // marks MaxLength stored
    bool IsMaxLengthStored() const { return (StoredValues & svMaxLengthStored) != 0; }
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool Value);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char Value);
    fw::TNotifyEvent OnSelectionChange;
    bool SetEvent(const std::string& name, const std::any& handler) override;

    // The built-in text menu; none until it is first needed.
    fw::TPopupMenu* TextMenu() const { return textMenu_; }
    // The busy flags that suppress change notifications caused by the edit itself.
    bool SettingEditValue() const { return settingEditValue_; }
    bool ApplyingCharCase() const { return applyingCharCase_; }
    bool CreatingWindow() const { return creatingWindow_; }

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(fw::TMessage& Message) override;
    void DefaultHandler(fw::TMessage& Message) override;
    void Dispatch(fw::TMessage& Message) override;

    // Messages (dxEditorMessages.cpp).
    void WMSize(fw::TMessage& Message) override;
    void WMSetText(fw::TMessage& Message) override;
    void WMSetFont(fw::TMessage& Message) override;
    void WMContextMenu(fw::TMessage& Message) override;
    void WMGetDlgCode(fw::TMessage& Message) override;
    void WMChar(fw::TMessage& Message) override;
    void WMRButtonUp(fw::TMessage& Message) override;
    void CMColorChanged(fw::TMessage& Message) override;
    void CMTextChanged(fw::TMessage& Message) override;
    void CMEnter(fw::TMessage& Message) override;
    void CMSysColorChange(fw::TMessage& Message) override;
    virtual void CNNotify(fw::TMessage& Message);
    virtual void CNCommand(fw::TMessage& Message);

private:
    void ApplyTextColor();
    void SetFormattingRect();
    // Whether the edit or one of its parents has a popup menu of its own.
    bool HasPopupMenu() const;
    void PopupTextMenu(fw::TMessage& Message);
    void BuildTextMenu();
    void EnableTextMenuItems();

    bool settingEditValue_ = false;
    TEditCharCase charCase_ = ecNormal;
    bool applyingCharCase_ = false;
    bool creatingWindow_ = false;
    fw::TPopupMenu* textMenu_ = nullptr;
    bool hideSelection_ = true;
    int maxLength_ = 0;
    bool keptModified_ = false;
    bool oemConvert_ = false;
    char passwordChar_ = 0;
    bool afterLeadByte_ = false;  // the last typed byte began a double-byte character
    bool counted_ = false;        // this edit's window is in TextEditWindowCount
};

}  // namespace editors
