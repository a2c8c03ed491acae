// The system clipboard as a person's other programs use it: text put on it and read back
// as Unicode, converted from and to the ANSI code page.
#pragma once
#include <string>

namespace harness {

// Empties the clipboard and puts the ANSI text on it as Unicode text.
bool PutOnClipboard(const std::string& ansi);
void EmptyTheClipboard();
// The clipboard's Unicode text in the ANSI code page; empty when there is none.
std::string ClipboardText();

}  // namespace harness
