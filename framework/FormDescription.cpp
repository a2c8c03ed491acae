#include "framework/FormDescription.h"
#include "framework/Published.h"

#include <windows.h>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace fw {

namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : s_(text) {}

    std::unique_ptr<TDescNode> Root() {
        Skip();
        auto node = Object();
        Skip();
        if (pos_ < s_.size()) Fail("text after the final 'end'");
        return node;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw EReadError(Format("Description error at line %d: %s", line_, what.c_str()));
    }

    void Skip() {
        for (;;) {
            while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) {
                if (s_[pos_] == '\n') ++line_;
                ++pos_;
            }
            if (s_.compare(pos_, 2, "//") == 0) {
                while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
                continue;
            }
            return;
        }
    }

    static bool IdentChar(char c, bool first) {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '_' ||
               (!first && (std::isdigit(static_cast<unsigned char>(c)) || c == '.'));
    }

    std::string Ident(const char* what) {
        Skip();
        size_t b = pos_;
        if (pos_ < s_.size() && IdentChar(s_[pos_], true)) {
            ++pos_;
            while (pos_ < s_.size() && IdentChar(s_[pos_], false)) ++pos_;
        }
        if (b == pos_) Fail(std::string(what) + " expected");
        return s_.substr(b, pos_ - b);
    }

    void Expect(char c) {
        Skip();
        if (pos_ >= s_.size() || s_[pos_] != c) Fail(std::string("'") + c + "' expected");
        ++pos_;
    }

    bool PeekWord(const char* word) {
        Skip();
        size_t n = std::char_traits<char>::length(word);
        return s_.compare(pos_, n, word) == 0 && (pos_ + n >= s_.size() || !IdentChar(s_[pos_ + n], false));
    }

    std::string Quoted() {
        Expect('\'');
        std::string out;
        for (;;) {
            if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("unterminated string");
            char c = s_[pos_++];
            if (c == '\'') {
                if (pos_ < s_.size() && s_[pos_] == '\'') {
                    out += '\'';
                    ++pos_;
                    continue;
                }
                return out;
            }
            out += c;
        }
    }

    TPropValue Value() {
        Skip();
        TPropValue v;
        v.line = line_;
        if (pos_ >= s_.size()) Fail("value expected");
        char c = s_[pos_];
        if (c == '\'') {
            v.kind = TPropValue::String;
            v.s = Quoted();
        } else if (c == '[') {
            ++pos_;
            v.kind = TPropValue::Set;
            Skip();
            if (pos_ < s_.size() && s_[pos_] == ']') {
                ++pos_;
                return v;
            }
            for (;;) {
                v.set.push_back(Ident("set element"));
                Skip();
                if (pos_ < s_.size() && s_[pos_] == ',') {
                    ++pos_;
                    continue;
                }
                Expect(']');
                break;
            }
        } else if (c == '$' || ((c == '-' || c == '+') && s_.compare(pos_ + 1, 1, "$") == 0)) {
            size_t b = pos_;
            pos_ += c == '$' ? 1 : 2;
            while (pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
            int n;
            if (pos_ - b > 11 || !TryStrToInt(s_.substr(b, pos_ - b), n)) Fail("malformed hexadecimal number");
            v.kind = TPropValue::Int;
            v.i = n;
        } else if (c == '#') {
            // a character by its code
            size_t b = ++pos_;
            while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
            if (pos_ == b || pos_ - b > 3) Fail("character code expected");
            v.kind = TPropValue::Int;
            v.i = std::atoi(s_.substr(b, pos_ - b).c_str());
            if (v.i > 255) Fail("character code out of range");
        } else if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) {
            size_t b = pos_++;
            while (pos_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '.')) ++pos_;
            std::string num = s_.substr(b, pos_ - b);
            if (num.find_first_of("0123456789") == std::string::npos) Fail("number expected");
            char* end = nullptr;
            if (num.find('.') != std::string::npos) {
                v.kind = TPropValue::Float;
                v.f = std::strtod(num.c_str(), &end);
            } else {
                v.kind = TPropValue::Int;
                errno = 0;
                v.i = std::strtoll(num.c_str(), &end, 10);
                if (errno == ERANGE || v.i > 0x7FFFFFFFLL || v.i < -0x80000000LL) Fail("number out of range");
            }
            if (!end || *end) Fail("malformed number");
        } else if (PeekWord("resource")) {
            pos_ += 8;
            v.kind = TPropValue::Resource;
            v.s = Quoted();
        } else {
            v.kind = TPropValue::Ident;
            v.s = Ident("value");
        }
        return v;
    }

    std::unique_ptr<TDescNode> Object() {
        if (!PeekWord("object")) Fail("'object' expected");
        pos_ += 6;
        auto node = std::make_unique<TDescNode>();
        node->line = line_;
        node->name = Ident("component name");
        Expect(':');
        node->className = Ident("class name");
        for (;;) {
            Skip();
            if (pos_ >= s_.size()) Fail("'end' expected");
            if (PeekWord("end")) {
                pos_ += 3;
                return node;
            }
            if (PeekWord("object")) {
                if (++depth_ > 32) Fail("objects nested too deeply");
                node->children.push_back(Object());
                --depth_;
                continue;
            }
            std::string prop = Ident("property name");
            Expect('=');
            node->props.emplace_back(prop, Value());
        }
    }

    const std::string& s_;
    size_t pos_ = 0;
    int line_ = 1;
    int depth_ = 0;
};

