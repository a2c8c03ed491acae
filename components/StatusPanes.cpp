// Unit StatusPanes: the captions of the status-bar panes for key states and resources.
#include "components/AuxUnits.h"

namespace components {

std::array<std::string, 4> KeyStateCaptions = {"CAPS", "NUM", "SCR", "Insert"};
std::array<std::string, 2> ResourceCaptions = {"System", "Memory"};

fw::TUnit& StatusPanesUnit() {
    static fw::TUnit unit("StatusPanes", nullptr, [] {
        for (std::string& s : ResourceCaptions) std::string().swap(s);
        for (std::string& s : KeyStateCaptions) std::string().swap(s);
    });
    return unit;
}

}  // namespace components
