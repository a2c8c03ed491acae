// Popup menus: keyboard picks, disabled items and separators, items and handles freed once.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/Menus.h"
#include "tests/support/Waits.h"

namespace {

int g_itemsDestroyed = 0;

class TCountedItem : public fw::TMenuItem {
public:
    using TMenuItem::TMenuItem;
    ~TCountedItem() override { ++g_itemsDestroyed; }
};

// A menu of "&Undo" (-1), a separator, "Cu&t" (-3) and "&Paste" (-5), items owned by Owner.
struct MenuFixture : ::testing::Test {
    void SetUp() override {
        g_itemsDestroyed = 0;
        owner = fw::Create<fw::TComponent>(nullptr);
        menu = fw::Create<fw::TPopupMenu>(owner);
        for (auto [caption, tag] : {std::pair<const char*, int>{"&Undo", -1}, {"-", 0x7FFFFFFF}, {"Cu&t", -3}, {"&Paste", -5}}) {
            auto* item = fw::Create<TCountedItem>(owner);
            item->Caption = caption;
            item->Tag = tag;
            item->OnClick = [this](fw::TObject* sender) { tags.push_back(static_cast<fw::TMenuItem*>(sender)->Tag); };
            menu->Items()->Add(item);
        }
        window = CreateWindowExA(0, "STATIC", "keys", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        fw::Free(owner);
        DestroyWindow(window);
    }
    void PopupWithKeys(std::initializer_list<WPARAM> keys) {
        for (WPARAM k : keys) {
            PostMessageA(window, WM_KEYDOWN, k, 1);
            PostMessageA(window, WM_KEYUP, k, 0xC0000001);
        }
        harness::WaitForMenuToEnd([&] { menu->Popup(100, 100); }, harness::kLocalWaitMs,
                                  "the menu's ending by the keys posted to it");
        harness::DiscardMessages();
    }
    fw::TComponent* owner = nullptr;
    fw::TPopupMenu* menu = nullptr;
    HWND window = nullptr;
    std::vector<long long> tags;
};

}  // namespace

TEST_F(MenuFixture, AnItemPickedFromTheKeyboardRunsItsClickOnceWithItsTag) {
    PopupWithKeys({VK_DOWN, VK_DOWN, VK_RETURN});  // past the separator to "Cut"
    EXPECT_EQ(tags, std::vector<long long>{-3});
    HMENU handle = menu->Handle();
    ASSERT_TRUE(IsMenu(handle));
    EXPECT_EQ(GetMenuItemCount(handle), 4);
    EXPECT_EQ(GetMenuState(handle, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));

    PopupWithKeys({VK_ESCAPE});
    EXPECT_EQ(tags, std::vector<long long>{-3}) << "a dismissed menu runs nothing";
    EXPECT_FALSE(IsMenu(handle)) << "each showing builds the menu afresh";
    handle = menu->Handle();
    fw::Free(menu);
    EXPECT_FALSE(IsMenu(handle)) << "the menu handle goes with the menu";
    menu = nullptr;
}

TEST_F(MenuFixture, ADisabledItemCannotRun) {
    menu->Items()->Items(0)->Enabled = false;
    PopupWithKeys({VK_DOWN, VK_RETURN, VK_ESCAPE});
    EXPECT_TRUE(tags.empty());
    EXPECT_EQ(GetMenuState(menu->Handle(), 0, MF_BYPOSITION) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    menu->Items()->Items(0)->Click();
    menu->Items()->Items(1)->Click();
    EXPECT_TRUE(tags.empty()) << "neither a disabled item nor a separator runs when clicked";
}

TEST_F(MenuFixture, ItemsAreFreedOnceWhoeverGoesFirst) {
    fw::Free(menu->Items()->Items(3));  // the item first: it leaves the menu
    EXPECT_EQ(g_itemsDestroyed, 1);
    EXPECT_EQ(menu->Items()->Count(), 3);
    fw::Free(menu);  // then the menu: its items with it, and their owner forgets them
    menu = nullptr;
    EXPECT_EQ(g_itemsDestroyed, 4);
    EXPECT_EQ(owner->ComponentCount(), 0);
    fw::Free(owner);
    owner = fw::Create<fw::TComponent>(nullptr);
    menu = fw::Create<fw::TPopupMenu>(owner);
    menu->Items()->Add(fw::Create<TCountedItem>(owner));
    fw::Free(owner);  // the owner frees menu and item once
    owner = nullptr;
    EXPECT_EQ(g_itemsDestroyed, 5);
}
