// The text edit's messages on top of the base edit's: typed characters in the forced case,
// the rich edit's colours, formatting rectangle and length limit kept in step with the
// control, select-all on entry, the change and selection notifications turned into the
// edit's events, and the right-button release that brings up the text menu.
#include "editors/dxEditor.h"

namespace editors {

namespace {
constexpr fw::TColor clDefaultColor = 0x20000000;  // the control's own default colour
}  // namespace

void TdxInplaceTextEdit::Dispatch(fw::TMessage& Message) {
    switch (Message.Msg) {
        case fw::CN_COMMAND: CNCommand(Message); break;
        case fw::CN_NOTIFY: CNNotify(Message); break;
        default: TdxInplaceEdit::Dispatch(Message); break;
    }
}

void TdxInplaceTextEdit::WMSize(fw::TMessage& Message) {
    TdxInplaceEdit::WMSize(Message);
    SetFormattingRect();
}

void TdxInplaceTextEdit::SetFormattingRect() {
    if (!HandleAllocated()) return;
    RECT r;
    GetClientRect(hwnd_, &r);
    InflateRect(&r, -1, -1);
    if (Alignment() == taRightJustify) --r.right;
    SendMessageA(hwnd_, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

// The limit stands again after every text assignment.
void TdxInplaceTextEdit::WMSetText(fw::TMessage& Message) {
    TdxInplaceEdit::WMSetText(Message);
    ApplyMaxLength(maxLength_);
}

void TdxInplaceTextEdit::WMSetFont(fw::TMessage& Message) {
    TdxInplaceEdit::WMSetFont(Message);
    ApplyTextColor();
}

void TdxInplaceTextEdit::ApplyTextColor() {
    if (!HandleAllocated()) return;
    CHARFORMAT2A format = {};
    static_assert(sizeof format == 84, "the rich edit's extended character format");
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    fw::TColor color = Font.Color();
    if (color == fw::clWindowText || color == clDefaultColor) format.dwEffects = CFE_AUTOCOLOR;
    else format.crTextColor = fw::ColorToRGB(color);
    SendMessageA(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

// A standalone edit never asks for Tab: Tab moves the focus on.
void TdxInplaceTextEdit::WMGetDlgCode(fw::TMessage& Message) {
    TdxInplaceEdit::WMGetDlgCode(Message);
    if (!IsInplace()) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
}

// The forced case works on single-byte characters only: a lead byte, the byte that follows
// it and codes above 0xFF pass unchanged, so a double-byte character is never torn apart.
void TdxInplaceTextEdit::WMChar(fw::TMessage& Message) {
    bool trailByte = afterLeadByte_;
    afterLeadByte_ = false;
    if (Message.WParam <= 0xFF && !trailByte) {
        BYTE code = static_cast<BYTE>(Message.WParam);
        if (IsDBCSLeadByte(code)) {
            afterLeadByte_ = true;
        } else if (charCase_ != ecNormal) {
            std::string one(1, static_cast<char>(code));
            one = charCase_ == ecUpperCase ? fw::AnsiUpperCase(one) : fw::AnsiLowerCase(one);
            if (!one.empty()) Message.WParam = static_cast<BYTE>(one[0]);
        }
    }
    TdxInplaceEdit::WMChar(Message);
}

void TdxInplaceTextEdit::WMRButtonUp(fw::TMessage& Message) {
    TdxInplaceEdit::WMRButtonUp(Message);
    if (!HandleAllocated()) return;
    POINT p = fw::PointFromLParam(Message.LParam);
    ::ClientToScreen(hwnd_, &p);
    PostMessageA(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd_),
                 MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

void TdxInplaceTextEdit::WMContextMenu(fw::TMessage& Message) {
    TdxInplaceEdit::WMContextMenu(Message);
    PopupTextMenu(Message);
}

void TdxInplaceTextEdit::CMColorChanged(fw::TMessage& Message) {
    TdxInplaceEdit::CMColorChanged(Message);
    if (HandleAllocated()) SendMessageA(hwnd_, EM_SETBKGNDCOLOR, 0, fw::ColorToRGB(Color()));
}

void TdxInplaceTextEdit::CMSysColorChange(fw::TMessage& Message) {
    TdxInplaceEdit::CMSysColorChange(Message);
    Perform(fw::CM_COLORCHANGED);
}

void TdxInplaceTextEdit::CMEnter(fw::TMessage& Message) {
    // Entered by a click, the click places the caret; by Tab or a focus call, all is selected.
    if (AutoSelect && !(ControlState & fw::csLButtonDown)) SelectAll();
    TdxInplaceEdit::CMEnter(Message);
}

// While the window exists its own notifications report changes (CNCommand); a text put in
// before that reports here.
void TdxInplaceTextEdit::CMTextChanged(fw::TMessage& Message) {
    if (HasEditWindow()) {
        TdxInplaceEdit::CMTextChanged(Message);
        if (!Loading() && !HandleAllocated() && !creatingWindow_ && !settingEditValue_) Change();
        return;
    }
    if (Loading() || applyingCharCase_) return;
    ApplyCharCase();
    if (!creatingWindow_ && !settingEditValue_) Change();
    InvalidateEdit();
}

void TdxInplaceTextEdit::CNCommand(fw::TMessage& Message) {
    if (HIWORD(Message.WParam) != EN_CHANGE) return;
    if (Loading() || applyingCharCase_) return;
    ApplyCharCase();  // its own EN_CHANGE comes back here and stops above
    if (!creatingWindow_ && !settingEditValue_) Change();
}

void TdxInplaceTextEdit::CNNotify(fw::TMessage& Message) {
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (header && header->code == EN_SELCHANGE && !Loading()) SelectionChange();
    DefaultHandler(Message);
}

void TdxInplaceTextEdit::SelectionChange() {
    if (OnSelectionChange) OnSelectionChange(this);
}

}  // namespace editors
