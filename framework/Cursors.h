// The screen's cursor table: cursors by index. The standard indexes answer the shared
// system cursors; the program sets slots of its own (from its cursor resources, under
// indexes such as -1140). The table never destroys a cursor: shared system cursors must
// not be destroyed, and the program destroys the cursors it loaded itself at shut-down.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

// A slot the program set; else the system cursor of a standard index; else the arrow.
// crNone (-1) is no cursor at all.
HCURSOR ScreenCursor(int index);
// Sets (or, with null, clears) a slot; the previous handle is not destroyed.
void SetScreenCursor(int index, HCURSOR cursor);

// Cursor names of descriptions ("crHandPoint"), both ways.
bool IdentToCursor(const std::string& name, int& index);
bool CursorToIdent(int index, std::string& name);

}  // namespace fw
