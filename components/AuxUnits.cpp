#include "components/AuxUnits.h"

namespace components {

std::vector<fw::TUnit*> AuxiliaryUnits() {
    return {&ColorSchemeUnit(), &ColorNamesUnit(),    &ColorPickerUnit(), &LibraryHandleUnit(),
            &StatusPanesUnit(), &SharedObjectUnit(), &TrayIconUnit()};
}

}  // namespace components
