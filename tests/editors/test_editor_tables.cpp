// The editors' start-up tables and resources: strings, date words, first day of the week,
// check-box glyph, pictures, hand cursor, check-style controller, unit order, no leaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/ProgramUnits.h"
#include "editors/EditorStrings.h"
#include "editors/EditorUnits.h"
#include "editors/dxCalc.h"
#include "editors/dxCntner.h"
#include "editors/dxDraw.h"
#include "editors/dxExEdtr.h"
#include "editors/dxGrDate.h"
#include "framework/Cursors.h"
#include "framework/SysUtils.h"
#include "tests/editors/FakeEdit.h"

namespace {

using namespace editors;
using editors_test::FakeEdit;

std::vector<std::string> Names(const std::vector<fw::TUnit*>& units) {
    std::vector<std::string> out;
    for (fw::TUnit* u : units) out.push_back(u->Name());
    return out;
}

class EditorTables : public ::testing::Test {
protected:
    EditorTables() : units_(EditorUnits()) { units_.InitializeAll(); }
    ~EditorTables() override { units_.FinalizeAll(); }
    fw::TUnitSequence units_;
};

TEST(EditorResources, ACompleteBuildHoldsAll56StringsFourteenBitmapsAndTheCursor) {
    HMODULE self = GetModuleHandleA(nullptr);
    for (unsigned bundle = FirstEditorStringId / 16 + 1; bundle <= LastEditorStringId / 16 + 1; ++bundle)
        EXPECT_NE(nullptr, FindResourceExA(self, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(bundle),
                                           MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)))
            << bundle;
    EXPECT_EQ(56u, LastEditorStringId - FirstEditorStringId + 1);
    for (unsigned id = FirstEditorStringId; id <= LastEditorStringId; ++id) EXPECT_NE("", fw::LoadStr(id)) << id;
    EXPECT_EQ("", fw::LoadStr(38957));
    EXPECT_EQ("Invalid input value. Use escape key to abandon changes", fw::LoadStr(38948));
    const char* const menu[] = {"&Undo", "&Redo", "Error", "Cu&t", "&Copy", "&Paste", "&Delete", "Select &All"};
    for (unsigned id = 38949; id <= 38956; ++id) EXPECT_EQ(menu[id - 38949], fw::LoadStr(id)) << id;

    std::vector<const char*> bitmaps = {"DXTOOL_CUT",  "DXTOOL_COPY", "DXTOOL_PASTE",
                                        "DXTOOL_DELETE", "DXTOOL_LOAD", "DXTOOL_SAVE"};
    bitmaps.insert(bitmaps.end(), InplaceImageNames.begin(), InplaceImageNames.end());
    ASSERT_EQ(14u, bitmaps.size());
    for (const char* name : bitmaps) {
        HRSRC res = FindResourceA(self, name, MAKEINTRESOURCEA(2));
        ASSERT_NE(nullptr, res) << name;
        auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(self, res)));
        EXPECT_EQ(4, info->biBitCount) << name;
        EXPECT_EQ(std::string(name).rfind("DXTOOL_", 0) == 0 ? 16 : 18, info->biWidth) << name;
        EXPECT_EQ(16, info->biHeight) << name;
    }
    EXPECT_NE(nullptr, FindResourceA(self, "DX_HANDPOINT", MAKEINTRESOURCEA(12)));  // RT_GROUP_CURSOR
}

