#include "framework/WebBrowser.h"
#include "framework/MessagePump.h"

#include <exdispid.h>

namespace fw {

// The client site of the hosted control and the sink of its events.
class TWebBrowserSite : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
public:
    explicit TWebBrowserSite(TWebBrowser* owner) : owner_(owner) {}
    void Detach() { owner_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** pp) override {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) *pp = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleInPlaceSite || iid == IID_IOleWindow) *pp = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow) *pp = static_cast<IOleInPlaceFrame*>(this);
        else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) *pp = static_cast<IDispatch*>(this);
        else {
            *pp = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }
    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** c) override {
        *c = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleWindow
    STDMETHODIMP GetWindow(HWND* h) override {
        *h = owner_ && owner_->HandleAllocated() ? owner_->Handle() : nullptr;
        return *h ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** f, IOleInPlaceUIWindow** d, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO fi) override {
        *f = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *d = nullptr;
        HWND h = owner_ && owner_->HandleAllocated() ? owner_->Handle() : nullptr;
        GetClientRect(h, pos);
        GetClientRect(h, clip);
        fi->cb = sizeof(OLEINPLACEFRAMEINFO);
        fi->fMDIApp = FALSE;
        fi->hwndFrame = h ? GetAncestor(h, GA_ROOT) : nullptr;
        fi->haccel = nullptr;
        fi->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
    // IOleInPlaceUIWindow / IOleInPlaceFrame
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
    // IDispatch: the browser's events
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override {
        if (id < 0) return DISP_E_MEMBERNOTFOUND;  // ambient properties: the defaults serve
        return owner_ ? owner_->InvokeEvent(id, p) : S_OK;
    }

private:
    virtual ~TWebBrowserSite() = default;
    TWebBrowser* owner_;
    LONG refs_ = 1;
};

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 300, 150);
}

void TWebBrowser::BeforeDestruction() {
    Deactivate();
    TWinControl::BeforeDestruction();
}

void TWebBrowser::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style |= WS_CLIPCHILDREN;
    p.Background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void TWebBrowser::CreateHandleDone() { Activate(); }

void TWebBrowser::DestroyWnd() {
    Deactivate();
    TWinControl::DestroyWnd();
}

void TWebBrowser::Activate() {
    if (ole_) return;
    HRESULT hr = CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&ole_));
    if (FAILED(hr)) {
        ole_ = nullptr;
        throw Exception(Format("The web browser control is not available (0x%08lX)", static_cast<unsigned long>(hr)));
    }
    site_ = new TWebBrowserSite(this);
    ole_->SetClientSite(static_cast<IOleClientSite*>(site_));
    OleSetContainedObject(ole_, TRUE);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    ole_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_), 0, hwnd_, &rc);
    if (SUCCEEDED(ole_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_)))) {
        IConnectionPointContainer* cpc = nullptr;
        if (SUCCEEDED(browser_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc)))) {
            if (SUCCEEDED(cpc->FindConnectionPoint(DIID_DWebBrowserEvents2, &events_)))
                events_->Advise(static_cast<IDispatch*>(site_), &cookie_);
            cpc->Release();
        }
    }
}

void TWebBrowser::Deactivate() {
    if (events_) {
        events_->Unadvise(cookie_);
        events_->Release();
        events_ = nullptr;
    }
    if (browser_) {
        browser_->Release();
        browser_ = nullptr;
    }
    if (ole_) {
        ole_->Close(OLECLOSE_NOSAVE);
        ole_->SetClientSite(nullptr);
        ole_->Release();
        ole_ = nullptr;
    }
    if (site_) {
        site_->Detach();
        site_->Release();
        site_ = nullptr;
    }
}

void TWebBrowser::Navigate(const std::wstring& url) {
    Handle();
    if (!browser_) throw Exception("The web browser control is not available");
    BSTR burl = SysAllocString(url.c_str());
    VARIANT empty;
    VariantInit(&empty);
    HRESULT hr = browser_->Navigate(burl, &empty, &empty, &empty, &empty);
    SysFreeString(burl);
    if (FAILED(hr)) throw Exception(Format("Navigation failed (0x%08lX)", static_cast<unsigned long>(hr)));
}

IDispatch* TWebBrowser::ApplicationDispatch() {
    IDispatch* app = nullptr;
    if (browser_) browser_->get_Application(&app);
    return app;
}

HRESULT TWebBrowser::InvokeEvent(DISPID id, DISPPARAMS* p) {
    try {
        if (id == DISPID_BEFORENAVIGATE2 && p && p->cArgs == 7 && p->rgvarg[0].vt == (VT_BYREF | VT_BOOL)) {
            // Arguments arrive last first: pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel.
            auto arg = [&](int i) -> const VARIANT& {
                const VARIANT& v = p->rgvarg[6 - i];
                return (v.vt & VT_BYREF) && v.pvarVal && (v.vt & VT_TYPEMASK) == VT_VARIANT ? *v.pvarVal : v;
            };
            VARIANT_BOOL* cancel = p->rgvarg[0].pboolVal;
            VARIANT_BOOL c = cancel ? *cancel : VARIANT_FALSE;
            IDispatch* disp = p->rgvarg[6].vt == VT_DISPATCH ? p->rgvarg[6].pdispVal : nullptr;
            if (OnBeforeNavigate2) OnBeforeNavigate2(this, disp, arg(1), arg(2), arg(3), arg(4), arg(5), c);
            if (cancel) *cancel = c;
        } else if (id == DISPID_NEWWINDOW2 && p && p->cArgs == 2 && p->rgvarg[0].vt == (VT_BYREF | VT_BOOL) &&
                   p->rgvarg[1].vt == (VT_BYREF | VT_DISPATCH)) {
            IDispatch** ppDisp = p->rgvarg[1].ppdispVal;
            VARIANT_BOOL* cancel = p->rgvarg[0].pboolVal;
            IDispatch* disp = ppDisp ? *ppDisp : nullptr;
            VARIANT_BOOL c = cancel ? *cancel : VARIANT_FALSE;
            if (OnNewWindow2) OnNewWindow2(this, disp, c);
            if (ppDisp) *ppDisp = disp;
            if (cancel) *cancel = c;
        }
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleException(Exception("Unexpected error"));
    }
    return S_OK;
}

void TWebBrowser::WndProc(TMessage& m) {
    if (m.Msg == WM_SIZE && browser_) {
        IOleInPlaceObject* ip = nullptr;
        if (ole_ && SUCCEEDED(ole_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip)))) {
            RECT rc;
            GetClientRect(hwnd_, &rc);
            ip->SetObjectRects(&rc, &rc);
            ip->Release();
        }
    }
    TWinControl::WndProc(m);
}

bool TWebBrowser::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "ExtentX" || name == "ExtentY") v.AsInt();  // the stored extent: the control fills its box
    else return TWinControl::SetProperty(name, v);
    return true;
}

bool TWebBrowser::SetEvent(const std::string& name, const std::any& handler) {
    if (name == "OnBeforeNavigate2") OnBeforeNavigate2 = EventCast<TBeforeNavigate2Event>(handler, name);
    else if (name == "OnNewWindow2") OnNewWindow2 = EventCast<TNewWindow2Event>(handler, name);
    else return TWinControl::SetEvent(name, handler);
    return true;
}

}  // namespace fw
