#include "framework/Graphics.h"

#include <map>

#include "framework/ColorNames.h"
#include "framework/Cursors.h"

namespace fw {

COLORREF ColorToRGB(TColor c) {
    // Only a high byte of 0xFF marks a system colour; clNone and clDefault are no colour.
    if ((c >> 24) == 0xFF) return GetSysColor(static_cast<int>(c & 0xFF));
    return static_cast<COLORREF>(c & 0x00FFFFFF);
}

TColor ColorFromValue(const TPropValue& v) {
    if (v.kind == TPropValue::Int) return static_cast<TColor>(v.i);
    TColor c;
    if (!IdentToColor(v.AsIdent(), c)) throw EReadError(Format("Invalid colour %s (line %d)", v.s.c_str(), v.line));
    return c;
}

TCursor CursorFromValue(const TPropValue& v) {
    if (v.kind == TPropValue::Int) return static_cast<TCursor>(v.i);
    int index;
    if (!IdentToCursor(v.AsIdent(), index)) throw EReadError(Format("Invalid cursor %s (line %d)", v.s.c_str(), v.line));
    return static_cast<TCursor>(index);
}

HCURSOR CursorHandle(TCursor c) { return ScreenCursor(c); }

TFont::~TFont() {
    if (handle_) DeleteObject(handle_);
}

void TFont::Changed() {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
}

bool TFont::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "Name") Name = v.AsString();
    else if (name == "Height") Height = v.AsInt();
    else if (name == "Color") Color = ColorFromValue(v);
    else if (name == "Charset") Charset = v.kind == TPropValue::Int ? v.AsInt() : DEFAULT_CHARSET;
    else if (name == "Style") {
        if (v.kind != TPropValue::Set) throw EReadError(Format("Invalid font style (line %d)", v.line));
        Bold = Italic = Underline = false;
        for (const std::string& s : v.set) {
            if (s == "fsBold") Bold = true;
            else if (s == "fsItalic") Italic = true;
            else if (s == "fsUnderline") Underline = true;
            else throw EReadError(Format("Invalid font style %s (line %d)", s.c_str(), v.line));
        }
    } else {
        return false;
    }
    Changed();
    return true;
}

HFONT TFont::Handle() {
    if (!handle_)
        handle_ = CreateFontA(Height, 0, 0, 0, Bold ? FW_BOLD : FW_NORMAL, Italic, Underline, FALSE,
                              static_cast<DWORD>(Charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH, Name.c_str());
    return handle_;
}

}  // namespace fw
