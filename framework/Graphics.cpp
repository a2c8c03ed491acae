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
