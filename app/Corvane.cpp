// Main block of the examinee client: units, application object, single-instance guard,
// splash, login form, data module, message loop, then the end-of-program sequence.
#include <windows.h>

#include "app/DataModule.h"
#include "app/ProgramUnits.h"
#include "app/Texts.h"
#include "app/Unit_Login.h"
#include "app/Unit_StartImage.h"
#include "framework/Forms.h"

using app::T;
using app::Text;

namespace {

// A form or data module that cannot be built from its description: say which and why.
[[noreturn]] void StartupFailed(fw::TUnitSequence& units, const char* what, const std::exception& e) {
    fw::Application->MessageBox(fw::Format("%s cannot be built: %s", what, e.what()), fw::Application->Title,
                                MB_OK | MB_ICONSTOP);
    units.FinalizeAll();
    ExitProcess(1);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    fw::TUnitSequence units(app::ProgramUnits());
    units.InitializeAll();

    fw::Application->Initialize();
    fw::Application->Title = T(Text::AppTitle);

    // The guard's handle is never closed: it lives as long as the process.
    CreateMutexA(nullptr, FALSE, "Frame_HW_DDR3_PPT");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        fw::Application->MessageBox(T(Text::AlreadyRunning), T(Text::NoticeCaption), 0x40);
    } else {
        auto build = [&units](const char* what, auto&& create) {
            try {
                create();
            } catch (const std::exception& e) {
                StartupFailed(units, what, e);
            }
        };
        build("TFrm_StartImage", [] { app::Frm_StartImage = fw::Create<app::TFrm_StartImage>(fw::Application); });
        app::Frm_StartImage->Show();
        app::Frm_StartImage->Update();
        Sleep(1000);
        app::Frm_StartImage->Hide();
        fw::FreeAndNil(app::Frm_StartImage);

        build("TFrmLogin", [] { fw::Application->CreateForm(app::FrmLogin); });
        build("TDM", [] { fw::Application->CreateForm(app::DM); });
        fw::Application->Run();
    }

    fw::RunExitProcs();
    units.FinalizeAll();
    ExitProcess(0);
}
