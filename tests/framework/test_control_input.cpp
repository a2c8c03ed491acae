// Keys and the mouse on a control's window: a key zeroed by a handler never reaches the
// window, a double click is one DblClick, hovering is one enter and one leave, and the
// context menu goes to a graphic child, then OnContextPopup.
#include <gtest/gtest.h>

#include "framework/StdCtrls.h"
#include "tests/support/ControlProbes.h"

namespace {

using harness::ProbeControl;

class ControlInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadLibraryA("riched20.dll"));
        form = fw::Create<harness::BareForm>(nullptr);
        form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override { fw::Free(form); }

    ProbeControl* NewProbe(const std::string& base = "RichEdit20A") {
        auto* p = fw::Create<ProbeControl>(form, base);
        p->SetParent(form);
        p->SetBounds(20, 20, 200, 40);
        return p;
    }

    harness::BareForm* form = nullptr;
};

using ControlKeys = ControlInput;
using ControlMouse = ControlInput;

class Clicks : public ProbeControl {
public:
    using ProbeControl::ProbeControl;
    int clicks = 0, dblClicks = 0;
    void Click() override {
        ++clicks;
        ProbeControl::Click();
    }
    void DblClick() override {
        ++dblClicks;
        ProbeControl::DblClick();
    }
};

void DoubleClick(HWND h) {
    LPARAM at = MAKELPARAM(10, 10);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(h, WM_LBUTTONUP, 0, at);
    SendMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(h, WM_LBUTTONUP, 0, at);
}

}  // namespace

TEST_F(ControlKeys, AKeyZeroedByAHandlerLeavesTheSuperclassedEditUnchanged) {
    ProbeControl* p = NewProbe();
    form->Show();
    p->SetText("abc");
    SendMessageA(p->Handle(), EM_SETSEL, 0, 0);
    std::vector<std::string> seen;
    p->OnKeyPress = [&](fw::TObject*, char& key) {
        seen.push_back(std::string("press ") + key);
        if (key == 'x') key = 0;
        if (key == 'y') key = 'Y';
    };
    p->OnKeyDown = [&](fw::TObject*, WORD& key, fw::TShiftState) {
        if (key == VK_DELETE && seen.size() < 3) key = 0;
    };
    SendMessageA(p->Handle(), WM_CHAR, 'x', 1);
    EXPECT_EQ(p->Text(), "abc") << "a zeroed character";
    SendMessageA(p->Handle(), WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(p->Text(), "abc") << "a zeroed key-down";
    SendMessageA(p->Handle(), WM_CHAR, 'y', 1);
    EXPECT_EQ(p->Text(), "Yabc") << "a changed character reaches the window changed";
    SendMessageA(p->Handle(), WM_CHAR, 'z', 1);
    SendMessageA(p->Handle(), WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(p->Text(), "Yzbc") << "keys left alone reach the window";
    EXPECT_EQ(seen, (std::vector<std::string>{"press x", "press y", "press z"}));
}

TEST_F(ControlMouse, ADoubleClickIsOneClickAndOneDblClickUnlessTheControlTakesNoDoubleClicks) {
    auto* p = fw::Create<Clicks>(form, "");
    p->SetParent(form);
    form->Show();
    std::vector<std::string> events;
    p->OnMouseDown = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState s, int x, int y) {
        events.push_back(fw::Format("down %d,%d%s", x, y, (s & fw::ssDouble) ? " double" : ""));
    };
    p->OnMouseUp = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { events.push_back("up"); };
    DoubleClick(p->Handle());
    EXPECT_EQ(p->clicks, 1);
    EXPECT_EQ(p->dblClicks, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"down 10,10", "up", "down 10,10 double", "up"}));
    EXPECT_EQ(p->ControlState & fw::csLButtonDown, 0u);

    p->ControlStyle &= ~fw::csDoubleClicks;
    DoubleClick(p->Handle());
    EXPECT_EQ(p->clicks, 3) << "two presses, two clicks";
    EXPECT_EQ(p->dblClicks, 1);
}

TEST_F(ControlMouse, HoveringIsOneEnterAndOneLeave) {
    ProbeControl* p = NewProbe("");
    form->Show();
    harness::PumpUntil([&] { return IsWindowVisible(p->Handle()); });
    RECT r;
    GetWindowRect(p->Handle(), &r);
    SetCursorPos(r.left + 150, r.bottom + 100);  // outside
    harness::PumpMessages(100);
    for (int dx : {5, 20, 40, 60}) {
        SetCursorPos(r.left + dx, r.top + 5);
        harness::PumpMessages(30);
    }
    EXPECT_TRUE(harness::PumpUntil([&] { return p->enters == 1; }));
    SetCursorPos(r.left + 150, r.bottom + 100);
    EXPECT_TRUE(harness::PumpUntil([&] { return p->leaves == 1; }));
    harness::PumpMessages(300);
    EXPECT_EQ(p->enters, 1);
    EXPECT_EQ(p->leaves, 1);
}

TEST_F(ControlMouse, TheContextMenuGoesToTheGraphicChildThenToOnContextPopup) {
    auto* label = fw::Create<fw::TLabel>(form);
    label->SetParent(form);
    label->SetBounds(10, 10, 50, 20);
    form->Show();
    std::vector<std::string> order;
    bool labelTakes = true;
    label->OnContextPopup = [&](fw::TObject*, POINT pos, bool& handled) {
        order.push_back(fw::Format("label %d,%d", static_cast<int>(pos.x), static_cast<int>(pos.y)));
        handled = labelTakes;
    };
    form->OnContextPopup = [&](fw::TObject*, POINT pos, bool&) {
        order.push_back(fw::Format("form %d,%d", static_cast<int>(pos.x), static_cast<int>(pos.y)));
    };
    POINT onLabel = {15, 12};
    ClientToScreen(form->Handle(), &onLabel);
    LPARAM at = MAKELPARAM(onLabel.x, onLabel.y);
    EXPECT_NE(SendMessageA(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Handle()), at), 0)
        << "handled by the label";
    labelTakes = false;
    EXPECT_EQ(SendMessageA(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Handle()), at), 0)
        << "nobody took it";
    EXPECT_EQ(order, (std::vector<std::string>{"label 5,2", "label 5,2", "form 15,12"}));
}
