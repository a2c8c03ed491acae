// Value names of the control types that published tables store (the edit controls'
// table among them), one table per type, ordinal 0 first. Sets use the table of their
// element type (TAnchors: set of TAnchorKind, all of it stored as bits).
#pragma once
#include "framework/Published.h"

namespace fw {

inline constexpr const char* kAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
inline constexpr TEnumType kAlignmentType("TAlignment", kAlignmentNames);

inline constexpr const char* kEditCharCaseNames[] = {"ecNormal", "ecUpperCase", "ecLowerCase"};
inline constexpr TEnumType kEditCharCaseType("TEditCharCase", kEditCharCaseNames);

inline constexpr const char* kDragModeNames[] = {"dmManual", "dmAutomatic"};
inline constexpr TEnumType kDragModeType("TDragMode", kDragModeNames);

inline constexpr const char* kDragKindNames[] = {"dkDrag", "dkDock"};
inline constexpr TEnumType kDragKindType("TDragKind", kDragKindNames);

inline constexpr const char* kImeModeNames[] = {"imDisable", "imClose",   "imOpen",    "imDontCare", "imSAlpha", "imAlpha",
                                                "imHira",    "imSKata",   "imKata",    "imChinese",  "imSHanguel",
                                                "imHanguel"};
inline constexpr TEnumType kImeModeType("TImeMode", kImeModeNames);

inline constexpr const char* kHelpTypeNames[] = {"htKeyword", "htContext"};
inline constexpr TEnumType kHelpTypeType("THelpType", kHelpTypeNames);

inline constexpr const char* kAnchorKindNames[] = {"akLeft", "akTop", "akRight", "akBottom"};
inline constexpr TEnumType kAnchorKindType("TAnchorKind", kAnchorKindNames);

}  // namespace fw
