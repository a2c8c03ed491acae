// The auxiliary component units: tray icon, colour tables, colour picker, desktop colour
// scheme, status panes and their neighbours. Only their start-up and shut-down work is
// part of the program; their components are never created. Each unit lives in a file of
// its own under components/ and is reached through its accessor, so that no work happens
// in static constructors.
#pragma once
#include <windows.h>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/Units.h"

namespace components {

using fw::SystemColor;
using fw::TColor;

struct TColorName {
    std::string Name;
    TColor Value;
};

struct TColorPickerEntry {
    TColor Value;
    std::string Name;
};

// --- TrayIcon ---------------------------------------------------------------------------
extern UINT TaskbarCreatedMessage;       // id of "TaskbarCreated"; 0 when not registered
extern fw::TObject* TrayIconHandler;     // never created in this program
// The common-controls library's version as (major << 16) | minor; 0 when unknown.
std::int32_t ComCtlVersion();
// The id of "TaskbarCreated" when version is at least 4.71 (compared as a signed
// number), registering it; 0 otherwise.
UINT TaskbarCreatedMessageFor(std::int32_t version);
fw::TUnit& TrayIconUnit();

// --- colour-scheme unit -------------------------------------------------------------------
extern bool IsHighColorDisplay;          // more than 256 colours
extern std::uint8_t DesktopColorScheme;  // 0, 1 (HomeStead) or 2 (Metallic)
// The screen answers NUMCOLORS with -1 when it has more than 8 bits per pixel.
bool ProbeHighColorDisplay();
// "HOMESTEAD" 1, "METALLIC" 2 (ASCII letters in any case), anything else 0.
std::uint8_t ColorSchemeFromName(const std::string& colorName);
// Reads value "ColorName" of subkey "ThemeManager" under root\keyPath, opening keys for
// reading only and creating nothing; a missing or unreadable key or value gives 0.
std::uint8_t ProbeDesktopColorScheme(HKEY root = HKEY_CURRENT_USER,
                                     const std::string& keyPath = "\\Software\\Microsoft\\Windows\\CurrentVersion");
fw::TUnit& ColorSchemeUnit();

// --- colour-name unit ----------------------------------------------------------------------
extern std::array<TColorName, 16> StandardColorNames;
extern std::array<TColorName, 25> SystemColorNames;
extern TColorName CustomColorName;
extern TColorName DefaultColorName;
fw::TUnit& ColorNamesUnit();

// --- colour-picker unit ----------------------------------------------------------------------
// The names come from the program's string table, ids FirstColorPickerNameId onwards.
constexpr unsigned FirstColorPickerNameId = 65008;
extern std::array<TColorPickerEntry, 70> ColorPickerEntries;
fw::TUnit& ColorPickerUnit();

// --- library-handle unit --------------------------------------------------------------------
extern HMODULE LoadedLibraryHandle;      // never loaded in this program
fw::TUnit& LibraryHandleUnit();

// --- StatusPanes ------------------------------------------------------------------------------
extern std::array<std::string, 4> KeyStateCaptions;
extern std::array<std::string, 2> ResourceCaptions;
fw::TUnit& StatusPanesUnit();

// --- shared-object unit ------------------------------------------------------------------------
extern fw::TObject* SharedObject;        // never created in this program
fw::TUnit& SharedObjectUnit();

// The units with work, in start-up order (shut-down runs in reverse).
std::vector<fw::TUnit*> AuxiliaryUnits();

}  // namespace components
