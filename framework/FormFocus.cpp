// A form's focus: which of its controls has it, the CM_EXIT / CM_ENTER notifications of a
// move, giving it back on activation, and the tab order across nested windowed controls.
#include "framework/Forms.h"

#include <algorithm>

namespace fw {

namespace {
bool IsInside(const TControl* c, const TControl* container) {
    for (; c; c = c->Parent())
        if (c == container) return true;
    return false;
}

// Windowed controls in tab order: each parent's children by TabOrder, each followed by
// its own children.
void AddTabOrder(const TWinControl* parent, std::vector<TWinControl*>& out) {
    std::vector<TWinControl*> children;
    for (TControl* c : parent->Controls())
        if (c->IsWindowed()) children.push_back(static_cast<TWinControl*>(c));
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder < b->TabOrder; });
    for (TWinControl* c : children) {
        out.push_back(c);
        AddTabOrder(c, out);
    }
}
}  // namespace

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (control == this) control = nullptr;
    if (control == activeControl_) return true;
    TWinControl* old = activeControl_;
    const unsigned move = ++focusMoves_;
    if (old && !exiting_) {
        // While a control's CM_EXIT runs it is not told again: a handler that moves the
        // focus on just takes the move over.
        exiting_ = true;
        try {
            for (TWinControl* c = old; c && c != this && !IsInside(control, c); c = c->Parent()) c->Perform(CM_EXIT);
        } catch (...) {
            exiting_ = false;
            if (focusMoves_ == move && old->HandleAllocated() && old->CanFocus() && GetFocus() != old->Handle())
                ::SetFocus(old->Handle());  // the focus stays where it was
            throw;
        }
        exiting_ = false;
        if (focusMoves_ != move) return false;
    }
    activeControl_ = control;
    std::vector<TWinControl*> entered;
    for (TWinControl* c = control; c && c != this && !IsInside(old, c); c = c->Parent()) entered.push_back(c);
    for (auto it = entered.rbegin(); it != entered.rend() && focusMoves_ == move; ++it) (*it)->Perform(CM_ENTER);
    return focusMoves_ == move;
}

void TCustomForm::RestoreFocus() {
    if (activeControl_ && activeControl_->CanFocus() && activeControl_->HandleAllocated() &&
        GetFocus() != activeControl_->Handle())
        ::SetFocus(activeControl_->Handle());
}

void TCustomForm::FocusOnActivation() {
    // No control of the form has the focus yet: the first one in tab order that can take
    // it does, as if the candidate had tabbed into it.
    if (!activeControl_ && GetFocus() == hwnd_) SelectNext(true);
    else RestoreFocus();
}

void TCustomForm::SelectNext(bool forward) {
    std::vector<TWinControl*> order;
    AddTabOrder(this, order);
    auto selectable = [](TWinControl* w) { return w->TabStop && w->CanFocus(); };
    if (std::none_of(order.begin(), order.end(), selectable)) return;
    // Where the focus is now: the control whose window has it, else the innermost one
    // whose window holds the focused window.
    HWND focus = GetFocus();
    size_t at = order.size();
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i]->HandleAllocated() && order[i]->Handle() == focus) at = i;
    if (at == order.size())
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i]->HandleAllocated() && IsChild(order[i]->Handle(), focus)) at = i;
    const size_t n = order.size();
    for (size_t step = 1; step <= n; ++step) {
        size_t i;
        if (at == n) i = forward ? step - 1 : n - step;
        else i = forward ? (at + step) % n : (at + n - step) % n;
        if (selectable(order[i])) {
            order[i]->SetFocus();
            return;
        }
    }
}

}  // namespace fw
