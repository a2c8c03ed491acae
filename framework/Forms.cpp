#include "framework/Forms.h"
#include "framework/MessagePump.h"

#include <objbase.h>
#include <algorithm>

namespace fw {

TApplication* Application = nullptr;

// --- handler tables -----------------------------------------------------------------------------

std::any THandlerTable::FindHandler(const std::string& name) const {
    auto it = handlers_.find(name);
    return it == handlers_.end() ? std::any() : it->second;
}

void THandlerTable::BindField(const std::string& name, TComponent* component) {
    auto it = fields_.find(name);
    if (it != fields_.end()) it->second(component);
}

namespace {
void LoadOwnDescription(TComponent* root, TDescriptionRoot& binder) {
    std::string text = LoadDescriptionResource(root->ClassName());
    auto node = ParseDescription(text);
    ApplyDescription(*node, root, binder);
}

void RunCreateHandler(const TNotifyEvent& onCreate, TObject* sender) {
    if (!onCreate) return;
    try {
        onCreate(sender);
    } catch (const std::exception& e) {
        HandleException(e);
    }
}
}  // namespace

// --- forms ------------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    visible_ = false;
    color_ = clBtnFace;
}

void TCustomForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    if (HasDescription()) LoadOwnDescription(this, *this);
    DoCreate();
}

void TCustomForm::DoCreate() { RunCreateHandler(OnCreate, this); }

void TCustomForm::BeforeDestruction() {
    TWinControl::BeforeDestruction();
    if (icon_) DestroyIcon(icon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    icon_ = smallIcon_ = nullptr;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle s) {
    borderStyle_ = s;
    if (HandleAllocated()) {
        TCreateParams p;
        CreateParams(p);
        SetWindowLongA(hwnd_, GWL_STYLE, static_cast<LONG>(p.Style | (IsWindowVisible(hwnd_) ? WS_VISIBLE : 0)));
        SetWindowLongA(hwnd_, GWL_EXSTYLE, static_cast<LONG>(p.ExStyle));
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    }
}

void TCustomForm::SetClientSize(int w, int h) {
    clientWidth_ = w;
    clientHeight_ = h;
    if (HandleAllocated()) {
        RECT r = {0, 0, w, h};
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE)));
        SetBounds(left_, top_, r.right - r.left, r.bottom - r.top);
    }
}

int TCustomForm::ClientWidth() const {
    if (!HandleAllocated()) return clientWidth_ >= 0 ? clientWidth_ : width_;
    RECT r;
    GetClientRect(hwnd_, &r);
    return r.right;
}

int TCustomForm::ClientHeight() const {
    if (!HandleAllocated()) return clientHeight_ >= 0 ? clientHeight_ : height_;
    RECT r;
    GetClientRect(hwnd_, &r);
    return r.bottom;
}

