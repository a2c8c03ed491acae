// Tables of values with the names descriptions write for them ("clRed", "crHandPoint"),
// read both ways: the first entry whose name matches (case-insensitively) or whose value
// matches. Each entry has a `name` and the value in the member given.
#pragma once
#include <strings.h>

#include <cstddef>
#include <string>

namespace fw {

template <class Entry, size_t N, class Value>
bool IdentToValue(const Entry (&table)[N], Value Entry::*value, const std::string& name, Value& out) {
    for (const Entry& e : table)
        if (strcasecmp(e.name, name.c_str()) == 0) {
            out = e.*value;
            return true;
        }
    return false;
}

template <class Entry, size_t N, class Value>
bool ValueToIdent(const Entry (&table)[N], Value Entry::*value, Value v, std::string& name) {
    for (const Entry& e : table)
        if (e.*value == v) {
            name = e.name;
            return true;
        }
    return false;
}

}  // namespace fw
