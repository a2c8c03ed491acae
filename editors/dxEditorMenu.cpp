// The built-in text menu (Undo, Redo, Cut, Copy, Paste, Delete, Select All) that a right
// click or the menu key brings up when neither the edit nor a parent has a popup menu of
// its own. Built once; its items' enabled states are worked out at every showing.
#include <algorithm>

#include "editors/dxEditor.h"
#include "framework/Menus.h"

namespace editors {

namespace {

constexpr long long kSeparatorTag = 0x7FFFFFFF;

struct TTextMenuEntry {
    int Caption;  // index into TextMenuCaptions; -1 for a separator
    long long Tag;
};

// In menu order; the tags are the commands of TextMenuItemClick.
constexpr TTextMenuEntry kEntries[] = {
    {tmcUndo, -1}, {tmcRedo, -2}, {-1, kSeparatorTag}, {tmcCut, -3},       {tmcCopy, -4},
    {tmcPaste, -5}, {tmcDelete, -6}, {-1, kSeparatorTag}, {tmcSelectAll, -7}};

}  // namespace

bool TdxInplaceTextEdit::HasPopupMenu() const {
    for (const fw::TControl* c = this; c; c = c->Parent())
        if (c->PopupMenu()) return true;
    return false;
}

void TdxInplaceTextEdit::PopupTextMenu(fw::TMessage& Message) {
    if (!HasEditWindow() || Message.Result != 0 || HasPopupMenu() || !HandleAllocated()) return;
    POINT at = fw::PointFromLParam(Message.LParam);
    RECT client;
    GetClientRect(hwnd_, &client);
    if (at.x == -1 && at.y == -1) {
        // Asked for from the keyboard: at the caret, kept inside the client width.
        GetCaretPos(&at);
        if (at.x > client.right) at.x = client.right;
        ::ClientToScreen(hwnd_, &at);
    } else {
        POINT inside = at;
        ::ScreenToClient(hwnd_, &inside);
        if (!PtInRect(&client, inside)) return;  // on the border: no menu
    }
    BuildTextMenu();
    EnableTextMenuItems();
    textMenu_->Popup(at.x, at.y);
}

// Items are owned by the edit and sit in the menu's list: whichever goes first takes the
// item out of the other.
void TdxInplaceTextEdit::BuildTextMenu() {
    if (textMenu_) return;
    textMenu_ = fw::Create<fw::TPopupMenu>(this);
    for (const TTextMenuEntry& entry : kEntries) {
        auto* item = fw::Create<fw::TMenuItem>(this);
        item->Caption = entry.Caption < 0 ? std::string("-") : TextMenuCaptions[static_cast<size_t>(entry.Caption)];
        item->Tag = entry.Tag;
        item->OnClick = [this](fw::TObject* Sender) { TextMenuItemClick(Sender); };
        textMenu_->Items()->Add(item);
    }
}

// By each item's Tag, so that a menu someone has changed is still served right.
void TdxInplaceTextEdit::EnableTextMenuItems() {
    fw::TMenuItem* items = textMenu_->Items();
    // The rich edit's whole selection also takes its closing paragraph mark, one more than
    // the text's length: Cut, Copy and Delete count only the part of the selection that lies
    // in the text, so an empty edit entered by Tab (all of it selected) offers none of them.
    int length = GetTextLength();
    CHARRANGE range = {};
    GetSelection(range);
    int inText = std::min<int>(range.cpMax, length) - std::min<int>(range.cpMin, length);
    bool hasSelection = inText > 0, editable = IsEditable(), clear = passwordChar_ == 0;
    for (int i = 0; i < items->Count(); ++i) {
        fw::TMenuItem* item = items->Items(i);
        switch (item->Tag) {
            case -1: item->Enabled = CanUndo(); break;
            case -2: item->Enabled = CanRedo(); break;
            case -3: item->Enabled = hasSelection && editable && clear; break;
            case -4: item->Enabled = hasSelection && clear; break;
            case -5: item->Enabled = CanPaste(); break;
            case -6: item->Enabled = hasSelection && editable; break;
            // All of the text selected is as much as its length or more.
            case -7: item->Enabled = GetSelLength() < length; break;
            default: break;
        }
    }
}

}  // namespace editors
