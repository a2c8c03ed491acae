// Colour-picker unit: the picker's palette and system colours. The values are constant;
// the names are localisable texts of the program's string table (ColorPickerNames.rc),
// loaded at start-up and let go at shut-down.
#include "components/AuxUnits.h"
#include "framework/SysUtils.h"

namespace components {

std::array<TColorPickerEntry, 70> ColorPickerEntries = {{
    // palette colours
    {0x000000, ""}, {0x003399, ""}, {0x003333, ""}, {0x003300, ""}, {0x663300, ""},
    {0x800000, ""}, {0x993333, ""}, {0x333333, ""}, {0x000080, ""}, {0x0066FF, ""},
    {0x008080, ""}, {0x008000, ""}, {0x808000, ""}, {0xFF0000, ""}, {0x996666, ""},
    {0x808080, ""}, {0x0000FF, ""}, {0x0099FF, ""}, {0x00CC99, ""}, {0x669933, ""},
    {0x999933, ""}, {0xFF6633, ""}, {0x800080, ""}, {0x999999, ""}, {0xFF00FF, ""},
    {0x00CCFF, ""}, {0x00FFFF, ""}, {0x00FF00, ""}, {0xFFFF00, ""}, {0xFFCC00, ""},
    {0x663399, ""}, {0xC0C0C0, ""}, {0xCC99FF, ""}, {0x99CCFF, ""}, {0x99FFFF, ""},
    {0xCCFFCC, ""}, {0xFFFFCC, ""}, {0xFFCC99, ""}, {0xFF99CC, ""}, {0xFFFFFF, ""},
    // system colours by index (25 has no entry)
    {SystemColor(0), ""},  {SystemColor(1), ""},  {SystemColor(2), ""},  {SystemColor(3), ""},
    {SystemColor(4), ""},  {SystemColor(5), ""},  {SystemColor(6), ""},  {SystemColor(7), ""},
    {SystemColor(8), ""},  {SystemColor(9), ""},  {SystemColor(10), ""}, {SystemColor(11), ""},
    {SystemColor(12), ""}, {SystemColor(13), ""}, {SystemColor(14), ""}, {SystemColor(15), ""},
    {SystemColor(16), ""}, {SystemColor(17), ""}, {SystemColor(18), ""}, {SystemColor(19), ""},
    {SystemColor(20), ""}, {SystemColor(21), ""}, {SystemColor(22), ""}, {SystemColor(23), ""},
    {SystemColor(24), ""}, {SystemColor(26), ""}, {SystemColor(27), ""}, {SystemColor(28), ""},
    {SystemColor(29), ""}, {SystemColor(30), ""},
}};

fw::TUnit& ColorPickerUnit() {
    static fw::TUnit unit(
        "ColorPicker",
        [] {
            unsigned id = FirstColorPickerNameId;
            for (TColorPickerEntry& e : ColorPickerEntries) e.Name = fw::LoadStr(id++);
        },
        [] {
            for (TColorPickerEntry& e : ColorPickerEntries) std::string().swap(e.Name);
        });
    return unit;
}

}  // namespace components
