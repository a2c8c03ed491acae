// Actions: named commands with an execute handler, held by an action list.
#pragma once
#include <vector>

#include "framework/Classes.h"

namespace fw {

class TActionList;

class TAction : public TComponent {
public:
    FW_CLASS(TAction)
    explicit TAction(TComponent* owner) : TComponent(owner) {}
    void BeforeDestruction() override;
    std::string Caption;
    TNotifyEvent OnExecute;
    TActionList* ActionList = nullptr;
    bool Execute();  // true when a handler ran
    // Target actions: an action that handles a component as its target works on it
    // through the component's ExecuteAction and UpdateAction. Plain actions handle none.
    virtual bool HandlesTarget(TObject*) { return false; }
    virtual void ExecuteTarget(TObject*) {}
    virtual void UpdateTarget(TObject*) {}
    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool SetEvent(const std::string& name, const std::any& handler) override;
};

class TActionList : public TComponent {
public:
    FW_CLASS(TActionList)
    explicit TActionList(TComponent* owner) : TComponent(owner) {}
    void BeforeDestruction() override;
    const std::vector<TAction*>& Actions() const { return actions_; }
    void AddAction(TAction* a);
    void RemoveAction(TAction* a);
    void AddDescriptionChild(TComponent* c) override;

private:
    std::vector<TAction*> actions_;
};

}  // namespace fw
