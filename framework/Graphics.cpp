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
    HFONT old = handle_;
    handle_ = nullptr;
    try {
        if (OnChange) OnChange(this);
    } catch (...) {
        if (old) DeleteObject(old);
        throw;
    }
    if (old) DeleteObject(old);
}

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::Assign(TPersistent* source) {
    auto* f = dynamic_cast<TFont*>(source);
    if (!f) {
        TPersistent::Assign(source);
        return;
    }
    if (f == this) return;
    if (f->name_ == name_ && f->height_ == height_ && f->color_ == color_ && f->style_ == style_ &&
        f->charset_ == charset_)
        return;
    name_ = f->name_;
    height_ = f->height_;
    color_ = f->color_;
    style_ = f->style_;
    charset_ = f->charset_;
    Changed();
}

bool TFont::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "Name") SetName(v.AsString());
    else if (name == "Height") SetHeight(v.AsInt());
    else if (name == "Color") SetColor(ColorFromValue(v));
    else if (name == "Charset") SetCharset(v.kind == TPropValue::Int ? v.AsInt() : DEFAULT_CHARSET);
    else if (name == "Style") {
        if (v.kind != TPropValue::Set) throw EReadError(Format("Invalid font style (line %d)", v.line));
        TFontStyles style = 0;
        for (const std::string& s : v.set) {
            if (s == "fsBold") style |= fsBold;
            else if (s == "fsItalic") style |= fsItalic;
            else if (s == "fsUnderline") style |= fsUnderline;
            else throw EReadError(Format("Invalid font style %s (line %d)", s.c_str(), v.line));
        }
        SetStyle(style);
    } else {
        return false;
    }
    return true;
}

HFONT TFont::Handle() {
    if (!handle_)
        handle_ = CreateFontA(height_, 0, 0, 0, (style_ & fsBold) ? FW_BOLD : FW_NORMAL, (style_ & fsItalic) != 0,
                              (style_ & fsUnderline) != 0, FALSE, static_cast<DWORD>(charset_), OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name_.c_str());
    return handle_;
}

}  // namespace fw
