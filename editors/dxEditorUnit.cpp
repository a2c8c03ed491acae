#include "editors/dxEditorUnit.h"

#include <cstdint>

#include "framework/SysUtils.h"

namespace editors {

HMODULE RichEditModule = nullptr;
std::array<std::string, 7> TextMenuCaptions;
int TextEditWindowCount = 0;

namespace {

// String ids of the captions, in TTextMenuCaption order ("Error", 38951, is not one).
constexpr unsigned kCaptionIds[7] = {38949, 38950, 38952, 38953, 38954, 38955, 38956};

void StartUp() {
    UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    RichEditModule = LoadLibraryA("RICHED20.DLL");
    if (reinterpret_cast<std::uintptr_t>(RichEditModule) < 32) RichEditModule = nullptr;
    SetErrorMode(previous);
    for (size_t i = 0; i < TextMenuCaptions.size(); ++i) TextMenuCaptions[i] = fw::LoadStr(kCaptionIds[i]);
}

void ShutDown() {
    // At a normal end every edit is gone by now; one that is not keeps its library.
    if (RichEditModule && TextEditWindowCount == 0) FreeLibrary(RichEditModule);
    RichEditModule = nullptr;
    for (size_t i = TextMenuCaptions.size(); i-- > 0;) TextMenuCaptions[i].clear();
}

}  // namespace

fw::TUnit& dxEditorUnit() {
    static fw::TUnit unit("dxEditor", StartUp, ShutDown);
    return unit;
}

}  // namespace editors
