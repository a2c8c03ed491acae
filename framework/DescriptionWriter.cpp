// The writer side of form descriptions (the reader is FormDescription.cpp).
#include <algorithm>

#include "framework/FormDescription.h"
#include "framework/Published.h"

namespace fw {

namespace {

std::string ValueText(const TPropValue& v) {
    switch (v.kind) {
        case TPropValue::Int: return std::to_string(v.i);
        case TPropValue::Float: return Format("%.17g", v.f);
        case TPropValue::Ident: return v.s;
        case TPropValue::Resource: return "resource '" + v.s + "'";
        case TPropValue::Set: {
            std::string out = "[";
            for (size_t i = 0; i < v.set.size(); ++i) out += (i ? ", " : "") + v.set[i];
            return out + "]";
        }
        case TPropValue::String: return QuotedText(v.s);
    }
    return std::string();
}

class TWriterFiler : public TFiler {
public:
    TWriterFiler(std::string& out, const std::string& lead) : out_(out), lead_(lead) {}
    void DefineProperty(const std::string& name, const std::function<void(const TPropValue&)>&,
                        const std::function<TPropValue()>& write, bool hasData) override {
        if (hasData && write) out_ += lead_ + name + " = " + ValueText(write()) + "\n";
    }

private:
    std::string& out_;
    const std::string& lead_;
};

void WriteProps(TPersistent& obj, const std::string& indent, const std::string& prefix, std::string& out, int depth) {
    if (depth > 8) return;
    for (const TPropInfo* p : obj.PropTable()->All()) {
        if (p->Kind == TPropKind::Object) {
            if (!p->IsStored(obj)) continue;
            if (TPersistent* nested = p->GetNested(obj)) WriteProps(*nested, indent, prefix + p->Name + ".", out, depth + 1);
        } else if (PropertyWritten(obj, *p)) {
            out += indent + prefix + p->Name + " = " + PropertyText(obj, *p) + "\n";
        }
    }
    TWriterFiler filer(out, indent + prefix);
    obj.DefineProperties(filer);
}

bool NestsUnder(TComponent* c, TComponent* container, TComponent* root) {
    TComponent* p = c->DescriptionParent();
    if (!p || p == c || (p != root && p->Owner() != root)) p = root;
    return p == container;
}

void WriteObject(TComponent* c, TComponent* root, const std::string& indent, std::string& out, int depth) {
    if (depth > 32) throw EReadError("Components nested too deeply to write");
    out += indent + "object " + c->Name() + ": " + c->ClassName() + "\n";
    WriteProps(*c, indent + "  ", "", out, 0);
    for (const auto& [event, handler] : c->EventBindings) out += indent + "  " + event + " = " + handler + "\n";
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* o = root->Components(i);
        // Components made in code without a name are not part of the description.
        if (o != c && !o->Name().empty() && NestsUnder(o, c, root)) WriteObject(o, root, indent + "  ", out, depth + 1);
    }
    out += indent + "end\n";
}

}  // namespace

std::string WriteDescription(TComponent* root) {
    std::string out;
    WriteObject(root, root, "", out, 0);
    return out;
}

}  // namespace fw
