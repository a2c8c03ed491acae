#include "editors/dxExEdtr.h"

#include "editors/EditorStrings.h"
#include "framework/Cursors.h"
#include "framework/SysUtils.h"

namespace editors {

int CheckBoxGlyphWidth = 0, CheckBoxGlyphHeight = 0;
std::string InvalidDateText;
fw::TDateTime OneSecond = 0, OneMinute = 0, OneHour = 0, ZeroTime = 0, LastTimeOfDay = 0;

namespace {

const std::array<TTimeFormat, 3> InitialTimeFormats = {
    {{"hh:nn:ss", "00:00:00;1;0"}, {"hh:nn", "00:00;1;0"}, {"hh", "00;1;0"}}};
const std::array<const char*, 20> InitialDateWords = {
    "TODAY",    "YESTERDAY", "TOMORROW", "SUNDAY", "MONDAY", "TUESDAY", "WEDNESDAY",
    "THURSDAY", "FRIDAY",    "SATURDAY", "FIRST",  "SECOND", "THIRD",   "FOURTH",
    "FIFTH",    "SIXTH",     "SEVENTH",  "BOM",    "EOM",    "NOW"};
const std::array<const char*, 7> ToolBitmapNames = {"DXTOOL_CUT",    "DXTOOL_COPY", "DXTOOL_PASTE", "DXTOOL_DELETE",
                                                    "DXTOOL_LOAD",   "DXTOOL_SAVE", ""};

std::array<std::string, 20> MakeDateWords() {
    std::array<std::string, 20> words;
    for (size_t i = 0; i < words.size(); ++i) words[i] = InitialDateWords[i];
    return words;
}

std::array<TToolCommand, 7> MakeToolCommands() {
    std::array<TToolCommand, 7> rows;
    for (size_t i = 0; i < rows.size(); ++i) rows[i].Bitmap = ToolBitmapNames[i];
    return rows;
}

HCURSOR handPoint = nullptr;

}  // namespace

fw::TImageList* MakeEditorImageList(const std::vector<const char*>& names, int width, int height, TColor maskColor) {
    fw::TImageList* list = fw::Create<fw::TImageList>(nullptr, width, height);
    fw::TBitmap* bitmap = new fw::TBitmap;
    try {
        for (const char* name : names) {
            if (!*name) continue;
            try {
                bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), name);
            } catch (const fw::Exception&) {
                // Blank: all of it in the transparent colour (a plain fill is its own
                // automatic transparent colour), so that the pictures after it keep their rows.
                bitmap->SetSize(width, height);
                bitmap->Canvas().BrushColor = maskColor == clDefault ? clOlive : maskColor;
                bitmap->Canvas().FillRect(RECT{0, 0, width, height});
            }
            list->AddMasked(bitmap, maskColor);
        }
    } catch (...) {
        delete bitmap;
        fw::Free(list);
        throw;
    }
    delete bitmap;
    return list;
}

std::array<TTimeFormat, 3> TimeFormats = InitialTimeFormats;
std::array<std::string, 20> DateWords = MakeDateWords();
std::array<TToolCommand, 7> ToolCommands = MakeToolCommands();
std::array<std::string, 3> DialogButtonCaptions;
std::array<std::string, 6> PopupMenuCaptions;
const std::array<const char*, 8> InplaceImageNames = {
    "DXINPLACE_BLOB_NULL", "DXINPLACE_BLOB", "DXINPLACE_MEMO_NULL", "DXINPLACE_MEMO",
    "DXINPLACE_PICT_NULL", "DXINPLACE_PICT", "DXINPLACE_OLE_NULL",  "DXINPLACE_OLE"};
fw::TImageList* ToolImages = nullptr;
fw::TImageList* InplaceImages = nullptr;
fw::TCanvas* WorkCanvas = nullptr;
TdxCheckEditStyleController* DefaultCheckEditStyleController = nullptr;

TGlyphSize CheckBoxGlyphSizeOf(HBITMAP bitmap) {
    TGlyphSize size;
    if (!bitmap) return size;
    BITMAP info;
    if (GetObjectA(bitmap, sizeof info, &info) == sizeof info) {
        size.Width = info.bmWidth / 4;
        size.Height = info.bmHeight / 3;
    }
    DeleteObject(bitmap);
    return size;
}