bool IsEvent(const std::string& prop, const TPropValue& v) {
    return prop.size() > 2 && prop[0] == 'O' && prop[1] == 'n' && std::isupper(static_cast<unsigned char>(prop[2])) &&
           v.kind == TPropValue::Ident;
}

void ApplyProps(const TDescNode& node, TComponent* target, TDescriptionRoot& binder, std::vector<TRefFixup>& fixups) {
    for (const auto& [prop, value] : node.props) {
        TPropValue v = value;
        if (v.kind == TPropValue::String) v.s = FromUtf8(v.s);
        bool ok;
        if (IsEvent(prop, v)) {
            std::any handler = binder.FindHandler(v.s);
            if (!handler.has_value())
                throw EReadError(Format("Error reading %s.%s: handler %s does not exist", node.name.c_str(),
                                        prop.c_str(), v.s.c_str()));
            ok = target->SetEvent(prop, handler);
            if (ok) target->EventBindings.emplace_back(prop, v.s);
        } else {
            // The published tables and filer properties first, then the class's own code.
            ok = ReadPublishedProperty(target, target, prop, v, fixups) || target->SetProperty(prop, v);
        }
        if (!ok)
            throw EReadError(Format("Error reading %s.%s: Property %s does not exist", node.name.c_str(),
                                    prop.c_str(), prop.c_str()));
    }
}

void CreateChildren(const TDescNode& node, TComponent* parent, TComponent* root, TDescriptionRoot& binder,
                    std::vector<TRefFixup>& fixups) {
    for (const auto& child : node.children) {
        TComponent* c = TClassRegistry::CreateByName(child->className, root);
        if (!c) throw EReadError(Format("Class %s not found (line %d)", child->className.c_str(), child->line));
        c->SetName(child->name);
        c->SetLoading(true);
        parent->AddDescriptionChild(c);
        binder.BindField(child->name, c);
        ApplyProps(*child, c, binder, fixups);
        CreateChildren(*child, c, root, binder, fixups);
    }
}

void LoadedAll(TComponent* root) {
    for (int i = 0; i < root->ComponentCount(); ++i)
        if (root->Components(i)->Loading()) root->Components(i)->Loaded();
    if (root->Loading()) root->Loaded();
}

}  // namespace

std::unique_ptr<TDescNode> ParseDescription(const std::string& text) { return Parser(text).Root(); }

void ApplyDescription(const TDescNode& node, TComponent* root, TDescriptionRoot& binder) {
    if (node.className != root->ClassName())
        throw EReadError(Format("Description of %s describes class %s", root->ClassName().c_str(),
                                node.className.c_str()));
    root->SetLoading(true);
    root->SetName(node.name);
    try {
        // References may name components declared later: they are resolved at the end.
        std::vector<TRefFixup> fixups;
        ApplyProps(node, root, binder, fixups);
        CreateChildren(node, root, root, binder, fixups);
        ResolveFixups(root, fixups);
    } catch (...) {
        root->SetLoading(false);
        throw;
    }
    LoadedAll(root);
}

std::string LoadRcData(const std::string& name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!res) return std::string();
    HGLOBAL data = LoadResource(module, res);
    const void* p = data ? LockResource(data) : nullptr;
    if (!p) return std::string();
    return std::string(static_cast<const char*>(p), SizeofResource(module, res));
}

std::string LoadDescriptionResource(const std::string& className) {
    std::string text = LoadRcData(AnsiUpperAscii(className));
    if (text.empty()) throw EReadError("Resource " + className + " not found");
    return text;
}

}  // namespace fw
