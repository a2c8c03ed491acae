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

// Font styles as a bit set.
using TFontStyles = unsigned;
enum TFontStyle : unsigned { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4 };

// A control's font. Every setter that changes a value reports it once through OnChange;
// the system font object is made on first use after a change, and the previous one is
// deleted only after OnChange has run, so a window can be handed the new one first.
class TFont : public TPersistent {
public:
    FW_CLASS(TFont)
    FW_PUBLISHED
    TFont() = default;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;
    ~TFont() override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    // Copies every value of another font with one change report; other sources are refused.
    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

    // Sets "Name", "Height", "Color", "Style", "Charset" (the part after "Font.").
    bool SetProperty(const std::string& name, const TPropValue& value);
    HFONT Handle();

private:
    void Changed();
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    int charset_ = DEFAULT_CHARSET;
    HFONT handle_ = nullptr;
};

}  // namespace fw
