// Components: objects with an owner that frees them, a name, and published properties
// and events that form descriptions set by name.
//
// Creation has two phases: the constructor (which must not rely on virtual calls), then
// AfterConstruction, where virtual queries answer for the final class. Destruction starts
// in BeforeDestruction while the whole object still exists. Always create components with
// Create<T>(...) and free them with Free(...).
#pragma once
#include <any>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/SysUtils.h"

namespace fw {

class TPropTable;
class TFiler;
class TAction;

class TObject {
public:
    virtual ~TObject() = default;
    virtual std::string ClassName() const { return "TObject"; }
    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}
};

// Declares a class's name for ClassName() and the class registry.
#define FW_CLASS(Name) \
    static const char* StaticClassName() { return #Name; } \
    std::string ClassName() const override { return #Name; }

// Declares that a class has its own table of published properties (framework/Published.h).
#define FW_PUBLISHED \
    static const ::fw::TPropTable& Published(); \
    const ::fw::TPropTable* PropTable() const override { return &Published(); }

template <class T, class... Args>
T* Create(Args&&... args) {
    T* obj = new T(std::forward<Args>(args)...);
    try {
        obj->AfterConstruction();
    } catch (...) {
        obj->BeforeDestruction();
        delete obj;
        throw;
    }
    return obj;
}

void Free(TObject* obj);

template <class T>
void FreeAndNil(T*& obj) {
    T* o = obj;
    obj = nullptr;
    Free(o);
}

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Raised when a value cannot be converted or assigned.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Objects with published properties that are not components (a control's font, an edit's
// style). Assign copies from a like object; the default refuses every other source, nil
// included, with "Cannot assign a <source class or nil> to a <target class>".
class TPersistent : public TObject {
public:
    FW_CLASS(TPersistent)
    virtual void Assign(TPersistent* Source);

    // The published properties of the object's class (empty for TPersistent itself).
    static const TPropTable& Published();
    virtual const TPropTable* PropTable() const { return &Published(); }
    // Extra properties stored beside the published ones: the class calls
    // Filer.DefineProperty for each (after its base class's).
    virtual void DefineProperties(TFiler&) {}

protected:
    // Asked by Assign when this object's class does not know the source: copies this
    // object into Dest, or refuses.
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
};

// A value read from a form description.
struct TPropValue {
    enum Kind { Int, Float, String, Ident, Set, Resource } kind = Int;
    long long i = 0;
    double f = 0;
    std::string s;                 // String (ANSI), Ident, Resource (resource name)
    std::vector<std::string> set;  // Set: identifiers
    int line = 0;                  // where it was read, for error messages

    int AsInt() const;             // raises for a non-integer
    bool AsBool() const;           // True / False identifiers
    const std::string& AsString() const;
    const std::string& AsIdent() const;
};

// Raised for a description that cannot be read (an unknown class or property, a bad value).
class EReadError : public Exception {
public:
    using Exception::Exception;
};

enum TComponentStateFlag { csLoading = 1, csDestroying = 2 };
enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    FW_CLASS(TComponent)
    FW_PUBLISHED
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    void BeforeDestruction() override;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    long long Tag = 0;
    int ComponentState() const { return state_; }
    bool Destroying() const { return (state_ & csDestroying) != 0; }
    bool Loading() const { return (state_ & csLoading) != 0; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int i) const { return components_.at(static_cast<size_t>(i)); }
    TComponent* FindComponent(const std::string& name) const;

    void InsertComponent(TComponent* c);
    void DestroyComponents();  // frees every owned component, newest first
    void RemoveComponent(TComponent* c);
    // Asks to be told (Notification opRemove) when c is freed.
    void FreeNotification(TComponent* c);
    void RemoveFreeNotification(TComponent* c);

    // Description loading: SetLoading(true) before the properties are set, then Loaded().
    void SetLoading(bool on) { on ? state_ |= csLoading : state_ &= ~csLoading; }
    virtual void Loaded() { SetLoading(false); }

    // Sets a published property by name (nested names with dots); false when the class
    // has no such property. Raises EReadError for a value of the wrong kind.
    virtual bool SetProperty(const std::string& name, const TPropValue& value);
    // Binds a published event to a handler (a std::function of the event's type held in
    // a std::any); false when the class has no such event.
    virtual bool SetEvent(const std::string& name, const std::any& handler);
    // A component nested under this one in a description: controls become children of
    // a windowed control, actions join their action list.
    virtual void AddDescriptionChild(TComponent*) {}
    // The component a description nests this one under (its parent control, its action
    // list); null for directly under the root.
    virtual TComponent* DescriptionParent() const { return nullptr; }
    // Event bindings read from a description (event name, handler name), for the writer.
    std::vector<std::pair<std::string, std::string>> EventBindings;

    // Action handling: the action runs on this component when it handles it as a target;
    // true when handled.
    virtual bool ExecuteAction(TAction* Action);
    virtual bool UpdateAction(TAction* Action);

protected:
    // Told when a component this one asked about is freed (opRemove) or when owned
    // components come and go. The base clears every published reference to a freed
    // component; overrides call it.
    virtual void Notification(TComponent* c, TOperation op);

private:
    TComponent* owner_ = nullptr;
    std::string name_;
    int state_ = 0;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};

// Binds a std::function of type F held in a std::any, or raises EReadError.
template <class F>
F EventCast(const std::any& handler, const std::string& eventName) {
    if (const F* f = std::any_cast<F>(&handler)) return *f;
    throw EReadError("Handler for " + eventName + " has the wrong type");
}

// Component classes by name, for form descriptions.
class TClassRegistry {
public:
    using Factory = std::function<TComponent*(TComponent* owner)>;
    static void Register(const std::string& className, Factory factory);
    template <class T>
    static void Register() {
        Register(T::StaticClassName(), [](TComponent* owner) -> TComponent* { return Create<T>(owner); });
    }
    static TComponent* CreateByName(const std::string& className, TComponent* owner);  // null when unknown
};

}  // namespace fw
