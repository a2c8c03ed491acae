// Bitmaps, image lists with mask colours, the screen's cursor table; every handle gone after freeing.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/Bitmaps.h"
#include "framework/ColorNames.h"
#include "framework/Cursors.h"
#include "framework/Forms.h"
#include "framework/ImgList.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

// Draws image 0 of the list over a green ground and answers the pixel at (x, y).
COLORREF DrawnPixel(fw::TImageList* list, int x, int y) {
    fw::TBitmap target;
    target.SetSize(list->Width(), list->Height());
    target.Canvas().BrushColor = 0x00FF00;
    target.Canvas().FillRect(RECT{0, 0, list->Width(), list->Height()});
    list->Draw(target.Canvas().Handle(), 0, 0, 0);
    return GetPixel(target.Canvas().Handle(), x, y);
}

class TCursorForm : public fw::TForm {
public:
    FW_CLASS(TCursorForm)
    using TForm::TForm;
    bool HasDescription() const override { return false; }
};

}  // namespace

TEST(GraphicsResources, BitmapsLoadFromFourBitResourcesAndFreeTheirHandles) {
    auto* bitmap = new fw::TBitmap;
    bitmap->LoadFromResourceName(Self(), "TEST_INPLACE");
    EXPECT_EQ(bitmap->Width(), 18);
    EXPECT_EQ(bitmap->Height(), 16);
    BITMAP bm;
    ASSERT_TRUE(GetObjectA(bitmap->Handle(), sizeof bm, &bm));
    EXPECT_EQ(bm.bmBitsPixel, 4) << "the picture is kept as loaded";
    EXPECT_EQ(bitmap->TransparentColor(), 0xFFFFFFu) << "the bottom-left pixel";
    EXPECT_EQ(bitmap->Canvas().Pixel(1, 1), fw::clOlive);
    HBITMAP handle = bitmap->Handle();
    HDC dc = bitmap->Canvas().Handle();
    delete bitmap;
    EXPECT_EQ(GetObjectType(handle), 0u);
    EXPECT_EQ(GetObjectType(dc), 0u);

    fw::TBitmap empty;
    EXPECT_TRUE(empty.Empty());
    EXPECT_THROW(empty.LoadFromResourceName(Self(), "NO_SUCH_PICTURE"), fw::Exception);
    empty.SetSize(4, 3);
    HBITMAP made = empty.Handle();
    empty.SetSize(0, 0);
    EXPECT_EQ(GetObjectType(made), 0u) << "a replaced picture is deleted";
}

TEST(GraphicsResources, ImageListsHoldTheirPicturesWithTheMaskColourTransparent) {
    int live = fw::TImageList::LiveHandles();
    fw::TBitmap tool, inplace;
    tool.LoadFromResourceName(Self(), "TEST_TOOL");
    inplace.LoadFromResourceName(Self(), "TEST_INPLACE");

    auto* tools = fw::Create<fw::TImageList>(nullptr, tool.Width(), tool.Height());
    tools->AddMasked(&tool, fw::clDefault);
    EXPECT_EQ(tools->AddMasked(&tool, fw::clDefault), 1);
    EXPECT_EQ(tools->Count(), 2);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(tools->Handle(), &cx, &cy);
    EXPECT_TRUE(cx == 16 && cy == 16);
    EXPECT_EQ(DrawnPixel(tools, 0, 0), RGB(0, 255, 0)) << "clDefault: the bottom-left colour (magenta) is transparent";
    EXPECT_EQ(DrawnPixel(tools, 8, 8), RGB(255, 0, 0));

    auto* inplaces = fw::Create<fw::TImageList>(nullptr, 18, 16);
    inplaces->AddMasked(&inplace, fw::clOlive);
    EXPECT_EQ(DrawnPixel(inplaces, 1, 1), RGB(0, 255, 0)) << "olive is transparent";
    EXPECT_EQ(DrawnPixel(inplaces, 0, 15), RGB(255, 255, 255)) << "the bottom-left pixel is not the mask colour here";
    EXPECT_EQ(DrawnPixel(inplaces, 8, 8), RGB(0, 0, 255));
    EXPECT_EQ(inplace.Canvas().Pixel(1, 1), fw::clOlive) << "adding leaves the source picture alone";

    EXPECT_EQ(fw::TImageList::LiveHandles(), live + 2);
    fw::Free(tools);
    fw::Free(inplaces);
    EXPECT_EQ(fw::TImageList::LiveHandles(), live) << "every image list made is destroyed";
}

TEST(GraphicsResources, ACursorSetInTheScreenTableIsWhatTheControlShows) {
    constexpr int crEditHandPoint = -1140;
    HCURSOR hand = static_cast<HCURSOR>(LoadImageA(Self(), "TEST_HAND", IMAGE_CURSOR, 0, 0, 0));
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(fw::ScreenCursor(crEditHandPoint), LoadCursorA(nullptr, IDC_ARROW)) << "an unset slot";
    fw::SetScreenCursor(crEditHandPoint, hand);
    EXPECT_EQ(fw::ScreenCursor(crEditHandPoint), hand);
    EXPECT_EQ(fw::ScreenCursor(fw::crHandPoint), LoadCursorA(nullptr, IDC_HAND));

    auto* form = fw::Create<TCursorForm>(nullptr);
    form->Cursor = static_cast<fw::TCursor>(crEditHandPoint);
    HWND w = form->Handle();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_TRUE(SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), hand);
    form->Cursor = fw::crIBeam;
    SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_IBEAM));
    fw::Free(form);

    // The program destroys its own cursor at shut-down; the table never does.
    fw::SetScreenCursor(crEditHandPoint, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(hand, &info)) << "clearing the slot left the cursor alive";
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    EXPECT_TRUE(DestroyCursor(hand));
    EXPECT_FALSE(GetIconInfo(hand, &info)) << "the cursor is gone";
    EXPECT_NE(fw::ScreenCursor(fw::crArrow), nullptr);
}
