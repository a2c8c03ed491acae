// Colours, fonts and cursors as forms and controls use them.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

#include "framework/Classes.h"

namespace fw {

// 0x00BBGGRR for a colour, 0xFF000000 + index for a system colour.
using TColor = uint32_t;
constexpr TColor SystemColor(int index) { return 0xFF000000u + static_cast<TColor>(index); }
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE), cl3DLight = SystemColor(COLOR_3DLIGHT),
                 clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT), clWindowText = SystemColor(COLOR_WINDOWTEXT),
                 clWindow = SystemColor(COLOR_WINDOW);
COLORREF ColorToRGB(TColor c);
// A colour by identifier ("clBtnFace") or number; raises EReadError for an unknown one.
TColor ColorFromValue(const TPropValue& v);

enum TCursor : int { crDefault = 0, crArrow = -2, crIBeam = -4, crHandPoint = -21 };
TCursor CursorFromValue(const TPropValue& v);
HCURSOR CursorHandle(TCursor c);

class TFont : public TPersistent {
public:
    FW_CLASS(TFont)
    FW_PUBLISHED
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
