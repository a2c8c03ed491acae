#include "framework/Menus.h"

#include <algorithm>

#include "framework/Published.h"

namespace fw {

// --- TMenuItem ---------------------------------------------------------------------------------

const TPropTable& TMenuItem::Published() {
    static const TPropTable table = TPublish<TMenuItem>(&TComponent::Published())
        .String("Caption", [](const TMenuItem& m) { return m.Caption; },
                [](TMenuItem& m, const std::string& v) { m.Caption = v; })
        .Boolean("Enabled", [](const TMenuItem& m) { return m.Enabled; }, [](TMenuItem& m, long long v) { m.Enabled = v != 0; })
        .Default(1)
        .Table();
    return table;
}

void TMenuItem::BeforeDestruction() {
    TComponent::BeforeDestruction();
    if (parent_) parent_->Remove(this);
    FreeItems();
}

void TMenuItem::FreeItems() {
    while (!items_.empty()) {
        TMenuItem* item = items_.back();
        items_.pop_back();
        item->parent_ = nullptr;
        Free(item);  // its owner's list forgets it as it goes
    }
}

void TMenuItem::Add(TMenuItem* item) {
    if (!item || item == this) return;
    if (item->parent_) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
}

void TMenuItem::Click() {
    if (Enabled && !IsLine() && OnClick) OnClick(this);
}

bool TMenuItem::SetEvent(const std::string& name, const std::any& handler) {
    if (name == "OnClick") OnClick = EventCast<TNotifyEvent>(handler, name);
    else return TComponent::SetEvent(name, handler);
    return true;
}

void TMenuItem::AddDescriptionChild(TComponent* c) {
    auto* item = dynamic_cast<TMenuItem*>(c);
    if (!item) throw EReadError("Only menu items can be placed in " + Name());
    Add(item);
}

TComponent* TMenuItem::DescriptionParent() const {
    if (!parent_) return nullptr;
    return parent_->menu_ ? parent_->menu_ : parent_;
}

// --- TPopupMenu --------------------------------------------------------------------------------

const TPropTable& TPopupMenu::Published() {
    static const TPropTable table = TPublish<TPopupMenu>(&TComponent::Published())
        .Boolean("AutoPopup", [](const TPopupMenu& m) { return m.AutoPopup; },
                 [](TPopupMenu& m, long long v) { m.AutoPopup = v != 0; })
        .Default(1)
        .Table();
    return table;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(Create<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

void TPopupMenu::BeforeDestruction() {
    TComponent::BeforeDestruction();
    FreeAndNil(items_);
}

TPopupMenu::~TPopupMenu() {
    Free(items_);
    if (handle_) DestroyMenu(handle_);
}

void TPopupMenu::AddDescriptionChild(TComponent* c) {
    auto* item = dynamic_cast<TMenuItem*>(c);
    if (!item) throw EReadError("Only menu items can be placed in " + Name());
    items_->Add(item);
}

void TPopupMenu::Build(HMENU menu, TMenuItem* parent, std::vector<TMenuItem*>& commands) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        UINT grayed = item->Enabled ? 0 : MF_GRAYED;
        if (item->IsLine()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else if (item->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            Build(sub, item, commands);
            AppendMenuA(menu, MF_POPUP | MF_STRING | grayed, reinterpret_cast<UINT_PTR>(sub), item->Caption.c_str());
        } else {
            commands.push_back(item);
            AppendMenuA(menu, MF_STRING | grayed, commands.size(), item->Caption.c_str());
        }
    }
}

namespace {
bool Contains(TMenuItem* parent, TMenuItem* item) {
    for (int i = 0; i < parent->Count(); ++i)
        if (parent->Items(i) == item || Contains(parent->Items(i), item)) return true;
    return false;
}

// A hidden window to own the menu while the program has no active window.
HWND MakeOwnerWindow() {
    static const char* kClass = "FwPopupOwner";
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), kClass, &wc)) {
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        RegisterClassA(&wc);
    }
    return CreateWindowExA(WS_EX_TOOLWINDOW, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}
}  // namespace

void TPopupMenu::Popup(int x, int y) {
    if (handle_) DestroyMenu(handle_);
    handle_ = CreatePopupMenu();
    if (!handle_) throw Exception("Failed to create menu");
    std::vector<TMenuItem*> commands;
    Build(handle_, items_, commands);
    HWND owner = GetActiveWindow();
    HWND temporary = owner ? nullptr : MakeOwnerWindow();
    if (temporary) {
        owner = temporary;
        SetForegroundWindow(owner);
    }
    UINT id = TrackPopupMenu(handle_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner,
                             nullptr);
    if (temporary) DestroyWindow(temporary);
    // The menu's own loop ran messages: the item may be gone by now.
    if (id > 0 && id <= commands.size() && items_ && Contains(items_, commands[id - 1])) commands[id - 1]->Click();
}

}  // namespace fw
