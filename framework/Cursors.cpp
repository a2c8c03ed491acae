#include "framework/Cursors.h"

#include <map>

#include "framework/IdentTable.h"

namespace fw {

namespace {
struct TCursorName {
    int index;
    const char* name;
    WORD system;  // the id of the shared system cursor (IDC_...), or 0
};
constexpr TCursorName kCursors[] = {
    {0, "crDefault", 32512},       {-1, "crNone", 0},          {-2, "crArrow", 32512},
    {-3, "crCross", 32515},        {-4, "crIBeam", 32513},       {-6, "crSizeNESW", 32643},
    {-7, "crSizeNS", 32645},      {-8, "crSizeNWSE", 32642}, {-9, "crSizeWE", 32644},
    {-10, "crUpArrow", 32516},   {-11, "crHourGlass", 32514},   {-12, "crDrag", 32512},
    {-13, "crNoDrop", 32648},         {-18, "crNo", 32648},            {-19, "crAppStart", 32650},
    {-20, "crHelp", 32651},         {-21, "crHandPoint", 32649},   {-22, "crSizeAll", 32646},
};

std::map<int, HCURSOR>& Slots() {
    static std::map<int, HCURSOR> slots;
    return slots;
}
}  // namespace

HCURSOR ScreenCursor(int index) {
    auto it = Slots().find(index);
    if (it != Slots().end()) return it->second;
    for (const TCursorName& c : kCursors)
        if (c.index == index) return c.system ? LoadCursorA(nullptr, MAKEINTRESOURCEA(c.system)) : nullptr;
    return LoadCursorA(nullptr, IDC_ARROW);
}

void SetScreenCursor(int index, HCURSOR cursor) {
    if (cursor) Slots()[index] = cursor;
    else Slots().erase(index);
}

bool IdentToCursor(const std::string& name, int& index) {
    return IdentToValue(kCursors, &TCursorName::index, name, index);
}

bool CursorToIdent(int index, std::string& name) {
    return ValueToIdent(kCursors, &TCursorName::index, index, name);
}

}  // namespace fw
