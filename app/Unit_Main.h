// The exam browser form: a full-screen, locked-down browser on the examination page.
#pragma once
#include "framework/AppEvnts.h"
#include "framework/Forms.h"
#include "framework/WebBrowser.h"

namespace app {

class TFrmMain : public fw::TForm {
public:
    FW_CLASS(TFrmMain)
    explicit TFrmMain(fw::TComponent* owner);

    fw::TWebBrowser* WebBrowser1 = nullptr;
    fw::TApplicationEvents* ApplicationEvents1 = nullptr;

    void FormCreate(fw::TObject* Sender);
    void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
    void ApplicationEvents1Message(MSG& Msg, bool& Handled);
    void WebBrowser1NewWindow2(fw::TObject* Sender, IDispatch*& ppDisp, VARIANT_BOOL& Cancel);
    void WebBrowser1BeforeNavigate2(fw::TObject* Sender, IDispatch* pDisp, const VARIANT& URL, const VARIANT& Flags,
                                    const VARIANT& TargetFrameName, const VARIANT& PostData, const VARIANT& Headers,
                                    VARIANT_BOOL& Cancel);
};

extern TFrmMain* FrmMain;
// Navigation starts counted across every browser form since the newest one navigated.
extern int NavigateCount;

}  // namespace app
