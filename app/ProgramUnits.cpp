#include "app/ProgramUnits.h"

#include <windows.h>
#include <commctrl.h>

#include "app/WebService.h"
#include "components/AuxUnits.h"
#include "editors/EditorUnits.h"
#include "framework/Forms.h"
#include "framework/IdHTTP.h"
#include "framework/IdIPWatch.h"

namespace app {

namespace {

// The framework's forms unit: it makes the application object and frees it last.
fw::TUnit& FormsUnit() {
    static fw::TUnit unit(
        "Forms",
        [] {
            // The common controls stay loaded for the process's life, as the controls and
            // the hosted browser use them.
            InitCommonControls();
            fw::RegisterFormsClasses();
            fw::RegisterIPWatchClasses();
            fw::RegisterHttpClasses();
            fw::Application = fw::Create<fw::TApplication>(nullptr);
        },
        [] { fw::FreeAndNil(fw::Application); });
    return unit;
}

// Units of the application that have no start-up or shut-down work of their own.
fw::TUnit& Plain(const char* name) {
    static std::vector<std::unique_ptr<fw::TUnit>> units;
    for (auto& u : units)
        if (u->Name() == name) return *u;
    units.push_back(std::make_unique<fw::TUnit>(name, nullptr, nullptr));
    return *units.back();
}

}  // namespace

std::vector<fw::TUnit*> ProgramUnits() {
    std::vector<fw::TUnit*> units = {&FormsUnit()};
    for (fw::TUnit* u : components::AuxiliaryUnits()) units.push_back(u);
    for (fw::TUnit* u : editors::EditorUnits()) units.push_back(u);
    for (fw::TUnit* u : {&Plain("DataModule"), &Plain("Common"), &Plain("Unit_Login"), &app::WebServiceUnit(),
                         &Plain("OleControls"), &Plain("WebBrowser"), &Plain("ApplicationEvents"), &Plain("Unit_Main"),
                         &Plain("Unit_StartImage")})
        units.push_back(u);
    return units;
}

}  // namespace app
