#include "framework/IdAntiFreeze.h"

#include <algorithm>
#include <vector>

#include "framework/MessagePump.h"

namespace fw {

namespace {
// Every anti-freeze alive, oldest first. Only the user-interface thread touches it.
std::vector<TIdAntiFreeze*>& Instances() {
    static std::vector<TIdAntiFreeze*> all;
    return all;
}
}  // namespace

TIdAntiFreeze::TIdAntiFreeze(TComponent* owner) : TComponent(owner) { Instances().push_back(this); }

TIdAntiFreeze::~TIdAntiFreeze() {
    auto& all = Instances();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

bool TIdAntiFreeze::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "Active") Active = value.AsBool();
    else if (name == "ApplicationHasPriority") ApplicationHasPriority = value.AsBool();
    else if (name == "IdleTimeOut") IdleTimeOut = value.AsInt();
    else if (name == "OnlyWhenIdle") OnlyWhenIdle = value.AsBool();
    else return TComponent::SetProperty(name, value);
    return true;
}

TIdAntiFreeze* TIdAntiFreeze::ForCurrentThread() {
    if (GetCurrentThreadId() != MainThreadId()) return nullptr;
    auto& all = Instances();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if ((*it)->Active && !(*it)->Destroying()) return *it;
    return nullptr;
}

void TIdAntiFreeze::Process() { ProcessApplicationMessages(); }

}  // namespace fw
