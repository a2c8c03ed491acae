// The shared editor tables: check-box glyph size, the hand cursor, time constants and
// formats, date keywords, tool commands with their pictures, the in-place pictures, dialog
// and menu captions, and the check-style controller with its default instance.
#pragma once
#include <windows.h>
#include <array>
#include <string>
#include <vector>

#include "editors/dxCntner.h"
#include "framework/DateUtils.h"
#include "framework/ImgList.h"
#include "framework/Units.h"

namespace editors {

constexpr TColor clDefault = 0x20000000;  // the bitmap's own transparent colour
constexpr TColor clOlive = 0x008080;

// --- check-box glyph ------------------------------------------------------------------------
extern int CheckBoxGlyphWidth, CheckBoxGlyphHeight;
struct TGlyphSize {
    int Width = 0, Height = 0;
};
// One glyph of a check-box bitmap of four columns and three rows; deletes the bitmap.
// No bitmap (or none readable) gives 0 by 0.
TGlyphSize CheckBoxGlyphSizeOf(HBITMAP bitmap);

// --- the hand cursor --------------------------------------------------------------------------
// Its index in the screen's cursor list.
constexpr int crEditHandPoint = -1140;
// The "DX_HANDPOINT" cursor, loaded at start-up into the screen's cursor list under
// crEditHandPoint (not shared: it is destroyed at shut-down); none outside the unit's life
// or when the resource is missing.
HCURSOR EditHandPointCursor();

// --- texts and constants ----------------------------------------------------------------------
extern std::string InvalidDateText;
extern fw::TDateTime OneSecond, OneMinute, OneHour, ZeroTime, LastTimeOfDay;

struct TTimeFormat {
    std::string DisplayFormat, EditMask;
};
extern std::array<TTimeFormat, 3> TimeFormats;
// "TODAY" ... "NOW", replaced at start-up by the string table's words.
extern std::array<std::string, 20> DateWords;

struct TToolCommand {
    std::string Bitmap, Caption, Text;
};
// Six commands (cut, copy, paste, delete, load, save) and an empty seventh row.
extern std::array<TToolCommand, 7> ToolCommands;
extern std::array<std::string, 3> DialogButtonCaptions;
extern std::array<std::string, 6> PopupMenuCaptions;

// --- pictures -----------------------------------------------------------------------------------
extern const std::array<const char*, 8> InplaceImageNames;
// The tool commands' pictures (16 by 16, the bitmaps' own transparent colour) and the
// in-place pictures (18 by 16, olive transparent), made at start-up from the program's
// bitmaps; a bitmap that cannot be loaded leaves a blank picture in its place.
extern fw::TImageList* ToolImages;
extern fw::TImageList* InplaceImages;
// A canvas with no device context, for measuring and drawing on borrowed contexts.
extern fw::TCanvas* WorkCanvas;
// How start-up builds them: a list of pictures of the given size, with the named bitmaps of
// the program in order (empty names skipped); the caller owns the list.
fw::TImageList* MakeEditorImageList(const std::vector<const char*>& names, int width, int height, TColor maskColor);

// --- check-style controller -------------------------------------------------------------------
// An edit style controller whose defaults are xbsNone borders and bts3D buttons.
class TdxCheckEditStyleController : public TdxEditStyleController {
public:
    FW_CLASS(TdxCheckEditStyleController)
    explicit TdxCheckEditStyleController(fw::TComponent* AOwner);
    void RestoreDefaults() override;

protected:
    TdxEditBorderStyle PublishedDefaultBorderStyle() const override { return xbsNone; }
    TdxEditButtonViewStyle PublishedDefaultButtonStyle() const override { return bts3D; }
};

extern TdxCheckEditStyleController* DefaultCheckEditStyleController;

fw::TUnit& dxExEdtrUnit();

}  // namespace editors