void TCustomForm::SetIconResource(const std::string& name) {
    if (icon_) DestroyIcon(icon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    HINSTANCE inst = GetModuleHandleA(nullptr);
    icon_ = static_cast<HICON>(LoadImageA(inst, name.c_str(), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                          GetSystemMetrics(SM_CYICON), 0));
    smallIcon_ = static_cast<HICON>(LoadImageA(inst, name.c_str(), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    if (!icon_ || !smallIcon_) throw EReadError("Icon resource " + name + " not found");
    if (HandleAllocated()) CreateHandleDone();
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.WndParent = nullptr;
    p.ClassStyle = CS_DBLCLKS;
    DWORD icons = (biSystemMenu ? WS_SYSMENU : 0) | (biMinimize ? WS_MINIMIZEBOX : 0) | (biMaximize ? WS_MAXIMIZEBOX : 0);
    p.ExStyle = 0;
    switch (borderStyle_) {
        case TFormBorderStyle::bsNone: p.Style = WS_POPUP; break;
        case TFormBorderStyle::bsSingle: p.Style = WS_CAPTION | WS_BORDER | icons; break;
        case TFormBorderStyle::bsSizeable: p.Style = WS_CAPTION | WS_THICKFRAME | icons; break;
        case TFormBorderStyle::bsDialog:
            p.Style = WS_CAPTION | WS_POPUP | DS_MODALFRAME | (biSystemMenu ? WS_SYSMENU : 0);
            p.ExStyle = WS_EX_DLGMODALFRAME;
            break;
        case TFormBorderStyle::bsToolWindow: p.Style = WS_CAPTION | WS_BORDER | (biSystemMenu ? WS_SYSMENU : 0);
            p.ExStyle = WS_EX_TOOLWINDOW;
            break;
        case TFormBorderStyle::bsSizeToolWin: p.Style = WS_CAPTION | WS_THICKFRAME | (biSystemMenu ? WS_SYSMENU : 0);
            p.ExStyle = WS_EX_TOOLWINDOW;
            break;
    }
    p.Style |= WS_CLIPCHILDREN;
    if (clientWidth_ >= 0 || clientHeight_ >= 0) {
        RECT r = {0, 0, clientWidth_ >= 0 ? clientWidth_ : width_, clientHeight_ >= 0 ? clientHeight_ : height_};
        AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
        width_ = p.Width = r.right - r.left;
        height_ = p.Height = r.bottom - r.top;
    }
}

void TCustomForm::CreateHandleDone() {
    if (icon_) {
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    }
}

void TCustomForm::PlaceOnScreen() {
    if (Position == TPosition::poScreenCenter || Position == TPosition::poDesktopCenter) {
        int x = (TScreen::Width() - width_) / 2, y = (TScreen::Height() - height_) / 2;
        SetBounds(std::max(0, x), std::max(0, y), width_, height_);
    }
}

void TCustomForm::Show() {
    bool first = !HandleAllocated();
    Handle();
    if (first) PlaceOnScreen();
    visible_ = true;
    int cmd = SW_SHOWNORMAL;
    if (WindowState == TWindowState::wsMaximized) cmd = SW_SHOWMAXIMIZED;
    else if (WindowState == TWindowState::wsMinimized) cmd = SW_SHOWMINNOACTIVE;
    ShowWindow(hwnd_, cmd);
    if (GetFocus() == nullptr || GetAncestor(GetFocus(), GA_ROOT) != hwnd_) SelectNext(true);
}

void TCustomForm::Close() {
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == TCloseAction::caMinimize) {
        if (HandleAllocated()) ShowWindow(hwnd_, SW_MINIMIZE);
        return;
    }
    Hide();  // freeing a form on close is not offered: it is hidden
}

void TCustomForm::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_CLOSE: WMClose(m); break;
        case WM_ACTIVATE: WMActivate(m); break;
        case WM_SHOWWINDOW: WMShowWindow(m); break;
        case WM_SYSCOLORCHANGE: WMSysColorChange(m); break;
        default: TWinControl::Dispatch(m); break;
    }
}

void TCustomForm::WMClose(TMessage& m) {
    Close();
    m.Result = 0;
}

// The background is filled while painting, under the graphic controls, not before.
void TCustomForm::WMEraseBkgnd(TMessage& m) { m.Result = 1; }

void TCustomForm::PaintWindow(HDC dc) {
    RECT r;
    if (GetClipBox(dc, &r) == ERROR) r = ClientRect();
    FillRect(dc, &r, BrushHandle());
}

void TCustomForm::WMShowWindow(TMessage& m) {
    visible_ = m.WParam != 0;
    DefaultHandler(m);
}

void TCustomForm::WMActivate(TMessage& m) {
    DefaultHandler(m);
    if (LOWORD(m.WParam) != WA_INACTIVE && !HIWORD(m.WParam)) FocusOnActivation();
    m.Result = 0;
}

void TCustomForm::WMSetFocus(TMessage& m) {
    RestoreFocus();
    m.Result = 0;
}

void TCustomForm::WMSysColorChange(TMessage& m) {
    Perform(CM_SYSCOLORCHANGE);
    DefaultHandler(m);
}

