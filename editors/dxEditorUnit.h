// The text edit unit's start-up tables: the RichEdit 2.0 library behind every text edit's
// window, and the captions of the built-in text menu.
#pragma once
#include <windows.h>
#include <array>
#include <string>

#include "framework/Units.h"

namespace editors {

// Module of "RICHED20.DLL"; none when it could not be loaded.
extern HMODULE RichEditModule;

enum TTextMenuCaption { tmcUndo, tmcRedo, tmcCut, tmcCopy, tmcPaste, tmcDelete, tmcSelectAll };
extern std::array<std::string, 7> TextMenuCaptions;

// Text edit windows that exist at the moment: while there are any, the library stays
// loaded, shut-down or not, so that no window is left without its window procedure.
extern int TextEditWindowCount;

fw::TUnit& dxEditorUnit();

}  // namespace editors
