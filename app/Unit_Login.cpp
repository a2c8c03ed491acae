#include "app/Unit_Login.h"

#include "app/Common.h"
#include "app/DataModule.h"
#include "app/ServerPages.h"
#include "app/Texts.h"
#include "app/Unit_Main.h"
#include "framework/DateUtils.h"
#include "framework/IniFiles.h"

namespace app {

TFrmLogin* FrmLogin = nullptr;

namespace {

std::string ExecutablePath() {
    char path[MAX_PATH * 2];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n);
}

void Notice(const std::string& text, const std::string& caption) { fw::Application->MessageBox(text, caption, 0x40); }

}  // namespace

std::string SettingsFileName() {
    std::string exe = ExecutablePath();
    size_t cut = exe.find_last_of("\\:");
    return (cut == std::string::npos ? std::string() : exe.substr(0, cut + 1)) + "UserInfo.ini";
}

TFrmLogin::TFrmLogin(fw::TComponent* owner) : fw::TForm(owner) {
    Field("Image1", Image1);
    Field("Image2", Image2);
    Field("Image3", Image3);
    Field("ActionList1", ActionList1);
    Field("Action_Login", Action_Login);
    Field("Action_Canel", Action_Canel);
    Field("Action_FrmCreate", Action_FrmCreate);
    Field("IdHTTP1", IdHTTP1);
    Field("IdAntiFreeze1", IdAntiFreeze1);
    Field("Label1", Label1);
    Field("ServerList", ServerList);
    Field("UserName", UserName);
    Field("PWD", PWD);
    Handler("Action_LoginExecute", fw::TNotifyEvent([this](fw::TObject* s) { Action_LoginExecute(s); }));
    Handler("Action_CanelExecute", fw::TNotifyEvent([this](fw::TObject* s) { Action_CanelExecute(s); }));
    Handler("FormClose", fw::TCloseEvent([this](fw::TObject* s, fw::TCloseAction& a) { FormClose(s, a); }));
    Handler("Action_FrmCreateExecute", fw::TNotifyEvent([this](fw::TObject* s) { Action_FrmCreateExecute(s); }));
}

void TFrmLogin::Action_FrmCreateExecute(fw::TObject*) {
    fw::TIniFile ini(SettingsFileName());
    ServerList->SetText(ini.ReadString("User", "ServerList_Address", ""));
    // The information page's reply goes into the caption untouched; any failure leaves the
    // plain title and is not reported.
    try {
        std::string reply = FrmLogin->IdHTTP1->Get(InfoPageUrl(FrmLogin->ServerList->Text()));
        FrmLogin->SetCaption(T(Text::AppTitle) + "(" + reply + ")");
    } catch (...) {
        FrmLogin->SetCaption(T(Text::AppTitle));
    }
}

void TFrmLogin::Action_LoginExecute(fw::TObject*) {
    Image2->SetEnabled(false);
    IdAntiFreeze1->OnlyWhenIdle = false;

    std::string base = FrmLogin->ServerList->Text();
    std::string ticket = UserName->Text();
    if (ticket.empty()) {
        Notice(T(Text::EnterTicket), T(Text::SignInNoticeCaption));
        UserName->SetFocus();
        Image2->SetEnabled(true);
        return;
    }
    if (PWD->Text().empty()) {
        Notice(T(Text::EnterDocument), T(Text::SignInNoticeCaption));
        PWD->SetFocus();
        Image2->SetEnabled(true);
        return;
    }
    if (base.empty()) {
        Notice(T(Text::ChooseServer), T(Text::SignInNoticeCaption));
        Image2->SetEnabled(true);
        return;
    }

    Label1->Show();
    UserName->SetEnabled(false);
    PWD->SetEnabled(false);

    int code;
    try {
        code = ReplyCode(IdHTTP1->Get(CheckPageUrl(base, UserName->Text(), PWD->Text())));
    } catch (...) {
        code = -1;  // no connection or a broken reply: the server cannot be reached
    }

    if (code != 0) {
        Label1->Hide();
        UserName->SetEnabled(true);
        PWD->SetEnabled(true);
        const std::string* refusal = RefusalText(code);
        Notice(refusal ? *refusal : fw::Format(T(Text::UnknownReplyCode).c_str(), code), T(Text::SignInFailedCaption));
        UserName->SetFocus();
        Image2->SetEnabled(true);
        return;
    }

    // Accepted: record the sign-in, register for autostart and open the exam browser.
    // A failure here ends the attempt in the exception box with the form left disabled.
    Label1->Hide();
    fw::TIniFile ini(SettingsFileName());
    ini.WriteString("User", "LoginName", UserName->Text());
    ini.WriteString("User", "LastLoginTime", fw::DateTimeToStr());
    ini.WriteString("User", "MAC", GetMacAddress());
    ini.WriteString("User", "IP", DM->IdIPWatch1->LocalIP());
    ini.WriteString("User", "ComputerName", DM->IdIPWatch1->LocalName());
    SetAutoRun(fw::Application->Title, ExecutablePath(), false);
    fw::Application->CreateForm(FrmMain);

    Image2->SetEnabled(true);
    UserName->SetEnabled(true);
    PWD->SetEnabled(true);
    PWD->SetText("");

    FrmMain->SetBorderStyle(fw::TFormBorderStyle::bsNone);
    FrmMain->SetBounds(0, 0, fw::TScreen::Width(), fw::TScreen::Height());
    FrmMain->Show();
}

void TFrmLogin::Action_CanelExecute(fw::TObject*) { fw::Application->Terminate(); }

void TFrmLogin::FormClose(fw::TObject* Sender, fw::TCloseAction&) { Action_CanelExecute(Sender); }

}  // namespace app