bool TCustomForm::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "BorderStyle") {
        static const std::map<std::string, TFormBorderStyle> styles = {
            {"bsNone", TFormBorderStyle::bsNone}, {"bsSingle", TFormBorderStyle::bsSingle},
            {"bsSizeable", TFormBorderStyle::bsSizeable}, {"bsDialog", TFormBorderStyle::bsDialog},
            {"bsToolWindow", TFormBorderStyle::bsToolWindow}, {"bsSizeToolWin", TFormBorderStyle::bsSizeToolWin}};
        auto it = styles.find(v.AsIdent());
        if (it == styles.end()) throw EReadError(Format("Invalid border style %s (line %d)", v.s.c_str(), v.line));
        SetBorderStyle(it->second);
    } else if (name == "BorderIcons") {
        if (v.kind != TPropValue::Set) throw EReadError(Format("Invalid border icons (line %d)", v.line));
        biSystemMenu = biMinimize = biMaximize = false;
        for (const std::string& s : v.set) {
            if (s == "biSystemMenu") biSystemMenu = true;
            else if (s == "biMinimize") biMinimize = true;
            else if (s == "biMaximize") biMaximize = true;
            else if (s != "biHelp") throw EReadError(Format("Invalid border icon %s (line %d)", s.c_str(), v.line));
        }
    } else if (name == "Position") {
        static const std::map<std::string, TPosition> positions = {
            {"poDesigned", TPosition::poDesigned}, {"poDefault", TPosition::poDefault},
            {"poScreenCenter", TPosition::poScreenCenter}, {"poDesktopCenter", TPosition::poDesktopCenter},
            {"poMainFormCenter", TPosition::poMainFormCenter}};
        auto it = positions.find(v.AsIdent());
        if (it == positions.end()) throw EReadError(Format("Invalid position %s (line %d)", v.s.c_str(), v.line));
        Position = it->second;
    } else if (name == "WindowState") {
        const std::string& s = v.AsIdent();
        if (s == "wsNormal") WindowState = TWindowState::wsNormal;
        else if (s == "wsMaximized") WindowState = TWindowState::wsMaximized;
        else if (s == "wsMinimized") WindowState = TWindowState::wsMinimized;
        else throw EReadError(Format("Invalid window state %s (line %d)", s.c_str(), v.line));
    } else if (name == "ClientWidth") {
        SetClientSize(v.AsInt(), clientHeight_);
    } else if (name == "ClientHeight") {
        SetClientSize(clientWidth_, v.AsInt());
    } else if (name == "Icon") {
        if (v.kind != TPropValue::Resource) throw EReadError(Format("Icon resource expected (line %d)", v.line));
        SetIconResource(v.s);
    } else if (name == "OldCreateOrder") {
        OldCreateOrder = v.AsBool();
    } else if (name == "AutoSize") {
        AutoSize = v.AsBool();
    } else if (name == "AutoScroll") {
        AutoScroll = v.AsBool();
    } else if (name == "PixelsPerInch" || name == "TextHeight") {
        v.AsInt();  // design-time metrics: forms are laid out in pixels as described
    } else if (name.compare(0, 5, "Font.") == 0) {
        return Font.SetProperty(name.substr(5), v);  // a form has no parent font to follow
    } else {
        return TWinControl::SetProperty(name, v);
    }
    return true;
}

bool TCustomForm::SetEvent(const std::string& name, const std::any& handler) {
    if (name == "OnCreate") OnCreate = EventCast<TNotifyEvent>(handler, name);
    else if (name == "OnClose") OnClose = EventCast<TCloseEvent>(handler, name);
    else return TWinControl::SetEvent(name, handler);
    return true;
}

// --- data modules -------------------------------------------------------------------------------

void TDataModule::AfterConstruction() {
    TComponent::AfterConstruction();
    LoadOwnDescription(this, *this);
    RunCreateHandler(OnCreate, this);
}

bool TDataModule::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "OldCreateOrder") OldCreateOrder = v.AsBool();
    else if (name == "Left" || name == "Top" || name == "Height" || name == "Width") v.AsInt();  // design-time only
    else return TComponent::SetProperty(name, v);
    return true;
}

bool TDataModule::SetEvent(const std::string& name, const std::any& handler) {
    if (name == "OnCreate") OnCreate = EventCast<TNotifyEvent>(handler, name);
    else return TComponent::SetEvent(name, handler);
    return true;
}

