// Unit TrayIcon: registers the "TaskbarCreated" message when the common controls are
// recent enough to send it, and frees the unit's shared tray-icon handler at shut-down.
#include <windows.h>
#include <shlwapi.h>

#include "components/AuxUnits.h"

namespace components {

UINT TaskbarCreatedMessage = 0;
fw::TObject* TrayIconHandler = nullptr;

std::int32_t ComCtlVersion() {
    HMODULE lib = LoadLibraryA("comctl32.dll");
    if (!lib) return 0;
    std::int32_t version = 0;
    auto getVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(lib, "DllGetVersion")));
    if (getVersion) {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof info;
        if (SUCCEEDED(getVersion(&info)))
            version = static_cast<std::int32_t>((info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF));
    }
    FreeLibrary(lib);
    return version;
}

UINT TaskbarCreatedMessageFor(std::int32_t version) {
    // 4.71 is the first version whose taskbar announces its re-creation.
    if (version < 0x00040047) return 0;
    return RegisterWindowMessageA("TaskbarCreated");
}

fw::TUnit& TrayIconUnit() {
    static fw::TUnit unit(
        "TrayIcon", [] { TaskbarCreatedMessage = TaskbarCreatedMessageFor(ComCtlVersion()); },
        [] { fw::FreeAndNil(TrayIconHandler); });
    return unit;
}

}  // namespace components