TEST_F(EditorTables, StartUpLoadsTheTextsAndShutDownClearsThem) {
    EXPECT_EQ("Error", CalcErrorText);
    ASSERT_NE(nullptr, CalcBitmap);
    EXPECT_TRUE(CalcBitmap->Empty());
    ASSERT_NE(nullptr, WorkCanvas);
    EXPECT_FALSE(WorkCanvas->HandleAllocated());
    EXPECT_EQ("Today" "Clear" "Invalid Date", TodayCaption + ClearCaption + InvalidDateText);
    EXPECT_EQ("TODAY", DateWords[0]);
    EXPECT_EQ("WEDNESDAY", DateWords[6]);
    EXPECT_EQ("NOW", DateWords[19]);
    EXPECT_EQ("&Close", DialogButtonCaptions[2]);
    EXPECT_EQ("&Load from file...", PopupMenuCaptions[5]);
    EXPECT_EQ("DXTOOL_SAVE" "&Save To..." "Save to file...",
              ToolCommands[5].Bitmap + ToolCommands[5].Caption + ToolCommands[5].Text);
    EXPECT_EQ("", ToolCommands[6].Bitmap + ToolCommands[6].Caption + ToolCommands[6].Text);

    // The time constants, a day being 1, and the three time formats with their edit masks.
    EXPECT_DOUBLE_EQ(1.0 / 86400, OneSecond);
    EXPECT_DOUBLE_EQ(1.0 / 1440, OneMinute);
    EXPECT_DOUBLE_EQ(1.0 / 24, OneHour);
    EXPECT_EQ(0.0, ZeroTime);
    EXPECT_DOUBLE_EQ(86399.0 / 86400, LastTimeOfDay);
    const std::pair<const char*, const char*> formats[] = {
        {"hh:nn:ss", "00:00:00;1;0"}, {"hh:nn", "00:00;1;0"}, {"hh", "00;1;0"}};
    for (size_t row = 0; row < 3; ++row) {
        EXPECT_EQ(formats[row].first, TimeFormats[row].DisplayFormat) << row;
        EXPECT_EQ(formats[row].second, TimeFormats[row].EditMask) << row;
    }

    units_.FinalizeAll();
    EXPECT_EQ(nullptr, CalcBitmap);
    EXPECT_EQ("", CalcErrorText + TodayCaption + ClearCaption + InvalidDateText);
    for (const std::string& w : DateWords) EXPECT_EQ("", w);
    for (const TToolCommand& row : ToolCommands) EXPECT_EQ("", row.Bitmap + row.Caption + row.Text);
    for (const TTimeFormat& f : TimeFormats) EXPECT_EQ("", f.DisplayFormat + f.EditMask);
    EXPECT_EQ("", DialogButtonCaptions[0] + PopupMenuCaptions[5]);
}

TEST(FirstDayOfWeek, LocaleNumberingFromMondayBecomesNumberingFromSunday) {
    // 6 Sunday, 0 Monday, 5 Saturday; past Saturday and any number wrap; no number is Monday.
    const std::pair<const char*, int> cases[] = {{"6", 0},          {"0", 1},   {"5", 6},      {"7", 0},
                                                 {"2147483647", 0}, {"261", 6}, {"", 1},       {"Sunday", 1}};
    for (const auto& [answer, day] : cases) EXPECT_EQ(day, FirstDayOfWeekFromLocale(answer)) << answer;

    const LCID saved = GetThreadLocale();
    for (const auto& [lang, day] : {std::pair{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), 0},
                                    std::pair{MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), 1}}) {
        ASSERT_TRUE(SetThreadLocale(MAKELCID(lang, SORT_DEFAULT)));
        dxGrDateUnit().Initialize();
        EXPECT_EQ(day, FirstDayOfWeek) << lang;
        dxGrDateUnit().Finalize();
    }
    SetThreadLocale(saved);
}

TEST(CheckBoxGlyph, IsAQuarterOfTheBitmapWideAndAThirdHighAndTheBitmapIsDeleted) {
    HBITMAP exact = CreateBitmap(52, 39, 1, 1, nullptr);
    TGlyphSize size = CheckBoxGlyphSizeOf(exact);
    EXPECT_EQ(13, size.Width);
    EXPECT_EQ(13, size.Height);
    EXPECT_EQ(0u, GetObjectType(exact));
    size = CheckBoxGlyphSizeOf(CreateBitmap(55, 41, 1, 1, nullptr));
    EXPECT_EQ(13, size.Width);
    EXPECT_EQ(13, size.Height);
    size = CheckBoxGlyphSizeOf(nullptr);
    EXPECT_EQ(0, size.Width + size.Height);
}

// The colour an image shows at (x, y) when drawn over a magenta background.
COLORREF DrawnPixel(fw::TImageList* list, int index, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, list->Width(), list->Height());
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    RECT all{0, 0, list->Width(), list->Height()};
    FillRect(dc, &all, magenta);
    list->Draw(dc, 0, 0, index);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(magenta);
    DeleteObject(target);
    DeleteDC(dc);
    return c;
}

// Whether a picture was drawn at all: some pixel differs from the background.
bool Shows(fw::TImageList* list, int index) {
    for (int x = 0; x < list->Width(); ++x)
        for (int y = 0; y < list->Height(); ++y)
            if (DrawnPixel(list, index, x, y) != RGB(255, 0, 255)) return true;
    return false;
}

