// Colours, fonts and cursors as forms and controls use them.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

#include "framework/Classes.h"

namespace fw {

// 0x00BBGGRR for a colour, 0xFF000000 + index for a system colour.
using TColor = uint32_t;
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = 0xFF00000F, cl3DLight = 0xFF000016, clHighlightText = 0xFF00000E,
                 clWindowText = 0xFF000008, clWindow = 0xFF000005;
COLORREF ColorToRGB(TColor c);
// A colour by identifier ("clBtnFace") or number; raises EReadError for an unknown one.
TColor ColorFromValue(const TPropValue& v);

enum TCursor : int { crDefault = 0, crArrow = -2, crIBeam = -4, crHandPoint = -21 };
TCursor CursorFromValue(const TPropValue& v);
HCURSOR CursorHandle(TCursor c);

class TFont {
public:
    std::string Name = "MS Sans Serif";
    int Height = -11;
    TColor Color = clWindowText;
    bool Bold = false, Italic = false, Underline = false;
    int Charset = DEFAULT_CHARSET;

    ~TFont();
    // Sets "Name", "Height", "Color", "Style", "Charset" (the part after "Font.").
    bool SetProperty(const std::string& name, const TPropValue& value);
    HFONT Handle();  // made on first use after a change

private:
    void Changed();
    HFONT handle_ = nullptr;
};

}  // namespace fw
