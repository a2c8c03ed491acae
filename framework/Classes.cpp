#include "framework/Classes.h"
#include "framework/Published.h"

#include <algorithm>
#include <cstring>
#include <strings.h>
#include <map>

namespace fw {

void TPersistent::Assign(TPersistent* Source) {
    if (Source)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
    Dest->AssignError(this);
}

const TPropTable& TPersistent::Published() {
    static const TPropTable table(nullptr);
    return table;
}

void TPersistent::AssignError(TPersistent* Source) {
    std::string from = Source ? Source->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

void Free(TObject* obj) {
    if (!obj) return;
    obj->BeforeDestruction();
    delete obj;
}

int TPropValue::AsInt() const {
    if (kind != Int) throw EReadError(Format("Invalid property value (line %d): integer expected", line));
    return static_cast<int>(i);
}

bool TPropValue::AsBool() const {
    if (kind == Ident && (s == "True" || s == "False")) return s == "True";
    throw EReadError(Format("Invalid property value (line %d): True or False expected", line));
}

const std::string& TPropValue::AsString() const {
    if (kind != String) throw EReadError(Format("Invalid property value (line %d): text expected", line));
    return s;
}

const std::string& TPropValue::AsIdent() const {
    if (kind != Ident) throw EReadError(Format("Invalid property value (line %d): identifier expected", line));
    return s;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

void TComponent::BeforeDestruction() {
    state_ |= csDestroying;
    DestroyComponents();
}

void TComponent::DestroyComponents() {
    // Owned components go newest first, while this whole object still exists.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        Free(c);
    }
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    // Tell everyone who asked that this component goes away.
    std::vector<TComponent*> notifies;
    notifies.swap(freeNotifies_);
    for (TComponent* c : notifies) {
        c->RemoveFreeNotification(this);
        c->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (strcasecmp(c->name_.c_str(), name.c_str()) == 0) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
    if (c->owner_) c->owner_->RemoveComponent(c);
    components_.push_back(c);
    c->owner_ = this;
    Notification(c, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
    auto it = std::find(components_.begin(), components_.end(), c);
    if (it == components_.end()) return;
    Notification(c, TOperation::opRemove);
    components_.erase(std::find(components_.begin(), components_.end(), c));
    c->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* c) {
    if (!c || c == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), c) == freeNotifies_.end()) freeNotifies_.push_back(c);
    if (std::find(c->freeNotifies_.begin(), c->freeNotifies_.end(), this) == c->freeNotifies_.end())
        c->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* c) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), c), freeNotifies_.end());
}

namespace {
// Clears the published references of obj (and of its nested objects) to c.
void ClearReferences(TPersistent& obj, TComponent* c, int depth) {
    if (depth > 8) return;
    for (const TPropInfo* p : obj.PropTable()->All()) {
        if (p->Kind == TPropKind::Reference && p->GetRef(obj) == c) p->SetRef(obj, nullptr);
        else if (p->Kind == TPropKind::Object)
            if (TPersistent* nested = p->GetNested(obj)) ClearReferences(*nested, c, depth + 1);
    }
}
}  // namespace

void TComponent::Notification(TComponent* c, TOperation op) {
    if (op == TOperation::opRemove && c) ClearReferences(*this, c, 0);
}

const TPropTable& TComponent::Published() {
    static const TPropTable table = TPublish<TComponent>(&TPersistent::Published())
        .String("Name", [](const TComponent& c) { return c.Name(); },
                [](TComponent& c, const std::string& v) { c.SetName(v); })
        .NotStored()  // the writer puts the name in the object's header
        .Integer("Tag", [](const TComponent& c) { return c.Tag; }, [](TComponent& c, long long v) { c.Tag = v; })
        .Default(0)
        .Table();
    return table;
}

bool TComponent::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "Name") {
        name_ = value.AsString();
        return true;
    }
    if (name == "Tag") {
        Tag = value.AsInt();
        return true;
    }
    return false;
}

bool TComponent::SetEvent(const std::string&, const std::any&) { return false; }

namespace {
std::map<std::string, TClassRegistry::Factory>& Classes() {
    static std::map<std::string, TClassRegistry::Factory> classes;
    return classes;
}
}  // namespace

void TClassRegistry::Register(const std::string& className, Factory factory) {
    Classes()[className] = std::move(factory);
}

TComponent* TClassRegistry::CreateByName(const std::string& className, TComponent* owner) {
    auto it = Classes().find(className);
    return it == Classes().end() ? nullptr : it->second(owner);
}


}  // namespace fw
