// Colour names as descriptions write them, both ways, and the colours the edit controls
// and image lists name beside the ones in Graphics.h.
#pragma once
#include <string>

#include "framework/Graphics.h"

namespace fw {

constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME), clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clOlive = 0x008080, clSilver = 0xC0C0C0, clMaroon = 0x000080, clGreen = 0x008000;
// Not colours: "no colour" and "the colour the context chooses" (for an image list's mask:
// the bitmap's own transparent colour).
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// False when the name is not a colour name (names compare case-insensitively).
bool IdentToColor(const std::string& name, TColor& color);
// False when the colour has no name.
bool ColorToIdent(TColor color, std::string& name);

}  // namespace fw
