#include "app/Unit_Main.h"

#include "app/DataModule.h"
#include "app/ServerPages.h"
#include "app/Unit_Login.h"

namespace app {

TFrmMain* FrmMain = nullptr;
int NavigateCount = 0;

TFrmMain::TFrmMain(fw::TComponent* owner) : fw::TForm(owner) {
    Field("WebBrowser1", WebBrowser1);
    Field("ApplicationEvents1", ApplicationEvents1);
    Handler("FormCreate", fw::TNotifyEvent([this](fw::TObject* s) { FormCreate(s); }));
    Handler("FormClose", fw::TCloseEvent([this](fw::TObject* s, fw::TCloseAction& a) { FormClose(s, a); }));
    Handler("ApplicationEvents1Message",
            fw::TMessageEvent([this](MSG& m, bool& handled) { ApplicationEvents1Message(m, handled); }));
    Handler("WebBrowser1NewWindow2", fw::TNewWindow2Event([this](fw::TObject* s, IDispatch*& d, VARIANT_BOOL& c) {
                WebBrowser1NewWindow2(s, d, c);
            }));
    Handler("WebBrowser1BeforeNavigate2",
            fw::TBeforeNavigate2Event([this](fw::TObject* s, IDispatch* d, const VARIANT& url, const VARIANT& flags,
                                             const VARIANT& frame, const VARIANT& post, const VARIANT& headers,
                                             VARIANT_BOOL& cancel) {
                WebBrowser1BeforeNavigate2(s, d, url, flags, frame, post, headers, cancel);
            }));
}

void TFrmMain::FormCreate(fw::TObject*) {
    OleInitialize(nullptr);  // once per browser form; its result does not matter here
    std::string url = ExamPageUrl(FrmLogin->ServerList->Text(), FrmLogin->UserName->Text(), FrmLogin->PWD->Text(),
                                  DM->IdIPWatch1->LocalIP());
    WebBrowser1->Navigate(fw::AnsiToWide(url));
    NavigateCount = 0;
}

void TFrmMain::FormClose(fw::TObject*, fw::TCloseAction&) {}

void TFrmMain::ApplicationEvents1Message(MSG& Msg, bool& Handled) {
    if (WebBrowser1->HandleAllocated() && IsChild(WebBrowser1->Handle(), Msg.hwnd)) {
        if (Msg.message == WM_RBUTTONDOWN || Msg.message == WM_RBUTTONUP) Handled = true;
        else if (Msg.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0) Handled = true;
    }
    if (Msg.message == WM_KEYDOWN && Msg.wParam >= VK_F1 && Msg.wParam <= VK_F12) Handled = true;
}

void TFrmMain::WebBrowser1NewWindow2(fw::TObject*, IDispatch*& ppDisp, VARIANT_BOOL& Cancel) {
    ppDisp = WebBrowser1->ApplicationDispatch();
    Cancel = VARIANT_TRUE;
}

void TFrmMain::WebBrowser1BeforeNavigate2(fw::TObject*, IDispatch*, const VARIANT&, const VARIANT&, const VARIANT&,
                                          const VARIANT&, const VARIANT&, VARIANT_BOOL&) {
    ++NavigateCount;
    if (NavigateCount == 2) Close();
}

}  // namespace app
