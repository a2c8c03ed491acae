// The exam browser form inside a running application: its message filter on real windows,
// the shared navigation count and the refusal of new windows, driven through the browser
// control's event sink as the control would drive it.
#include <gtest/gtest.h>

#include <exdispid.h>
#include <algorithm>
#include <map>

#include "app/DataModule.h"
#include "app/Unit_Login.h"
#include "app/Unit_Main.h"
#include "editors/EditorUnits.h"
#include "framework/IdHTTP.h"
#include "framework/IdIPWatch.h"
#include "tests/support/Harness.h"
#include "tests/support/ScriptedServer.h"

namespace {

// Every message that reaches a watched window's procedure.
std::vector<std::pair<HWND, UINT>> g_seen;
std::map<HWND, WNDPROC> g_original;

LRESULT CALLBACK Recorder(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_seen.emplace_back(h, m);
    return CallWindowProcA(g_original[h], h, m, w, l);
}

void Watch(HWND h) {
    g_original[h] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Recorder)));
}

// Records the order in which watched components go.
class FreeOrder : public fw::TComponent {
public:
    FreeOrder() : TComponent(nullptr) {}
    std::vector<fw::TComponent*> freed;

protected:
    void Notification(fw::TComponent* c, fw::TOperation op) override {
        if (op == fw::TOperation::opRemove) freed.push_back(c);
    }
};

class BrowserForm : public ::testing::Test {
protected:
    void SetUp() override {
        fw::RegisterFormsClasses();
        fw::RegisterHttpClasses();
        fw::RegisterIPWatchClasses();
        for (fw::TUnit* u : editors::EditorUnits()) u->Initialize();  // the login form's fields
        server_.SetHandler([](const harness::ScriptedRequest&) { return harness::ScriptedReply::Ok("<html></html>"); });
        harness::WriteFile(app::SettingsFileName(), "[User]\r\nServerList_Address=" + server_.BaseUrl() + "\r\n");
        fw::Application = fw::Create<fw::TApplication>(nullptr);
        fw::Application->Initialize();
        fw::Application->CreateForm(app::FrmLogin);
        fw::Application->CreateForm(app::DM);
        app::FrmLogin->Show();
        app::FrmLogin->UserName->SetText("20260001");
        app::FrmLogin->PWD->SetText("110101");
        g_seen.clear();
        g_original.clear();
    }
    void TearDown() override {
        fw::Application->Teardown();
        fw::FreeAndNil(fw::Application);
        auto units = editors::EditorUnits();
        for (auto it = units.rbegin(); it != units.rend(); ++it) (*it)->Finalize();
        DeleteFileA(app::SettingsFileName().c_str());
    }

    app::TFrmMain* NewBrowserForm() {
        fw::Application->CreateForm(app::FrmMain);
        app::FrmMain->SetBorderStyle(fw::TFormBorderStyle::bsNone);
        app::FrmMain->Show();
        return app::FrmMain;
    }

    // A window inside the browser control's window, like the page's own windows.
    HWND InnerWindow(app::TFrmMain* form) {
        HWND inner = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, form->WebBrowser1->Handle(),
                                   nullptr, nullptr, nullptr);
        Watch(inner);
        return inner;
    }

    // True when the application's loop handed the message on to the window.
    bool Delivered(HWND hwnd, UINT message, WPARAM wp = 0, bool control = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        keys[VK_LCONTROL] = keys[VK_CONTROL];
        SetKeyboardState(keys);
        g_seen.clear();
        MSG msg = {};
        msg.hwnd = hwnd;
        msg.message = message;
        msg.wParam = wp;
        fw::Application->ProcessMessage(msg);
        return std::any_of(g_seen.begin(), g_seen.end(), [&](auto& s) { return s.first == hwnd && s.second == message; });
    }

    void FireBeforeNavigate(app::TFrmMain* form) {
        VARIANT url, flags, frame, post, headers, vurl, vflags, vframe, vpost, vheaders;
        for (VARIANT* v : {&url, &flags, &frame, &post, &headers, &vurl, &vflags, &vframe, &vpost, &vheaders})
            VariantInit(v);
        url.vt = VT_BSTR;
        url.bstrVal = SysAllocString(L"http://127.0.0.1/frame.html");
        VARIANT* inner[] = {&url, &flags, &frame, &post, &headers};
        VARIANT* outer[] = {&vurl, &vflags, &vframe, &vpost, &vheaders};
        for (int i = 0; i < 5; ++i) {
            outer[i]->vt = VT_BYREF | VT_VARIANT;
            outer[i]->pvarVal = inner[i];
        }
        VARIANT_BOOL cancel = VARIANT_FALSE;
        VARIANT args[7];
        args[6].vt = VT_DISPATCH;
        args[6].pdispVal = nullptr;
        for (int i = 0; i < 5; ++i) args[5 - i] = *outer[i];
        args[0].vt = VT_BYREF | VT_BOOL;
        args[0].pboolVal = &cancel;
        DISPPARAMS params = {args, nullptr, 7, 0};
        form->WebBrowser1->InvokeEvent(DISPID_BEFORENAVIGATE2, &params);
        EXPECT_EQ(cancel, VARIANT_FALSE) << "navigation is never cancelled";
        SysFreeString(url.bstrVal);
    }

    harness::ScriptedServer server_;
};

}  // namespace

