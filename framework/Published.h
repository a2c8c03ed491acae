// Published properties: each class describes its published properties once, in a table
// (name, kind, getter and setter, default, stored rule, value names for enumerations and
// sets). One mechanism reads them from a form description, hands dotted names to nested
// persistent objects, resolves references between components, and writes them back.
//
//   class TMyStyle : public TPersistent {
//   public:
//       FW_CLASS(TMyStyle)
//       FW_PUBLISHED
//       ...
//   };
//   const TPropTable& TMyStyle::Published() {
//       static const TPropTable table = TPublish<TMyStyle>(&TPersistent::Published())
//           .Enum("BorderStyle", kBorderStyleType, [](const TMyStyle& s) { return s.BorderStyle; },
//                 [](TMyStyle& s, long long v) { s.SetBorderStyle(TBorderStyle(v)); })
//           .Default(3)
//           .Stored([](const TMyStyle& s) { return s.Assigned; })
//           .Table();
//       return table;
//   }
//
// Setters receive the value as an ordinal (enumerations by ordinal, sets as bit masks with
// bit n for ordinal n, colours and cursors as their numbers).
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

namespace fw {

// The value names of an enumeration, ordinal 0 first. A set uses the table of its element
// type. Tables are constant data: declare them `constexpr` beside the type.
struct TEnumType {
    const char* Name;
    const char* const* Values;
    int Count;
    template <size_t N>
    constexpr TEnumType(const char* name, const char* const (&values)[N])
        : Name(name), Values(values), Count(static_cast<int>(N)) {}
    int ValueOf(const std::string& name) const;  // -1 when the name is not a value
    std::string NameOf(long long ordinal) const;  // the ordinal in digits when out of range
};

enum class TPropKind { Integer, Boolean, Char, Enumeration, Set, Color, Cursor, String, Object, Reference };

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumType* Type = nullptr;  // Enumeration and Set
    std::function<long long(const TPersistent&)> GetOrd;
    std::function<void(TPersistent&, long long)> SetOrd;
    std::function<std::string(const TPersistent&)> GetStr;
    std::function<void(TPersistent&, const std::string&)> SetStr;
    std::function<TPersistent*(TPersistent&)> GetNested;
    std::function<void(TPersistent&)> NestedChanged;  // optional, for Object
    std::function<TComponent*(const TPersistent&)> GetRef;
    std::function<void(TPersistent&, TComponent*)> SetRef;
    std::function<bool(TComponent*)> AcceptsRef;  // the referenced class
    std::string RefClass;
    bool HasDefault = false;
    long long Default = 0;
    std::function<bool(const TPersistent&)> Stored;  // empty: always stored
    bool IsStored(const TPersistent& obj) const { return !Stored || Stored(obj); }
};

// A class's published properties, after those of its base class. A property declared again
// under a base's name replaces the base's declaration (e.g. to change its default or its
// stored rule).
class TPropTable {
public:
    explicit TPropTable(const TPropTable* parent) : parent_(parent) {}
    const TPropInfo* Find(const std::string& name) const;  // names compare case-insensitively
    std::vector<const TPropInfo*> All() const;             // base first, declaration order
    void Add(TPropInfo info) { props_.push_back(std::move(info)); }
    TPropInfo& Last() { return props_.back(); }
    // The order in which the class declares its properties, those of its bases included,
    // when it differs from base first: the named ones come first in this order, the rest
    // after them as before.
    void SetOrder(std::vector<std::string> names) { order_ = std::move(names); }

private:
    const TPropTable* parent_;
    std::vector<TPropInfo> props_;
    std::vector<std::string> order_;
};

// Builds the table of class T. Each call adds a property; Default and Stored apply to the
// property added last.
template <class T>
class TPublish {
public:
    explicit TPublish(const TPropTable* parent) : table_(parent) {}

    template <class G, class S>
    TPublish& Integer(const char* name, G get, S set) { return Ordinal(name, TPropKind::Integer, nullptr, get, set); }
    template <class G, class S>
    TPublish& Boolean(const char* name, G get, S set) { return Ordinal(name, TPropKind::Boolean, nullptr, get, set); }
    template <class G, class S>
    TPublish& Char(const char* name, G get, S set) { return Ordinal(name, TPropKind::Char, nullptr, get, set); }
    template <class G, class S>
    TPublish& Enum(const char* name, const TEnumType& type, G get, S set) {
        return Ordinal(name, TPropKind::Enumeration, &type, get, set);
    }
    template <class G, class S>
    TPublish& Set(const char* name, const TEnumType& elementType, G get, S set) {
        return Ordinal(name, TPropKind::Set, &elementType, get, set);
    }
    template <class G, class S>
    TPublish& Color(const char* name, G get, S set) { return Ordinal(name, TPropKind::Color, nullptr, get, set); }
    template <class G, class S>
    TPublish& Cursor(const char* name, G get, S set) { return Ordinal(name, TPropKind::Cursor, nullptr, get, set); }

