// Library-handle unit: lets go of the library the unit holds, should it hold one.
#include "components/AuxUnits.h"

namespace components {

HMODULE LoadedLibraryHandle = nullptr;

fw::TUnit& LibraryHandleUnit() {
    static fw::TUnit unit("LibraryHandle", nullptr, [] {
        if (LoadedLibraryHandle) FreeLibrary(LoadedLibraryHandle);
        LoadedLibraryHandle = nullptr;
    });
    return unit;
}

}  // namespace components