HCURSOR EditHandPointCursor() { return handPoint; }

namespace {

void StartUp() {
    // The system check-box bitmap (OBM_CHECKBOXES).
    TGlyphSize glyph = CheckBoxGlyphSizeOf(LoadBitmapA(nullptr, MAKEINTRESOURCEA(32759)));
    CheckBoxGlyphWidth = glyph.Width;
    CheckBoxGlyphHeight = glyph.Height;

    // Loaded unshared: it is the program's own and destroyed at shut-down.
    handPoint = static_cast<HCURSOR>(LoadImageA(GetModuleHandleA(nullptr), "DX_HANDPOINT", IMAGE_CURSOR, 0, 0, 0));
    fw::SetScreenCursor(crEditHandPoint, handPoint);
    InvalidDateText = fw::LoadStr(sdxInvalidDate);

    OneSecond = fw::EncodeTime(0, 0, 1, 0);
    OneMinute = fw::EncodeTime(0, 1, 0, 0);
    OneHour = fw::EncodeTime(1, 0, 0, 0);
    ZeroTime = fw::EncodeTime(0, 0, 0, 0);
    LastTimeOfDay = fw::EncodeTime(23, 59, 59, 0);

    // The constant tables hold their initial values again should the unit start once more.
    TimeFormats = InitialTimeFormats;
    ToolCommands = MakeToolCommands();
    ToolImages = MakeEditorImageList({ToolBitmapNames.begin(), ToolBitmapNames.begin() + 6}, 16, 16, clDefault);
    for (unsigned row = 0; row < 6; ++row) {
        ToolCommands[row].Caption = fw::LoadStr(sdxFirstToolCaption + row);
        ToolCommands[row].Text = fw::LoadStr(sdxFirstToolText + row);
    }
    ToolCommands[6].Caption.clear();
    ToolCommands[6].Text.clear();

    WorkCanvas = new fw::TCanvas;
    InplaceImages = MakeEditorImageList({InplaceImageNames.begin(), InplaceImageNames.end()}, 18, 16, clOlive);

    for (unsigned i = 0; i < DialogButtonCaptions.size(); ++i)
        DialogButtonCaptions[i] = fw::LoadStr(sdxFirstDialogButtonCaption + i);
    for (unsigned i = 0; i < PopupMenuCaptions.size(); ++i)
        PopupMenuCaptions[i] = fw::LoadStr(sdxFirstPopupMenuCaption + i);

    DefaultCheckEditStyleController = fw::Create<TdxCheckEditStyleController>(nullptr);
    fw::TClassRegistry::Register<TdxCheckEditStyleController>();

    for (unsigned i = 0; i < DateWords.size(); ++i) DateWords[i] = fw::LoadStr(sdxFirstDateWord + i);
}

void ShutDown() {
    fw::FreeAndNil(DefaultCheckEditStyleController);
    delete WorkCanvas;
    WorkCanvas = nullptr;
    fw::FreeAndNil(ToolImages);
    fw::FreeAndNil(InplaceImages);
    if (HCURSOR own = fw::ScreenCursor(crEditHandPoint); own && own == handPoint) DestroyCursor(own);
    fw::SetScreenCursor(crEditHandPoint, nullptr);
    handPoint = nullptr;

    for (TToolCommand& row : ToolCommands) row.Bitmap.clear();
    for (std::string& word : DateWords) word.clear();
    for (TTimeFormat& format : TimeFormats) format = TTimeFormat();
    for (std::string& caption : PopupMenuCaptions) caption.clear();
    for (std::string& caption : DialogButtonCaptions) caption.clear();
    for (TToolCommand& row : ToolCommands) row.Caption.clear(), row.Text.clear();
    InvalidDateText.clear();
}

}  // namespace

fw::TUnit& dxExEdtrUnit() {
    static fw::TUnit unit("dxExEdtr", StartUp, ShutDown);
    return unit;
}

}  // namespace editors