TEST_F(BrowserForm, FilterSwallowsRightClicksAndControlKeysInsideTheBrowserAndFunctionKeysEverywhere) {
    HWND field = app::FrmLogin->UserName->Handle();
    Watch(field);
    EXPECT_TRUE(Delivered(field, WM_KEYDOWN, VK_F5)) << "no browser form yet: F5 passes";

    app::TFrmMain* form = NewBrowserForm();
    HWND inner = InnerWindow(form);
    HWND control = form->WebBrowser1->Handle();
    Watch(control);

    EXPECT_FALSE(Delivered(inner, WM_RBUTTONDOWN));
    EXPECT_FALSE(Delivered(inner, WM_RBUTTONUP));
    EXPECT_TRUE(Delivered(inner, WM_RBUTTONDBLCLK));
    EXPECT_FALSE(Delivered(inner, WM_KEYDOWN, 'C', true));
    EXPECT_FALSE(Delivered(inner, WM_KEYDOWN, 'N', true));
    EXPECT_TRUE(Delivered(inner, WM_KEYDOWN, 'C', false));
    EXPECT_TRUE(Delivered(inner, WM_KEYDOWN, VK_APPS, false));
    EXPECT_FALSE(Delivered(inner, WM_KEYDOWN, VK_F5));
    EXPECT_TRUE(Delivered(inner, WM_SYSKEYDOWN, VK_F10)) << "system keys are not swallowed";
    EXPECT_TRUE(Delivered(inner, WM_SYSKEYDOWN, VK_F4));
    EXPECT_TRUE(Delivered(control, WM_RBUTTONDOWN)) << "the control's own window is not its descendant";
    EXPECT_TRUE(Delivered(inner, WM_KEYDOWN, VK_TAB)) << "Tab belongs to the page";

    EXPECT_TRUE(Delivered(field, WM_RBUTTONDOWN)) << "the login form is not locked down";
    EXPECT_TRUE(Delivered(field, WM_KEYDOWN, 'C', true));
    for (WPARAM key = VK_F1; key <= VK_F12; ++key) EXPECT_FALSE(Delivered(field, WM_KEYDOWN, key)) << key;
    EXPECT_TRUE(Delivered(field, WM_KEYDOWN, VK_F12 + 1));

    // An earlier, hidden browser form keeps filtering its own browser's windows.
    form->Close();
    NewBrowserForm();
    EXPECT_FALSE(Delivered(inner, WM_RBUTTONDOWN));
}

TEST_F(BrowserForm, SecondNavigationStartHidesTheFormWhoseEventItIs) {
    app::TFrmMain* first = NewBrowserForm();
    EXPECT_EQ(app::NavigateCount, 0) << "reset once the navigation request has returned";
    FireBeforeNavigate(first);
    EXPECT_EQ(app::NavigateCount, 1);
    EXPECT_TRUE(IsWindowVisible(first->Handle())) << "the first event leaves the form";
    FireBeforeNavigate(first);
    EXPECT_FALSE(IsWindowVisible(first->Handle())) << "the second hides it";
    EXPECT_TRUE(IsWindowVisible(app::FrmLogin->Handle())) << "the login form stays beneath";

    app::TFrmMain* second = NewBrowserForm();
    EXPECT_EQ(app::NavigateCount, 0);
    FireBeforeNavigate(first);
    FireBeforeNavigate(first);  // the hidden earlier form's event makes it 2: it closes itself again
    EXPECT_TRUE(IsWindowVisible(second->Handle())) << "the newest form stays";
    FireBeforeNavigate(second);
    EXPECT_EQ(app::NavigateCount, 3);
    EXPECT_TRUE(IsWindowVisible(second->Handle())) << "past 2 nothing hides";
    EXPECT_NE(first->Owner(), nullptr) << "hidden forms are kept, not freed";
}

TEST_F(BrowserForm, NewWindowRequestsAreCancelledWithTheControlsApplicationObject) {
    app::TFrmMain* form = NewBrowserForm();
    IDispatch* disp = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[2];
    args[1].vt = VT_BYREF | VT_DISPATCH;
    args[1].ppdispVal = &disp;
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel;
    DISPPARAMS params = {args, nullptr, 2, 0};
    form->WebBrowser1->InvokeEvent(DISPID_NEWWINDOW2, &params);
    EXPECT_EQ(static_cast<unsigned short>(cancel), 0xFFFF);
    IDispatch* expected = form->WebBrowser1->ApplicationDispatch();
    EXPECT_NE(disp, nullptr);
    EXPECT_EQ(disp, expected);
    if (disp) disp->Release();
    if (expected) expected->Release();
}

TEST_F(BrowserForm, TeardownFreesBrowserFormsNewestFirstThenTheDataModuleThenTheLoginForm) {
    app::TFrmMain* first = NewBrowserForm();
    app::TFrmMain* second = NewBrowserForm();
    FreeOrder watcher;
    for (fw::TComponent* c : std::vector<fw::TComponent*>{app::FrmLogin, app::DM, first, second})
        c->FreeNotification(&watcher);
    std::vector<fw::TComponent*> expected = {second, first, app::DM, app::FrmLogin};
    fw::Application->Teardown();
    EXPECT_EQ(watcher.freed, expected);
    EXPECT_EQ(fw::Application->ComponentCount(), 0);
}
