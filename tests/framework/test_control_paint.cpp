// Painting of windowed controls: the DC in WM_PAINT's wParam, PaintTo's copy, no GDI object left behind.
#include <gtest/gtest.h>

#include "framework/StdCtrls.h"
#include "tests/support/ControlProbes.h"
#include "tests/support/GdiCounter.h"

namespace {

using harness::ProbeControl;

class ControlPaint : public ::testing::Test {
protected:
    void SetUp() override {
        form = fw::Create<harness::BareForm>(nullptr);
        form->SetBounds(100, 100, 400, 300);
        probe = fw::Create<ProbeControl>(form, "");
        probe->SetParent(form);
        probe->SetBounds(20, 20, 100, 40);
        auto* label = fw::Create<fw::TLabel>(form);
        label->SetCaption("label");
        label->SetParent(form);
        label->SetBounds(20, 80, 100, 20);
        form->Show();
        harness::PumpMessages();
        screen = GetDC(nullptr);
        mem = CreateCompatibleDC(screen);
        bmp = CreateCompatibleBitmap(screen, 400, 300);
        oldBmp = SelectObject(mem, bmp);
    }
    void TearDown() override {
        SelectObject(mem, oldBmp);
        DeleteObject(bmp);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        fw::Free(form);
    }
    HDC screen = nullptr, mem = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ oldBmp = nullptr;

    harness::BareForm* form = nullptr;
    ProbeControl* probe = nullptr;
};

}  // namespace

TEST_F(ControlPaint, APaintGoesIntoTheDCItCarriesAndPaintToMarksACopy) {
    probe->fill = RGB(255, 0, 0);
    probe->paintDCs.clear();
    probe->paintCopies.clear();

    SendMessageA(probe->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
    ASSERT_EQ(probe->paintDCs.size(), 1u);
    EXPECT_EQ(probe->paintDCs[0], mem);
    EXPECT_FALSE(probe->paintCopies[0]);
    EXPECT_EQ(GetPixel(mem, 5, 5), RGB(255, 0, 0)) << "painted into the given DC";

    InvalidateRect(probe->Handle(), nullptr, TRUE);
    UpdateWindow(probe->Handle());
    ASSERT_EQ(probe->paintDCs.size(), 2u);
    EXPECT_NE(probe->paintDCs[1], mem);
    EXPECT_NE(probe->paintDCs[1], nullptr) << "without one, the paint's own DC";

    probe->fill = RGB(0, 0, 255);
    form->PaintTo(mem, 0, 0);
    ASSERT_EQ(probe->paintDCs.size(), 3u);
    EXPECT_EQ(probe->paintDCs[2], mem);
    EXPECT_TRUE(probe->paintCopies[2]) << "csPaintCopy while painting a copy";
    EXPECT_EQ(probe->ControlState & fw::csPaintCopy, 0u) << "and only then";
    EXPECT_EQ(GetPixel(mem, 25, 25), RGB(0, 0, 255)) << "the child at its place";
    EXPECT_EQ(GetPixel(mem, 5, 5), fw::ColorToRGB(form->Color())) << "the form's background";
}

TEST_F(ControlPaint, AThousandPaintsLeaveNoGdiObjectBehind) {
    form->SetColor(0x336699);  // a new brush, made at the next paint and kept
    probe->fill = RGB(0, 255, 0);
    auto paintAll = [&] {
        InvalidateRect(form->Handle(), nullptr, TRUE);
        UpdateWindow(form->Handle());
        SendMessageA(probe->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0);
        SendMessageA(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
        form->PaintTo(mem, 0, 0);
    };
    paintAll();  // what painting keeps (brushes, fonts) is made now
    {
        harness::GdiCounter counter;
        for (int i = 0; i < 1000; ++i) paintAll();
        EXPECT_GT(counter.Created(), 1000u) << "the counter sees the paints' own objects";
        std::vector<HANDLE> left = counter.Alive();
        for (HANDLE h : left) EXPECT_EQ(GetObjectType(h), 0u) << left.size() << " objects left";
        EXPECT_EQ(counter.DCsHeld(), 0) << "every window DC taken was released";
    }
}
