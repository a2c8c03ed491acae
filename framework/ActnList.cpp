#include "framework/ActnList.h"

#include <algorithm>

namespace fw {

void TAction::BeforeDestruction() {
    TComponent::BeforeDestruction();
    if (ActionList) ActionList->RemoveAction(this);
}

bool TAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TAction::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "Caption") Caption = v.AsString();
    else return TComponent::SetProperty(name, v);
    return true;
}

bool TAction::SetEvent(const std::string& name, const std::any& handler) {
    if (name == "OnExecute") OnExecute = EventCast<TNotifyEvent>(handler, name);
    else return TComponent::SetEvent(name, handler);
    return true;
}

bool TComponent::ExecuteAction(TAction* Action) {
    if (!Action || !Action->HandlesTarget(this)) return false;
    Action->ExecuteTarget(this);
    return true;
}

bool TComponent::UpdateAction(TAction* Action) {
    if (!Action || !Action->HandlesTarget(this)) return false;
    Action->UpdateTarget(this);
    return true;
}

void TActionList::BeforeDestruction() {
    TComponent::BeforeDestruction();
    for (TAction* a : actions_) a->ActionList = nullptr;
    actions_.clear();
}

void TActionList::AddAction(TAction* a) {
    if (a->ActionList) a->ActionList->RemoveAction(a);
    actions_.push_back(a);
    a->ActionList = this;
}

void TActionList::RemoveAction(TAction* a) {
    actions_.erase(std::remove(actions_.begin(), actions_.end(), a), actions_.end());
    a->ActionList = nullptr;
}

void TActionList::AddDescriptionChild(TComponent* c) {
    auto* a = dynamic_cast<TAction*>(c);
    if (!a) throw EReadError("Only actions can be placed in " + Name());
    AddAction(a);
}

}  // namespace fw
