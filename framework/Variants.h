// Variant: a value of varying type as edit values pass it around. Only what the edit
// controls use: unassigned, Null and text.
#pragma once
#include <string>

namespace fw {

enum TVarType : unsigned short { varEmpty = 0, varNull = 1, varString = 0x100 };

class Variant {
public:
    Variant() = default;
    Variant(const std::string& s) : type_(varString), text_(s) {}  // NOLINT: implicit like the text it holds
    Variant(const char* s) : type_(varString), text_(s) {}         // NOLINT
    static Variant Null() {
        Variant v;
        v.type_ = varNull;
        return v;
    }

    TVarType VarType() const { return type_; }
    bool IsNull() const { return type_ == varNull; }
    // The value as text: the empty text for an unassigned or Null value.
    std::string AsString() const { return type_ == varString ? text_ : std::string(); }

private:
    TVarType type_ = varEmpty;
    std::string text_;
};

}  // namespace fw
