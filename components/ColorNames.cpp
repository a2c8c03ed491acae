// Colour-name unit: the names of the standard and system colours. The tables are constant;
// shut-down lets their texts go.
#include "components/AuxUnits.h"

namespace components {

std::array<TColorName, 16> StandardColorNames = {{
    {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},  {"Purple", 0x800080}, {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},   {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00}, {"White", 0xFFFFFF},
}};

// The N-th entry names system colour N.
std::array<TColorName, 25> SystemColorNames = {{
    {"ScrollBar", SystemColor(0)},
    {"Background", SystemColor(1)},
    {"ActiveCaption", SystemColor(2)},
    {"InactiveCaption", SystemColor(3)},
    {"Menu", SystemColor(4)},
    {"Window", SystemColor(5)},
    {"WindowFrame", SystemColor(6)},
    {"MenuText", SystemColor(7)},
    {"WindowText", SystemColor(8)},
    {"CaptionText", SystemColor(9)},
    {"ActiveBorder", SystemColor(10)},
    {"InactiveBorder", SystemColor(11)},
    {"AppWorkSpace", SystemColor(12)},
    {"Highlight", SystemColor(13)},
    {"HighlightText", SystemColor(14)},
    {"BtnFace", SystemColor(15)},
    {"BtnShadow", SystemColor(16)},
    {"GrayText", SystemColor(17)},
    {"BtnText", SystemColor(18)},
    {"InactiveCaptionText", SystemColor(19)},
    {"BtnHighlight", SystemColor(20)},
    {"3DDkShadow", SystemColor(21)},
    {"3DLight", SystemColor(22)},
    {"InfoText", SystemColor(23)},
    {"InfoBk", SystemColor(24)},
}};

TColorName CustomColorName = {"Custom", 0};
TColorName DefaultColorName = {"Default", 0};

namespace {
void Release(std::string& s) { std::string().swap(s); }
}  // namespace

fw::TUnit& ColorNamesUnit() {
    static fw::TUnit unit("ColorNames", nullptr, [] {
        for (TColorName& c : SystemColorNames) Release(c.Name);
        for (TColorName& c : StandardColorNames) Release(c.Name);
        Release(CustomColorName.Name);
        Release(DefaultColorName.Name);
    });
    return unit;
}

}  // namespace components
