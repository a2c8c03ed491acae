// The text edit's selection, clipboard and undo commands. Each command asks for the window
// (which creates it); the queries that only make sense with a window answer False without.
#include <cstring>

#include "editors/dxEditor.h"

namespace editors {

void TdxInplaceTextEdit::Undo() { SendMessageA(Handle(), EM_UNDO, 0, 0); }
void TdxInplaceTextEdit::Redo() { SendMessageA(Handle(), EM_REDO, 0, 0); }
void TdxInplaceTextEdit::CutToClipboard() { SendMessageA(Handle(), WM_CUT, 0, 0); }
void TdxInplaceTextEdit::CopyToClipboard() { SendMessageA(Handle(), WM_COPY, 0, 0); }
void TdxInplaceTextEdit::PasteFromClipboard() { SendMessageA(Handle(), WM_PASTE, 0, 0); }
void TdxInplaceTextEdit::ClearSelection() { SendMessageA(Handle(), WM_CLEAR, 0, 0); }

void TdxInplaceTextEdit::ClearUndo() {
    if (HandleAllocated()) SendMessageA(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
}

bool TdxInplaceTextEdit::CanUndo() { return HandleAllocated() && SendMessageA(hwnd_, EM_CANUNDO, 0, 0) != 0; }

bool TdxInplaceTextEdit::CanRedo() { return HandleAllocated() && SendMessageA(hwnd_, EM_CANREDO, 0, 0) != 0; }

bool TdxInplaceTextEdit::CanPaste() {
    return HandleAllocated() && IsEditable() && SendMessageA(hwnd_, EM_CANPASTE, 0, 0) != 0;
}

int TdxInplaceTextEdit::GetTextLength() {
    GETTEXTLENGTHEX how = {GTL_DEFAULT, CP_ACP};
    return static_cast<int>(SendMessageA(Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

void TdxInplaceTextEdit::GetSelection(CHARRANGE& Range) {
    SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&Range));
}

void TdxInplaceTextEdit::SetSelection(int Start, int Stop) {
    CHARRANGE r = {Start, Stop};
    SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

int TdxInplaceTextEdit::GetSelStart() {
    CHARRANGE r = {};
    GetSelection(r);
    return r.cpMin;
}

int TdxInplaceTextEdit::GetSelLength() {
    CHARRANGE r = {};
    GetSelection(r);
    return r.cpMax - r.cpMin;
}

void TdxInplaceTextEdit::SetSelStart(int Value) { SetSelection(Value, Value); }

void TdxInplaceTextEdit::SetSelLength(int Value) {
    CHARRANGE r = {};
    GetSelection(r);
    SetSelection(r.cpMin, r.cpMin + Value);
}

void TdxInplaceTextEdit::SelectAll() { SetSelection(0, -1); }

void TdxInplaceTextEdit::MoveCaretToEnd() { SendMessageA(Handle(), EM_SETSEL, 0x7FFFFFFF, -1); }

// The window counts the selection in characters but writes two bytes for each double-byte
// one (and answers with bytes or characters, depending on the window): the buffer has room
// for two bytes per character, starts zeroed, and the text ends at its first zero.
std::string TdxInplaceTextEdit::GetSelText() {
    int length = GetSelLength();
    if (length < 0) length = 0;
    std::string buffer(2 * static_cast<size_t>(length) + 1, '\0');
    SendMessageA(Handle(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(&buffer[0]));
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

// BufSize counts bytes; a double-byte character that does not fit whole is left out.
int TdxInplaceTextEdit::GetSelTextBuf(char* Buffer, int BufSize) {
    if (!Buffer || BufSize < 0) return 0;
    std::string text = GetSelText();
    size_t n = 0;
    while (n < text.size()) {
        size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[n])) && n + 1 < text.size() ? 2 : 1;
        if (n + step > static_cast<size_t>(BufSize)) break;
        n += step;
    }
    std::memcpy(Buffer, text.data(), n);
    Buffer[n] = '\0';
    return static_cast<int>(n);
}

void TdxInplaceTextEdit::TextMenuItemClick(fw::TObject* Sender) {
    auto* item = dynamic_cast<fw::TComponent*>(Sender);
    if (!item) return;
    switch (item->Tag) {
        case -1: Undo(); break;
        case -2: Redo(); break;
        case -3: CutToClipboard(); break;
        case -4: CopyToClipboard(); break;
        case -5: PasteFromClipboard(); break;
        case -6: ClearSelection(); break;
        case -7: SelectAll(); break;
        default: break;
    }
}

}  // namespace editors
