#include "framework/Published.h"

#include <strings.h>

#include <algorithm>

#include "framework/ColorNames.h"
#include "framework/Cursors.h"
#include "framework/Graphics.h"

namespace fw {

int TEnumType::ValueOf(const std::string& name) const {
    for (int i = 0; i < Count; ++i)
        if (strcasecmp(Values[i], name.c_str()) == 0) return i;
    return -1;
}

std::string TEnumType::NameOf(long long ordinal) const {
    if (ordinal >= 0 && ordinal < Count) return Values[ordinal];
    return std::to_string(ordinal);
}

const TPropInfo* TPropTable::Find(const std::string& name) const {
    for (const TPropTable* t = this; t; t = t->parent_)
        for (auto it = t->props_.rbegin(); it != t->props_.rend(); ++it)
            if (strcasecmp(it->Name.c_str(), name.c_str()) == 0) return &*it;
    return nullptr;
}

std::vector<const TPropInfo*> TPropTable::All() const {
    std::vector<const TPropInfo*> out = parent_ ? parent_->All() : std::vector<const TPropInfo*>();
    for (const TPropInfo& p : props_) {
        bool replaced = false;
        for (const TPropInfo*& q : out)
            if (strcasecmp(q->Name.c_str(), p.Name.c_str()) == 0) {
                q = &p;
                replaced = true;
            }
        if (!replaced) out.push_back(&p);
    }
    if (!order_.empty()) {
        auto rank = [this](const TPropInfo* p) {
            for (size_t i = 0; i < order_.size(); ++i)
                if (strcasecmp(order_[i].c_str(), p->Name.c_str()) == 0) return i;
            return order_.size();
        };
        std::stable_sort(out.begin(), out.end(),
                         [&rank](const TPropInfo* a, const TPropInfo* b) { return rank(a) < rank(b); });
    }
    return out;
}

namespace {

[[noreturn]] void BadValue(const TPropValue& v, const std::string& what) {
    std::string text = v.kind == TPropValue::Ident ? v.s : what;
    throw EReadError(Format("Invalid property value %s (line %d)", text.c_str(), v.line));
}

long long ReadOrdinal(const TPropInfo& p, const TPropValue& v) {
    switch (p.Kind) {
        case TPropKind::Integer: return v.AsInt();
        case TPropKind::Boolean: return v.AsBool() ? 1 : 0;
        case TPropKind::Char:
            if (v.kind == TPropValue::String && v.s.size() == 1) return static_cast<unsigned char>(v.s[0]);
            if (v.kind == TPropValue::Int && v.i >= 0 && v.i <= 255) return v.i;
            BadValue(v, "(a character expected)");
        case TPropKind::Enumeration: {
            int ord = p.Type->ValueOf(v.AsIdent());
            if (ord < 0) BadValue(v, "");
            return ord;
        }
        case TPropKind::Set: {
            if (v.kind != TPropValue::Set) BadValue(v, "(a set expected)");
            long long bits = 0;
            for (const std::string& name : v.set) {
                int ord = p.Type->ValueOf(name);
                if (ord < 0 || ord > 62)
                    throw EReadError(Format("Invalid property value %s (line %d)", name.c_str(), v.line));
                bits |= 1LL << ord;
            }
            return bits;
        }
        case TPropKind::Color: return ColorFromValue(v);
        case TPropKind::Cursor: return CursorFromValue(v);
        default: BadValue(v, "");
    }
}

// The reader side of DefineProperties: finds the one filer property of the given name.
class TReaderFiler : public TFiler {
public:
    TReaderFiler(const std::string& name, const TPropValue& value) : name_(name), value_(value) {}
    void DefineProperty(const std::string& name, const std::function<void(const TPropValue&)>& read,
                        const std::function<TPropValue()>&, bool) override {
        if (found_ || strcasecmp(name.c_str(), name_.c_str()) != 0) return;
        found_ = true;
        if (read) read(value_);
    }
    bool Found() const { return found_; }

private:
    const std::string& name_;
    const TPropValue& value_;
    bool found_ = false;
};

}  // namespace

bool ReadPublishedProperty(TComponent* component, TPersistent* object, const std::string& path,
                           const TPropValue& value, std::vector<TRefFixup>& fixups) {
    size_t dot = path.find('.');
    const TPropInfo* p = object->PropTable()->Find(path.substr(0, dot));
    if (dot != std::string::npos) {
        if (!p || p->Kind != TPropKind::Object) return false;
        TPersistent* nested = p->GetNested(*object);
        if (!nested || !ReadPublishedProperty(component, nested, path.substr(dot + 1), value, fixups)) return false;
        if (p->NestedChanged) p->NestedChanged(*object);
        return true;
    }
    if (p) {
        switch (p->Kind) {
            case TPropKind::String: p->SetStr(*object, value.AsString()); break;
            case TPropKind::Object: BadValue(value, "(properties of " + p->Name + " are set by name)");
            case TPropKind::Reference:
                if (value.AsIdent() == "nil") p->SetRef(*object, nullptr);
                else fixups.push_back(TRefFixup{component, object, p, path, value.s, value.line});
                break;
            default: p->SetOrd(*object, ReadOrdinal(*p, value));
        }
        return true;
    }
    TReaderFiler filer(path, value);
    object->DefineProperties(filer);
    return filer.Found();
}

void ResolveFixups(TComponent* root, const std::vector<TRefFixup>& fixups) {
    for (const TRefFixup& f : fixups) {
        TComponent* target =
            strcasecmp(root->Name().c_str(), f.target.c_str()) == 0 ? root : root->FindComponent(f.target);
        if (!target)
            throw EReadError(Format("Error reading %s.%s: component %s not found (line %d)",
                                    f.component->Name().c_str(), f.path.c_str(), f.target.c_str(), f.line));
        if (!f.prop->AcceptsRef(target))
            throw EReadError(Format("Error reading %s.%s: %s is not a %s (line %d)", f.component->Name().c_str(),
                                    f.path.c_str(), f.target.c_str(), f.prop->RefClass.c_str(), f.line));
        f.prop->SetRef(*f.object, target);
        if (target != f.component) f.component->FreeNotification(target);
    }
}

std::string QuotedText(const std::string& ansi) {
    std::string out = "'";
    for (char c : ToUtf8(ansi)) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

std::string PropertyText(const TPersistent& object, const TPropInfo& p) {
    switch (p.Kind) {
        case TPropKind::String: return QuotedText(p.GetStr(object));
        case TPropKind::Reference: {
            TComponent* c = p.GetRef(object);
            return c ? c->Name() : "nil";
        }
        case TPropKind::Object: return std::string();
        default: break;
    }
    long long v = p.GetOrd(object);
    std::string name;
    switch (p.Kind) {
        case TPropKind::Boolean: return v ? "True" : "False";
        case TPropKind::Char:
            if (v > 32 && v < 127 && v != '\'') return std::string("'") + static_cast<char>(v) + "'";
            return "#" + std::to_string(v & 0xFF);
        case TPropKind::Enumeration: return p.Type->NameOf(v);
        case TPropKind::Set: {
            std::string out = "[";
            for (int i = 0; i < p.Type->Count && i < 63; ++i)
                if (v & (1LL << i)) out += (out.size() > 1 ? ", " : "") + std::string(p.Type->Values[i]);
            return out + "]";
        }
        case TPropKind::Color:
            if (ColorToIdent(static_cast<TColor>(v), name)) return name;
            return Format("$%08X", static_cast<unsigned>(v));
        case TPropKind::Cursor:
            if (CursorToIdent(static_cast<int>(v), name)) return name;
            return std::to_string(v);
        default: return std::to_string(v);
    }
}

bool PropertyWritten(const TPersistent& object, const TPropInfo& p) {
    if (!p.IsStored(object)) return false;
    switch (p.Kind) {
        case TPropKind::Object: return false;  // its own properties are written by name
        case TPropKind::Reference: return p.GetRef(object) != nullptr;
        case TPropKind::String: return !p.HasDefault || !p.GetStr(object).empty();
        default: return !p.HasDefault || p.GetOrd(object) != p.Default;
    }
}

}  // namespace fw
