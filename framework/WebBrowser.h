// The web browser control hosted through OLE in a window of its own, with the two events
// the program handles: the start of every navigation (frames included) and requests for a
// new browser window.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <exdisp.h>
#include <functional>

#include "framework/Controls.h"

namespace fw {

using TBeforeNavigate2Event =
    std::function<void(TObject* Sender, IDispatch* pDisp, const VARIANT& URL, const VARIANT& Flags,
                       const VARIANT& TargetFrameName, const VARIANT& PostData, const VARIANT& Headers,
                       VARIANT_BOOL& Cancel)>;
using TNewWindow2Event = std::function<void(TObject* Sender, IDispatch*& ppDisp, VARIANT_BOOL& Cancel)>;

class TWebBrowserSite;

class TWebBrowser : public TWinControl {
public:
    FW_CLASS(TWebBrowser)
    explicit TWebBrowser(TComponent* owner);
    void BeforeDestruction() override;

    TBeforeNavigate2Event OnBeforeNavigate2;
    TNewWindow2Event OnNewWindow2;

    // Navigates with every optional parameter left empty; raises on a failing result.
    void Navigate(const std::wstring& url);
    // The control's Application object (dispatch id 200), with a reference for the caller.
    IDispatch* ApplicationDispatch();
    IWebBrowser2* Browser() const { return browser_; }

    // The event sink's entry: the control calls it for each event it fires. Tests call it
    // as the control would.
    HRESULT InvokeEvent(DISPID id, DISPPARAMS* params);

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool SetEvent(const std::string& name, const std::any& handler) override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;

private:
    void Activate();
    void Deactivate();
    TWebBrowserSite* site_ = nullptr;
    IOleObject* ole_ = nullptr;
    IWebBrowser2* browser_ = nullptr;
    IConnectionPoint* events_ = nullptr;
    DWORD cookie_ = 0;
};

}  // namespace fw
