// Popup menus and their items.
//
// A menu item is a component (owned by whoever made it) that may also sit in the item
// list of a parent item or menu. Freeing an item takes it out of its parent's list and
// frees its own sub-items; freeing a menu frees the items in its list. An item is freed
// once whichever goes first: the item, its owner or its menu.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "framework/Classes.h"

namespace fw {

class TMenuItem : public TComponent {
public:
    FW_CLASS(TMenuItem)
    FW_PUBLISHED
    explicit TMenuItem(TComponent* owner) : TComponent(owner) {}
    void BeforeDestruction() override;

    std::string Caption;  // "-" makes a separator
    bool Enabled = true;
    TNotifyEvent OnClick;
    bool IsLine() const { return Caption == "-"; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int i) const { return items_.at(static_cast<size_t>(i)); }
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);  // appends; takes it out of a former parent first
    void Remove(TMenuItem* item);
    // Runs OnClick when the item is enabled and not a separator.
    virtual void Click();

    bool SetEvent(const std::string& name, const std::any& handler) override;
    void AddDescriptionChild(TComponent* c) override;
    TComponent* DescriptionParent() const override;

private:
    friend class TPopupMenu;
    void FreeItems();
    TComponent* menu_ = nullptr;  // the popup menu whose item list this is
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
public:
    FW_CLASS(TPopupMenu)
    FW_PUBLISHED
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    void BeforeDestruction() override;

    TMenuItem* Items() const { return items_; }
    bool AutoPopup = true;
    // Shows the menu at a screen point and waits for the choice; the chosen item's
    // OnClick runs once, after the menu has closed. Nothing runs when the menu is dismissed.
    void Popup(int x, int y);
    // The menu handle of the last showing (rebuilt at every showing); null before the
    // first. Destroyed with the menu.
    HMENU Handle() const { return handle_; }

    void AddDescriptionChild(TComponent* c) override;

private:
    void Build(HMENU menu, TMenuItem* parent, std::vector<TMenuItem*>& commands);
    TMenuItem* items_;
    HMENU handle_ = nullptr;
};

}  // namespace fw