TEST_F(EditorTables, AMissingPictureIsBlankInItsOwnRowWhereverItIs) {
    fw::TImageList* list =
        MakeEditorImageList({"NO_SUCH_PICTURE", "DXINPLACE_MEMO", "", "NO_SUCH_PICTURE", "DXINPLACE_BLOB"}, 18, 16, clOlive);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ((std::array{18, 16, 4}), (std::array{list->Width(), list->Height(), list->Count()})) << "empty names skipped";
    EXPECT_EQ((std::array{false, true, false, true}), (std::array{Shows(list, 0), Shows(list, 1), Shows(list, 2), Shows(list, 3)}));
    // The pictures sit at their own rows: each looks as its own row of the start-up list.
    for (int x = 0; x < 18; ++x)
        for (int y = 0; y < 16; ++y) {
            ASSERT_EQ(DrawnPixel(InplaceImages, 3, x, y), DrawnPixel(list, 1, x, y)) << x << "," << y;
            ASSERT_EQ(DrawnPixel(InplaceImages, 1, x, y), DrawnPixel(list, 3, x, y)) << x << "," << y;
        }
    fw::Free(list);

    // Nothing loadable at all: the list still has its size, with a blank picture.
    list = MakeEditorImageList({"NO_SUCH_PICTURE"}, 16, 16, clDefault);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ((std::array{16, 16, 1}), (std::array{list->Width(), list->Height(), list->Count()}));
    EXPECT_FALSE(Shows(list, 0));
    fw::Free(list);
}

TEST_F(EditorTables, PicturesAreImageListsOfTheirSizesWithTheirMaskColourTransparent) {
    ASSERT_TRUE(ToolImages && InplaceImages);
    EXPECT_EQ((std::array{6, 16, 16}), (std::array{ToolImages->Count(), ToolImages->Width(), ToolImages->Height()}));
    EXPECT_EQ((std::array{8, 18, 16}),
              (std::array{InplaceImages->Count(), InplaceImages->Width(), InplaceImages->Height()}));
    // Every picture lies on an olive ground: the in-place mask colour, and the tool pictures'
    // bottom-left pixel (automatic mask); the pictures themselves show.
    fw::TBitmap source;
    source.LoadFromResourceName(GetModuleHandleA(nullptr), "DXINPLACE_MEMO");
    ASSERT_EQ(clOlive, source.Canvas().Pixel(0, 0));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(RGB(255, 0, 255), DrawnPixel(InplaceImages, i, 0, 0)) << i;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(RGB(255, 0, 255), DrawnPixel(ToolImages, i, 0, 15)) << i;
    bool drawn = false;
    for (int x = 0; x < 18 && !drawn; ++x)
        for (int y = 0; y < 16 && !drawn; ++y) drawn = DrawnPixel(InplaceImages, 3, x, y) != RGB(255, 0, 255);
    EXPECT_TRUE(drawn);
    EXPECT_GT(CheckBoxGlyphWidth, 0);
    EXPECT_GT(CheckBoxGlyphHeight, 0);
}

TEST_F(EditorTables, CheckStyleControllerHasItsOwnDefaultsAndRestoresThemInOnePass) {
    ASSERT_NE(nullptr, DefaultCheckEditStyleController);
    EXPECT_EQ(nullptr, DefaultCheckEditStyleController->Owner());
    auto* check = fw::Create<TdxCheckEditStyleController>(nullptr);
    EXPECT_EQ(xbsNone, check->BorderStyle());
    EXPECT_EQ(bts3D, check->ButtonStyle());
    for (int v = svBorderColor; v <= svShadow; ++v)
        EXPECT_FALSE(check->IsStored(static_cast<TdxEditStyleValue>(v))) << v;

    FakeEdit a("a"), b("b");
    a.controller = b.controller = check;
    check->AddListener(&a);
    check->AddListener(&b);
    check->SetBorderStyle(xbs3D);
    check->SetButtonStyle(btsFlat);
    check->SetShadow(true);
    EXPECT_TRUE(check->IsStored(svBorderStyle));
    EXPECT_TRUE(check->IsStored(svButtonStyle));
    a.changes = b.changes = 0;
    check->RestoreDefaults();
    EXPECT_EQ(xbsNone, check->BorderStyle());
    EXPECT_EQ(bts3D, check->ButtonStyle());
    EXPECT_FALSE(check->Shadow());
    EXPECT_EQ(1, a.changes);
    EXPECT_EQ(1, b.changes);
    fw::Free(check);

    // A plain controller stores xbsNone and bts3D: its defaults differ.
    auto* plain = fw::Create<TdxEditStyleController>(nullptr);
    plain->SetBorderStyle(xbsNone);
    plain->SetButtonStyle(bts3D);
    EXPECT_TRUE(plain->IsStored(svBorderStyle));
    EXPECT_TRUE(plain->IsStored(svButtonStyle));
    fw::Free(plain);
}

