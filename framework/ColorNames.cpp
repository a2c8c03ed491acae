#include "framework/ColorNames.h"

#include "framework/IdentTable.h"

namespace fw {

namespace {
struct TColorName {
    TColor value;
    const char* name;
};
constexpr TColorName kColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {0x800000, "clNavy"}, {0x800080, "clPurple"}, {0x808000, "clTeal"}, {0x808080, "clGray"},
    {clSilver, "clSilver"}, {0x0000FF, "clRed"}, {0x00FF00, "clLime"}, {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"}, {0xFF00FF, "clFuchsia"}, {0xFFFF00, "clAqua"}, {clWhite, "clWhite"},
    {SystemColor(COLOR_SCROLLBAR), "clScrollBar"}, {SystemColor(COLOR_BACKGROUND), "clBackground"},
    {SystemColor(COLOR_ACTIVECAPTION), "clActiveCaption"}, {SystemColor(COLOR_INACTIVECAPTION), "clInactiveCaption"},
    {SystemColor(COLOR_MENU), "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {SystemColor(COLOR_MENUTEXT), "clMenuText"}, {clWindowText, "clWindowText"},
    {SystemColor(COLOR_CAPTIONTEXT), "clCaptionText"}, {SystemColor(COLOR_ACTIVEBORDER), "clActiveBorder"},
    {SystemColor(COLOR_INACTIVEBORDER), "clInactiveBorder"}, {SystemColor(COLOR_APPWORKSPACE), "clAppWorkSpace"},
    {SystemColor(COLOR_HIGHLIGHT), "clHighlight"}, {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"}, {SystemColor(COLOR_GRAYTEXT), "clGrayText"}, {SystemColor(COLOR_BTNTEXT), "clBtnText"},
    {SystemColor(COLOR_INACTIVECAPTIONTEXT), "clInactiveCaptionText"},
    {SystemColor(COLOR_BTNHIGHLIGHT), "clBtnHighlight"}, {SystemColor(COLOR_3DDKSHADOW), "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"}, {SystemColor(COLOR_INFOTEXT), "clInfoText"}, {SystemColor(COLOR_INFOBK), "clInfoBk"},
    {clNone, "clNone"}, {clDefault, "clDefault"},
};
}  // namespace

bool IdentToColor(const std::string& name, TColor& color) {
    return IdentToValue(kColorNames, &TColorName::value, name, color);
}

bool ColorToIdent(TColor color, std::string& name) {
    return ValueToIdent(kColorNames, &TColorName::value, color, name);
}

}  // namespace fw
