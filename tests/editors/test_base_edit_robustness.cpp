// The base edit under failure and churn: painting that raises, paints that must end, region
// updates that must not feed themselves, a focused edit freed, GDI objects that must not pile up.
#include <gtest/gtest.h>

#include <memory>

#include "tests/editors/EditProbes.h"
#include "tests/support/GdiCounter.h"

namespace {

using namespace editors;
using namespace editors_test;

using EditRobustness = EditFixture;

bool HasUpdate(HWND wnd) { return GetUpdateRect(wnd, nullptr, FALSE) != 0; }

TEST_F(EditRobustness, PaintingThatRaisesFreesItsViewDataEndsThePaintAndShowsTheBox) {
    StandaloneEdit* e = Add();
    ShowForm();
    e->failPainting = true;
    for (bool enabled : {true, false}) {  // the framework's painting path and a disabled edit's own
        e->SetEnabled(enabled);
        app.boxes.clear();
        harness::GdiCounter counter;
        InvalidateRect(e->Handle(), nullptr, FALSE);
        UpdateWindow(e->Handle());
        EXPECT_EQ(std::vector<std::string>{"painting failed"}, app.boxes) << "enabled " << enabled;
        EXPECT_EQ(0, counter.DCsHeld()) << "every BeginPaint has its EndPaint";
        EXPECT_EQ(0, CountedViewData::alive);
        EXPECT_FALSE(HasUpdate(e->Handle())) << "BeginPaint was ended by EndPaint";
    }
    e->failPainting = false;
}

// Over an edit window the framework paints through a borrowed DC, which validates nothing.
TEST_F(EditRobustness, APaintingErrorOverAnEditWindowIsOneBoxAndLeavesTheWindowValid) {
    EditWindowEdit* e = Add<EditWindowEdit>();
    ShowForm();
    harness::PumpMessages(50);
    app.boxes.clear();
    const int paints = e->count[WM_PAINT];
    harness::GdiCounter counter;
    e->failPaints = 1;
    InvalidateRect(e->Handle(), nullptr, FALSE);
    UpdateWindow(e->Handle());
    EXPECT_EQ(std::vector<std::string>{"painting failed"}, app.boxes);
    EXPECT_FALSE(HasUpdate(e->Handle())) << "validated although the painting raised";
    EXPECT_EQ(0, counter.DCsHeld()) << "the borrowed DC went back";
    harness::PumpMessages(100);
    EXPECT_EQ(paints + 1, e->count[WM_PAINT]) << "no paint comes back";
    EXPECT_EQ(1u, app.boxes.size());

    InvalidateRect(e->Handle(), nullptr, FALSE);
    harness::PumpMessages(100);
    EXPECT_EQ(paints + 2, e->count[WM_PAINT]) << "the next invalidation paints again, once";
    EXPECT_EQ(1u, app.boxes.size());
}

TEST_F(EditRobustness, OneInvalidationGivesOnePaintInEachPaintingPath) {
    StandaloneEdit* plain = Add();
    EditWindowEdit* windowed = Add<EditWindowEdit>(10, 60);
    ShowForm();
    for (TdxInplaceEdit* e : {static_cast<TdxInplaceEdit*>(plain), static_cast<TdxInplaceEdit*>(windowed)}) {
        for (bool enabled : {true, false}) {
            e->SetEnabled(enabled);
            harness::PumpMessages(20);
            auto& count = e == plain ? plain->count : windowed->count;
            int before = count[WM_PAINT];
            InvalidateRect(e->Handle(), nullptr, FALSE);
            harness::PumpMessages(100);
            EXPECT_EQ(before + 1, count[WM_PAINT]) << e->ClassName() << " enabled " << enabled;
            EXPECT_FALSE(HasUpdate(e->Handle()));
        }
    }
}

TEST_F(EditRobustness, SizingAnAutoSizedEditSettlesAtItsHeightWithoutFeedingItself) {
    StandaloneEdit* e = Add();
    ShowForm();
    const int height = e->Height();
    int sizes = e->count[WM_SIZE];
    SetWindowPos(e->Handle(), nullptr, 0, 0, 140, 60, SWP_NOMOVE | SWP_NOZORDER);
    harness::PumpMessages(20);
    EXPECT_LE(e->count[WM_SIZE] - sizes, 3) << "a size change and the correction back, no loop";
    RECT r;
    GetWindowRect(e->Handle(), &r);
    EXPECT_EQ(height, r.bottom - r.top) << "auto-size puts the height back";
    EXPECT_EQ(140, r.right - r.left);
}

TEST_F(EditRobustness, FreeingAFocusedEditTouchesNothingFreed) {
    auto* controller = fw::Create<TdxEditStyleController>(form);
    StandaloneEdit* e = Add();
    StandaloneEdit* other = Add(10, 60);
    e->SetStyleController(controller);
    e->Style()->SetHotTrack(true);
    ShowForm();
    e->SetFocus();
    e->Perform(fw::CM_MOUSEENTER);
    ASSERT_EQ(GetFocus(), e->Handle());
    fw::Free(e);
    harness::PumpMessages(20);
    EXPECT_TRUE(app.boxes.empty());
    EXPECT_EQ(0, controller->ListenerCount());
    other->SetFocus();
    EXPECT_EQ(GetFocus(), other->Handle());
}

TEST_F(EditRobustness, AnEditOutlivingTheDefaultControllerFallsBackAndFreesCleanly) {
    StandaloneEdit* e = Add();
    ShowForm();
    dxCntnerUnit().Finalize();
    e->Style()->SetBorderStyle(xbsSingle);
    InvalidateRect(e->Handle(), nullptr, TRUE);
    RedrawWindow(e->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    fw::Free(e);
    dxCntnerUnit().Initialize();
    EXPECT_TRUE(app.boxes.empty());
}

TEST_F(EditRobustness, PaintingRegionsAndCursorQueriesGiveBackEveryGdiObjectAndDC) {
    StandaloneEdit* e = Add();
    e->Style()->SetShadow(true);
    ShowForm();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 200, 50);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    HFONT font = e->Font.Handle();
    {
        harness::GdiCounter counter;
        for (TdxEditBorderStyle s : {xbsSingle, xbsThick, xbsFlat, xbsNone}) {
            e->Style()->SetBorderStyle(s);  // a region for the window each time
            std::unique_ptr<TdxEditViewData> v(e->CreateViewData(false));
            for (int i = 0; i < 20; ++i) e->PaintEdit(dc, v.get());
            TdxEditViewInfo info;
            e->CalculateViewInfo(v.get(), true, info);
            for (int i = 0; i < 20; ++i) DeleteObject(TdxInplaceEdit::CreateEditRegion(info));
            for (int i = 0; i < 5; ++i) {
                RedrawWindow(e->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
                SendMessageA(e->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(e->Handle()), HTCLIENT);
            }
        }
        EXPECT_GT(counter.Created(), 100u) << "the counter sees the edit's own objects";
        for (HANDLE h : counter.Alive()) EXPECT_EQ(0u, GetObjectType(h)) << "object left, of type " << GetObjectType(h);
        EXPECT_EQ(0, counter.DCsHeld()) << "every window DC taken was released";
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font)) << "the control's font is not deleted";
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(ShadowBrush)) << "the shared shadow brush is not deleted";
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}

}  // namespace
