// The text edit's own drawing of its text, for the times the component paints the client
// area instead of the rich-edit window (painting a copy, or disabled and not entered).
#include "editors/dxDraw.h"
#include "editors/dxEditor.h"

namespace editors {

TdxEditViewData* TdxInplaceTextEdit::CreateViewData(bool FromLink) {
    TdxEditViewData* v = TdxInplaceEdit::CreateViewData(FromLink);
    if (auto* t = dynamic_cast<TdxTextEditViewData*>(v)) {
        t->CharCase = charCase_;
        t->PasswordChar = passwordChar_;
    }
    return v;
}

bool TdxInplaceTextEdit::DrawBackground(HDC DC, const RECT& Rect, bool SkipIfEditWindow, TdxEditViewData* ViewData) {
    // In ordinary painting the rich-edit window draws its own text.
    if (ViewData->HasEditWindow && SkipIfEditWindow) return false;
    std::string text = ViewData->Value.AsString();
    if (ViewData->TextLength == 0) ViewData->TextLength = static_cast<int>(text.size());
    const auto* own = dynamic_cast<const TdxTextEditViewData*>(ViewData);
    TEditCharCase charCase = own ? own->CharCase : ecNormal;
    char passwordChar = own ? own->PasswordChar : 0;
    if (charCase == ecUpperCase) text = fw::AnsiUpperCase(text);
    else if (charCase == ecLowerCase) text = fw::AnsiLowerCase(text);
    if (passwordChar && !text.empty()) text.assign(text.size(), passwordChar);
    ViewData->Value = fw::Variant(text);

    RECT textRect = Rect;
    InflateRect(&textRect, -1, -1);
    TextPaintFlags flags = tpTop;
    switch (ViewData->Alignment) {
        case taLeftJustify: flags |= tpLeft; break;
        case taRightJustify:
            flags |= tpRight;
            --textRect.right;
            break;
        case taCenter: flags |= tpCenter; break;
    }
    DrawAlignedText(DC, text, ViewData->TextLength, Rect, textRect, flags, ViewData->BrushHandle,
                    ViewData->FontHandle, ViewData->BackColor, ViewData->TextColor);
    return true;
}

}  // namespace editors
