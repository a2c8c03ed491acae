// Application events: lets a form filter every message the application's loop takes from
// the queue, before translation and dispatch.
#pragma once
#include "framework/Forms.h"

namespace fw {

class TApplicationEvents : public TComponent {
public:
    FW_CLASS(TApplicationEvents)
    explicit TApplicationEvents(TComponent* owner) : TComponent(owner) {}
    void AfterConstruction() override;
    void BeforeDestruction() override;
    TMessageEvent OnMessage;
    bool SetEvent(const std::string& name, const std::any& handler) override;

private:
    bool registered_ = false;
};

}  // namespace fw
