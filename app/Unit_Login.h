// The login form: the application's main form, where the candidate signs in.
#pragma once
#include "editors/dxEdLib.h"
#include "framework/ActnList.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/IdAntiFreeze.h"
#include "framework/IdHTTP.h"
#include "framework/StdCtrls.h"

namespace app {

class TFrmLogin : public fw::TForm {
public:
    FW_CLASS(TFrmLogin)
    explicit TFrmLogin(fw::TComponent* owner);

    fw::TImage* Image1 = nullptr;  // background
    fw::TImage* Image2 = nullptr;  // login picture
    fw::TImage* Image3 = nullptr;  // exit picture
    fw::TActionList* ActionList1 = nullptr;
    fw::TAction* Action_Login = nullptr;
    fw::TAction* Action_Canel = nullptr;
    fw::TAction* Action_FrmCreate = nullptr;
    fw::TIdHTTP* IdHTTP1 = nullptr;
    fw::TIdAntiFreeze* IdAntiFreeze1 = nullptr;
    fw::TLabel* Label1 = nullptr;    // busy label
    fw::TEdit* ServerList = nullptr; // hidden: the server base address
    editors::TdxEdit* UserName = nullptr;  // admission-ticket number
    editors::TdxEdit* PWD = nullptr;       // identity-document number

    void Action_LoginExecute(fw::TObject* Sender);
    void Action_CanelExecute(fw::TObject* Sender);
    void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
    void Action_FrmCreateExecute(fw::TObject* Sender);
};

extern TFrmLogin* FrmLogin;

// The settings file beside the executable.
std::string SettingsFileName();

}  // namespace app
