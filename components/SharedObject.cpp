// Shared-object unit: frees the object the unit shares, should one exist.
#include "components/AuxUnits.h"

namespace components {

fw::TObject* SharedObject = nullptr;

fw::TUnit& SharedObjectUnit() {
    static fw::TUnit unit("SharedObject", nullptr, [] { fw::FreeAndNil(SharedObject); });
    return unit;
}

}  // namespace components