TEST(EditorUnitOrder, UnitsStartInOrderOnceAndShutDownInReverseAfterTheAuxiliaryUnits) {
    const std::vector<std::string> order = {"dxDraw",   "dxCntner", "dxCalc",   "dxEditConsts",
                                            "dxGrDate", "dxEditor", "dxExEdtr", "dxEdLib"};
    EXPECT_EQ(order, Names(EditorUnits()));

    fw::UnitTrace().clear();
    fw::TUnitSequence seq(EditorUnits());
    seq.InitializeAll();
    TdxEditStyleController* controller = DefaultEditStyleController;
    HBRUSH checkerboard = CheckerboardBrush;
    for (fw::TUnit* u : EditorUnits()) u->Initialize();  // second time: no work
    EXPECT_EQ(controller, DefaultEditStyleController);
    EXPECT_EQ(checkerboard, CheckerboardBrush);
    for (fw::TUnit* u : EditorUnits()) EXPECT_EQ(2, u->Counter()) << u->Name();
    for (fw::TUnit* u : EditorUnits()) u->Finalize();  // not the last: nothing is released
    EXPECT_EQ(controller, DefaultEditStyleController);
    EXPECT_EQ("Today", TodayCaption);
    seq.FinalizeAll();
    EXPECT_EQ(nullptr, DefaultEditStyleController);

    std::vector<std::string> expected;
    for (const std::string& n : order) expected.push_back("init " + n);
    for (auto it = order.rbegin(); it != order.rend(); ++it) expected.push_back("fini " + *it);
    EXPECT_EQ(expected, fw::UnitTrace());

    // In the program: after the framework's and the auxiliary units, before the program's own.
    const std::vector<std::string> program = Names(app::ProgramUnits());
    auto at = [&](const std::string& n) { return std::find(program.begin(), program.end(), n) - program.begin(); };
    EXPECT_EQ(0, at("Forms"));
    EXPECT_LT(at("TrayIcon"), at("dxDraw"));
    for (size_t i = 1; i < order.size(); ++i) EXPECT_EQ(at(order[i - 1]) + 1, at(order[i])) << order[i];
    EXPECT_LT(at("dxEdLib"), at("DataModule"));
    EXPECT_EQ(static_cast<long>(program.size()), at("Unit_StartImage") + 1);
}

TEST(EditorUnitOrder, HandCursorHasItsHotSpotAndNoGdiObjectOrCursorOutlivesShutDown) {
    fw::TUnitSequence seq(EditorUnits());
    seq.InitializeAll();
    const int listsBefore = fw::TImageList::LiveHandles();
    std::vector<HGDIOBJ> objects = {CheckerboardBrush, ShadowBrush};
    for (HGDIOBJ o : objects) EXPECT_NE(0u, GetObjectType(o));
    ASSERT_TRUE(ToolImages && InplaceImages);
    HCURSOR cursor = EditHandPointCursor();
    EXPECT_EQ(-1140, crEditHandPoint);
    EXPECT_EQ(cursor, fw::ScreenCursor(crEditHandPoint)) << "the hand cursor is in the screen's list";
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(6u, info.xHotspot);
    EXPECT_EQ(0u, info.yHotspot);
    EXPECT_EQ(nullptr, info.hbmColor);
    BITMAP mask;
    ASSERT_EQ(static_cast<int>(sizeof mask), GetObjectA(info.hbmMask, sizeof mask, &mask));
    EXPECT_EQ(32, mask.bmWidth);
    EXPECT_EQ(64, mask.bmHeight);  // AND mask over XOR image
    DeleteObject(info.hbmMask);

    seq.FinalizeAll();
    for (HGDIOBJ o : objects) EXPECT_EQ(0u, GetObjectType(o));
    EXPECT_EQ(nullptr, ToolImages);
    EXPECT_EQ(nullptr, InplaceImages);
    EXPECT_EQ(nullptr, WorkCanvas);
    EXPECT_EQ(listsBefore - 2, fw::TImageList::LiveHandles()) << "both image lists destroyed";
    EXPECT_NE(cursor, fw::ScreenCursor(crEditHandPoint)) << "the slot is cleared";
    EXPECT_EQ(nullptr, EditHandPointCursor());
    EXPECT_FALSE(GetIconInfo(cursor, &info));  // destroyed, as it was loaded unshared
    EXPECT_EQ(nullptr, DefaultCheckEditStyleController);
}

}  // namespace
