#include "framework/AppEvnts.h"

namespace fw {

void TApplicationEvents::AfterConstruction() {
    TComponent::AfterConstruction();
    if (Application) {
        Application->AddMessageFilter(this, &OnMessage);
        registered_ = true;
    }
}

void TApplicationEvents::BeforeDestruction() {
    TComponent::BeforeDestruction();
    if (registered_ && Application) Application->RemoveMessageFilter(&OnMessage);
    registered_ = false;
}

bool TApplicationEvents::SetEvent(const std::string& name, const std::any& handler) {
    if (name == "OnMessage") OnMessage = EventCast<TMessageEvent>(handler, name);
    else return TComponent::SetEvent(name, handler);
    return true;
}

}  // namespace fw