    template <class G, class S>
    TPublish& String(const char* name, G get, S set) {
        TPropInfo p = Start(name, TPropKind::String);
        p.GetStr = [get](const TPersistent& o) { return std::string(get(static_cast<const T&>(o))); };
        p.SetStr = [set](TPersistent& o, const std::string& v) { set(static_cast<T&>(o), v); };
        table_.Add(std::move(p));
        return *this;
    }

    // A nested persistent object owned by T (`Style`, `Font`): dotted names go to it.
    template <class G>
    TPublish& Object(const char* name, G get) {
        TPropInfo p = Start(name, TPropKind::Object);
        p.GetNested = [get](TPersistent& o) -> TPersistent* { return get(static_cast<T&>(o)); };
        table_.Add(std::move(p));
        return *this;
    }
    // The same, with `changed` called on T after a description set one of its properties.
    template <class G, class C>
    TPublish& Object(const char* name, G get, C changed) {
        Object(name, get);
        table_.Last().NestedChanged = [changed](TPersistent& o) { changed(static_cast<T&>(o)); };
        return *this;
    }

    // A reference to a component of class C, named in a description and resolved once the
    // whole description is read. The setter should ask for the component's free
    // notification; TComponent::Notification then clears the reference.
    template <class C, class G, class S>
    TPublish& Reference(const char* name, G get, S set) {
        TPropInfo p = Start(name, TPropKind::Reference);
        p.GetRef = [get](const TPersistent& o) -> TComponent* { return get(static_cast<const T&>(o)); };
        p.SetRef = [set](TPersistent& o, TComponent* c) { set(static_cast<T&>(o), static_cast<C*>(c)); };
        p.AcceptsRef = [](TComponent* c) { return c == nullptr || dynamic_cast<C*>(c) != nullptr; };
        p.RefClass = C::StaticClassName();
        table_.Add(std::move(p));
        return *this;
    }

    TPublish& Default(long long value) {
        table_.Last().HasDefault = true;
        table_.Last().Default = value;
        return *this;
    }
    template <class P>
    TPublish& Stored(P pred) {
        table_.Last().Stored = [pred](const TPersistent& o) { return pred(static_cast<const T&>(o)); };
        return *this;
    }
    TPublish& NotStored() {
        table_.Last().Stored = [](const TPersistent&) { return false; };
        return *this;
    }

    // The declaration order of the whole list (see TPropTable::SetOrder).
    TPublish& Order(std::vector<std::string> names) {
        table_.SetOrder(std::move(names));
        return *this;
    }

    TPropTable Table() { return std::move(table_); }

private:
    static TPropInfo Start(const char* name, TPropKind kind) {
        TPropInfo p;
        p.Name = name;
        p.Kind = kind;
        return p;
    }
    template <class G, class S>
    TPublish& Ordinal(const char* name, TPropKind kind, const TEnumType* type, G get, S set) {
        TPropInfo p = Start(name, kind);
        p.Type = type;
        p.GetOrd = [get](const TPersistent& o) { return static_cast<long long>(get(static_cast<const T&>(o))); };
        p.SetOrd = [set](TPersistent& o, long long v) { set(static_cast<T&>(o), v); };
        table_.Add(std::move(p));
        return *this;
    }

    TPropTable table_;
};

// Extra properties a class stores beside its published ones (DefineProperties). The
// reader calls Read when the description holds a property of that name; the writer calls
// Write and writes the result when HasData is true.
class TFiler {
public:
    virtual ~TFiler() = default;
    virtual void DefineProperty(const std::string& name, const std::function<void(const TPropValue&)>& read,
                                const std::function<TPropValue()>& write, bool hasData) = 0;
};

// A component reference read from a description, resolved once the whole description is
// read.
struct TRefFixup {
    TComponent* component;  // the component whose description names the reference
    TPersistent* object;    // the object that holds the property (the component or a nested one)
    const TPropInfo* prop;
    std::string path;       // the property name as written
    std::string target;     // the referenced component's name
    int line;
};

// Sets a property by (dotted) name through the published tables and filer properties.
// References are queued in fixups. False when no table or filer property has the name.
// Raises EReadError for a value of the wrong kind or an unknown value name.
bool ReadPublishedProperty(TComponent* component, TPersistent* object, const std::string& path,
                           const TPropValue& value, std::vector<TRefFixup>& fixups);

// Resolves queued references against the root's components (and the root by its own
// name); raises EReadError naming the line of a reference to a missing component.
void ResolveFixups(TComponent* root, const std::vector<TRefFixup>& fixups);

// A string as description text: in quotes, quotes doubled, in UTF-8.
std::string QuotedText(const std::string& ansi);
// The value of a published property as description text (strings in UTF-8).
std::string PropertyText(const TPersistent& object, const TPropInfo& prop);
// Whether the writer writes the property: stored and not at its default.
bool PropertyWritten(const TPersistent& object, const TPropInfo& prop);

}  // namespace fw
