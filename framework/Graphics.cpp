#include "framework/Graphics.h"

#include <map>

namespace fw {

COLORREF ColorToRGB(TColor c) {
    if (c & 0xFF000000) return GetSysColor(static_cast<int>(c & 0xFF));
    return static_cast<COLORREF>(c);
}

TColor ColorFromValue(const TPropValue& v) {
    if (v.kind == TPropValue::Int) return static_cast<TColor>(v.i);
    static const std::map<std::string, TColor> names = {
        {"clBlack", clBlack}, {"clWhite", clWhite}, {"clBtnFace", clBtnFace}, {"cl3DLight", cl3DLight},
        {"clHighlightText", clHighlightText}, {"clWindowText", clWindowText}, {"clWindow", clWindow},
        {"clNavy", 0x800000}, {"clBlue", 0xFF0000}, {"clRed", 0x0000FF}, {"clGray", 0x808080}};
    auto it = names.find(v.AsIdent());
    if (it == names.end()) throw EReadError(Format("Invalid colour %s (line %d)", v.s.c_str(), v.line));
    return it->second;
}

TCursor CursorFromValue(const TPropValue& v) {
    if (v.kind == TPropValue::Int) return static_cast<TCursor>(v.i);
    const std::string& s = v.AsIdent();
    if (s == "crDefault") return crDefault;
    if (s == "crArrow") return crArrow;
    if (s == "crIBeam") return crIBeam;
    if (s == "crHandPoint") return crHandPoint;
    throw EReadError(Format("Invalid cursor %s (line %d)", s.c_str(), v.line));
}

HCURSOR CursorHandle(TCursor c) {
    switch (c) {
        case crHandPoint: return LoadCursor(nullptr, IDC_HAND);
        case crIBeam: return LoadCursor(nullptr, IDC_IBEAM);
        default: return LoadCursor(nullptr, IDC_ARROW);
    }
}

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
