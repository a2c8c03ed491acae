// Keys, clicks, hovering and the context menu on a control's window.
#include <gtest/gtest.h>

#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "tests/support/ControlProbes.h"
#include "tests/support/ProbeFormTest.h"
#include "tests/support/Waits.h"

namespace {

using harness::ProbeControl;

class ControlInput : public harness::ProbeFormTest {
protected:
    ProbeControl* NewProbe(const std::string& base = "RichEdit20A") {
        ProbeControl* p = AddProbe(form, base);
        p->SetBounds(20, 20, 200, 40);
        return p;
    }
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
        if (key == VK_HOME) key = VK_END;
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
    SendMessageA(p->Handle(), WM_KEYDOWN, VK_HOME, 1);
    SendMessageA(p->Handle(), WM_CHAR, 'e', 1);
    EXPECT_EQ(p->Text(), "Yzbce") << "a changed key-down reaches the window changed";
    EXPECT_EQ(seen, (std::vector<std::string>{"press x", "press y", "press z", "press e"}));
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
    harness::WaitUntil([&] { return IsWindowVisible(p->Handle()); }, harness::kLocalWaitMs, "the probe's showing",
                       harness::WaitMode::Pump);
    RECT r;
    GetWindowRect(p->Handle(), &r);
    SetCursorPos(r.left + 150, r.bottom + 100);
    harness::PumpMessages(100);
    for (int dx : {5, 20, 40, 60}) {
        SetCursorPos(r.left + dx, r.top + 5);
        harness::PumpMessages(30);
    }
    harness::WaitUntil([&] { return p->enters == 1; }, harness::kLocalWaitMs, "the mouse's entering",
                       harness::WaitMode::Pump);
    SetCursorPos(r.left + 150, r.bottom + 100);
    harness::WaitUntil([&] { return p->leaves == 1; }, harness::kLocalWaitMs, "the mouse's leaving",
                       harness::WaitMode::Pump);
    harness::PumpMessages(300);
    EXPECT_EQ(p->enters, 1);
    EXPECT_EQ(p->leaves, 1);
}

TEST_F(ControlMouse, TheContextMenuGoesToTheGraphicChildThenOnContextPopupThenTheOwnMenu) {
    auto* label = fw::Create<fw::TLabel>(form);
    label->SetParent(form);
    label->SetBounds(10, 10, 50, 20);
    form->Show();
    std::vector<std::string> order;
    bool labelTakes = true, formTakes = false;
    label->OnContextPopup = [&](fw::TObject*, POINT pos, bool& handled) {
        order.push_back(fw::Format("label %d,%d", static_cast<int>(pos.x), static_cast<int>(pos.y)));
        handled = labelTakes;
    };
    form->OnContextPopup = [&](fw::TObject*, POINT pos, bool& handled) {
        order.push_back(fw::Format("form %d,%d", static_cast<int>(pos.x), static_cast<int>(pos.y)));
        handled = formTakes;
    };
    POINT at = {15, 12};
    ClientToScreen(form->Handle(), &at);
    auto contextMenu = [&](std::initializer_list<WPARAM> keys) {
        for (WPARAM k : keys) {
            PostMessageA(form->Handle(), WM_KEYDOWN, k, 1);
            PostMessageA(form->Handle(), WM_KEYUP, k, 0xC0000001);
        }
        LRESULT r = 0;
        harness::WaitForMenuToEnd(
            [&] {
                r = SendMessageA(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Handle()),
                                 MAKELPARAM(at.x, at.y));
            },
            harness::kLocalWaitMs, "the context menu's ending by the keys posted to it");
        harness::PumpMessages(50);
        return r;
    };
    EXPECT_NE(contextMenu({}), 0) << "handled by the label";
    labelTakes = false;
    EXPECT_EQ(contextMenu({}), 0) << "nobody took it";
    EXPECT_EQ(order, (std::vector<std::string>{"label 5,2", "label 5,2", "form 15,12"}));

    auto* menu = fw::Create<fw::TPopupMenu>(form);
    std::vector<long long> picked;
    for (long long tag : {7, 8}) {
        auto* item = fw::Create<fw::TMenuItem>(form);
        item->Caption = tag == 7 ? "&First" : "&Second";
        item->Tag = tag;
        item->OnClick = [&](fw::TObject* s) { picked.push_back(static_cast<fw::TMenuItem*>(s)->Tag); };
        menu->Items()->Add(item);
    }
    form->SetPopupMenu(menu);
    EXPECT_NE(contextMenu({VK_DOWN, VK_DOWN, VK_RETURN}), 0) << "handled by the popup menu";
    EXPECT_EQ(picked, std::vector<long long>{8});
    menu->AutoPopup = false;
    EXPECT_EQ(contextMenu({}), 0) << "a menu that does not pop up automatically leaves it to default handling";
    menu->AutoPopup = true;
    formTakes = true;
    order.clear();
    EXPECT_NE(contextMenu({VK_DOWN, VK_RETURN}), 0);
    EXPECT_EQ(picked, std::vector<long long>{8}) << "OnContextPopup comes before the menu";
    EXPECT_EQ(order.back(), "form 15,12");
}