// --- the application ------------------------------------------------------------------------------

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    SetMainThreadId(GetCurrentThreadId());
    SetApplicationMessagePump([this] { ProcessMessages(); });
    SetApplicationTerminator([this] { Terminate(); });
    SetExceptionHandler([this](const std::exception& e) { ShowException(e); });
}

TApplication::~TApplication() {
    SetApplicationMessagePump(nullptr);
    SetApplicationTerminator(nullptr);
    SetExceptionHandler(nullptr);
    if (comInitialized_) CoUninitialize();
}

void TApplication::Initialize() {
    if (!comInitialized_) comInitialized_ = SUCCEEDED(CoInitialize(nullptr));
}

void TApplication::Run() {
    AddExitProc([this] { Teardown(); });
    if (mainForm_) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        GetStartupInfoA(&si);
        if (si.dwFlags & STARTF_USESHOWWINDOW) {
            if (si.wShowWindow == SW_SHOWMAXIMIZED) mainForm_->WindowState = TWindowState::wsMaximized;
            else if (si.wShowWindow == SW_SHOWMINNOACTIVE) mainForm_->WindowState = TWindowState::wsMinimized;
        }
        try {
            mainForm_->Show();
        } catch (const std::exception& e) {
            ShowException(e);
        }
    }
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleMessage() {
    MSG msg;
    BOOL r = GetMessageA(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
        terminated_ = true;
        return;
    }
    ProcessMessage(msg);
}

void TApplication::ProcessMessages() {
    // A quit request only marks the application terminated: the loop ends when control
    // returns to it, and until then the windows keep being served.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(msg);
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    try {
        bool handled = false;
        std::vector<TMessageEvent*> filters(filters_.rbegin(), filters_.rend());
        for (TMessageEvent* f : filters)
            if (std::find(filters_.begin(), filters_.end(), f) != filters_.end() && *f) (*f)(msg, handled);
        if (handled) return true;
        // Tab moves between the form's own controls, unless the control wants the key itself;
        // windows that are not ours (a hosted control's) get it as it is. The control is asked
        // for its dialog codes without the message: a rich edit that is once shown a message
        // there takes itself for a dialog's control for good, and from then on answers Esc by
        // closing its parent.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
            TWinControl::FromHandle(msg.hwnd) &&
            !(SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, 0) & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
            HWND root = GetAncestor(msg.hwnd, GA_ROOT);
            if (auto* form = dynamic_cast<TCustomForm*>(TWinControl::FromHandle(root))) {
                form->SelectNext(GetKeyState(VK_SHIFT) >= 0);
                return true;
            }
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    } catch (const std::exception& e) {
        ShowException(e);
    }
    return true;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = GetActiveWindow();
    if (!owner && mainForm_ && mainForm_->Showing()) owner = mainForm_->Handle();
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

std::string TApplication::ExceptionBoxText(const std::string& message) {
    std::string text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

void TApplication::ShowException(const std::exception& e) {
    MessageBox(ExceptionBoxText(e.what()), Title, MB_OK | MB_ICONSTOP);
}

void TApplication::AddMessageFilter(TComponent*, TMessageEvent* filter) { filters_.push_back(filter); }

void TApplication::RemoveMessageFilter(TMessageEvent* filter) {
    filters_.erase(std::remove(filters_.begin(), filters_.end(), filter), filters_.end());
}

void TApplication::Teardown() {
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TCustomForm*>(Components(i)); form && form->Showing()) form->Hide();
    while (ComponentCount() > 0) {
        TComponent* c = Components(ComponentCount() - 1);
        if (c == mainForm_) mainForm_ = nullptr;
        Free(c);
    }
    mainForm_ = nullptr;
}

// --- exit procedures -----------------------------------------------------------------------------

namespace {
std::vector<std::function<void()>>& ExitProcs() {
    static std::vector<std::function<void()>> procs;
    return procs;
}
}  // namespace

void AddExitProc(std::function<void()> proc) { ExitProcs().push_back(std::move(proc)); }

void RunExitProcs() {
    while (!ExitProcs().empty()) {
        auto proc = std::move(ExitProcs().back());
        ExitProcs().pop_back();
        try {
            proc();
        } catch (const std::exception& e) {
            HandleException(e);
        }
    }
}

}  // namespace fw
