// Colour-scheme unit: whether the screen shows more than 256 colours, and which desktop
// colour scheme the user has chosen. The scheme is only looked at: nothing is created
// or changed in the user's registry.
#include "components/AuxUnits.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"

namespace components {

bool IsHighColorDisplay = false;
std::uint8_t DesktopColorScheme = 0;

bool ProbeHighColorDisplay() {
    HDC dc = GetDC(nullptr);
    // Nothing between taking and releasing the DC can raise.
    bool high = GetDeviceCaps(dc, NUMCOLORS) == -1;
    ReleaseDC(nullptr, dc);
    return high;
}

std::uint8_t ColorSchemeFromName(const std::string& colorName) {
    const std::string upper = fw::AnsiUpperAscii(colorName);
    if (upper == "HOMESTEAD") return 1;
    if (upper == "METALLIC") return 2;
    return 0;
}

std::uint8_t ProbeDesktopColorScheme(HKEY root, const std::string& keyPath) {
    std::string colorName;
    fw::TRegistry* reg = fw::Create<fw::TRegistry>(static_cast<REGSAM>(KEY_READ));
    try {
        reg->SetRootKey(root);
        if (reg->OpenKeyReadOnly(keyPath) && reg->OpenKeyReadOnly("ThemeManager") && reg->ValueExists("ColorName"))
            colorName = reg->ReadString("ColorName");
    } catch (const fw::Exception&) {
        // A value that is not text reads as no scheme at all.
        colorName.clear();
    } catch (...) {
        fw::Free(reg);
        throw;
    }
    fw::Free(reg);
    return ColorSchemeFromName(colorName);
}

fw::TUnit& ColorSchemeUnit() {
    static fw::TUnit unit(
        "ColorScheme",
        [] {
            IsHighColorDisplay = ProbeHighColorDisplay();
            DesktopColorScheme = ProbeDesktopColorScheme();
        },
        nullptr);
    return unit;
}

}  // namespace components
