// Forms, data modules and the application object.
//
// A form or data module is built from its description resource in AfterConstruction, then
// its OnCreate handler runs; an exception in OnCreate is shown in the application's
// exception box and the creation carries on. A fault in the description itself propagates.
#pragma once
#include <windows.h>
#include <any>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/Controls.h"
#include "framework/FormDescription.h"

namespace fw {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// What forms and data modules share: handlers by name and field slots for their description.
class THandlerTable : public TDescriptionRoot {
public:
    template <class F>
    void Handler(const std::string& name, F f) { handlers_[name] = std::any(f); }
    template <class T>
    void Field(const std::string& name, T*& slot) {
        fields_[name] = [&slot, name](TComponent* c) {
            if constexpr (std::is_same_v<T, TComponent>) {
                slot = c;
            } else {
                T* t = dynamic_cast<T*>(c);
                if (!t) throw EReadError("Field " + name + " has the wrong class");
                slot = t;
            }
        };
    }
    std::any FindHandler(const std::string& name) const override;
    void BindField(const std::string& name, TComponent* component) override;

private:
    std::map<std::string, std::any> handlers_;
    std::map<std::string, std::function<void(TComponent*)>> fields_;
};

class TCustomForm : public TWinControl, public THandlerTable {
public:
    FW_CLASS(TCustomForm)
    explicit TCustomForm(TComponent* owner);
    void AfterConstruction() override;
    void BeforeDestruction() override;

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& c) { SetText(c); }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle s);
    bool biSystemMenu = true, biMinimize = true, biMaximize = true;
    TPosition Position = TPosition::poDesigned;
    TWindowState WindowState = TWindowState::wsNormal;
    bool OldCreateOrder = false;
    bool AutoScroll = false, AutoSize = false;
    void SetClientSize(int w, int h);
    int ClientWidth() const;
    int ClientHeight() const;
    void SetIconResource(const std::string& name);

    TNotifyEvent OnCreate;
    TCloseEvent OnClose;

    void Show();
    void Close();
    bool Showing() const { return HandleAllocated() && IsWindowVisible(hwnd_); }

    // Focus bookkeeping: the control that has (or last had) the focus gets it back when
    // the form is activated again, and Tab moves it along the tab order.
    TWinControl* ActiveControl() const { return activeControl_; }
    // Records the control without notifying anyone (a control that goes away clears it).
    void SetActiveControl(TWinControl* c) { activeControl_ = c; }
    // The focus moves to control (the form itself or null: to no control): CM_EXIT goes to
    // the control that had it and to each of its parents that the new one is not inside,
    // then CM_ENTER to each parent of the new one that the old one was not inside, outer
    // first, and to the control itself. An exception from a CM_EXIT ends the move: the
    // focus stays where it was and the exception passes on. False when a handler moved the
    // focus elsewhere meanwhile.
    bool SetFocusedControl(TWinControl* control);
    // The next (or previous) control in the tab order, across nested windowed controls.
    void SelectNext(bool forward);

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool SetEvent(const std::string& name, const std::any& handler) override;

protected:
    // Reads the class's description (when it has one) and runs OnCreate.
    virtual bool HasDescription() const { return true; }
    void CreateParams(TCreateParams& p) override;
    void CreateHandleDone() override;
    void DoCreate();
    // The control that had the focus gets it back.
    void RestoreFocus();
    // On activation: the control that had the focus gets it back; when none had, the first
    // control in tab order that can take it.
    void FocusOnActivation();
    void Dispatch(TMessage& m) override;
    void PaintWindow(HDC dc) override;
    void WMEraseBkgnd(TMessage& m) override;
    void WMSetFocus(TMessage& m) override;
    virtual void WMClose(TMessage& m);
    virtual void WMActivate(TMessage& m);
    virtual void WMShowWindow(TMessage& m);
    virtual void WMSysColorChange(TMessage& m);

private:
    void PlaceOnScreen();
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    int clientWidth_ = -1, clientHeight_ = -1;
    HICON icon_ = nullptr, smallIcon_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    unsigned focusMoves_ = 0;  // counts SetFocusedControl calls that change the control
    bool exiting_ = false;     // CM_EXIT is being sent
};

class TForm : public TCustomForm {
public:
    FW_CLASS(TForm)
    using TCustomForm::TCustomForm;
};

class TDataModule : public TComponent, public THandlerTable {
public:
    FW_CLASS(TDataModule)
    explicit TDataModule(TComponent* owner) : TComponent(owner) {}
    void AfterConstruction() override;
    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool SetEvent(const std::string& name, const std::any& handler) override;
    void AddDescriptionChild(TComponent*) override {}
    TNotifyEvent OnCreate;
    bool OldCreateOrder = false;
};

// Message filter of the application events component: may set Handled.
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;

class TApplication : public TComponent {
public:
    FW_CLASS(TApplication)
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    void Initialize();  // COM for the user-interface thread
    std::string Title;
    TCustomForm* MainForm() const { return mainForm_; }
    bool Terminated() const { return terminated_; }

    // Creates a form or data module owned by the application; the reference is assigned
    // before the constructor and the creation handler run. The first form so created
    // becomes the main form.
    template <class T>
    void CreateForm(T*& reference) {
        void* memory = ::operator new(sizeof(T));
        reference = static_cast<T*>(memory);
        T* obj = nullptr;
        try {
            obj = new (memory) T(this);
        } catch (...) {
            reference = nullptr;
            ::operator delete(memory);
            throw;
        }
        try {
            obj->AfterConstruction();
        } catch (...) {
            reference = nullptr;
            obj->BeforeDestruction();
            delete obj;
            throw;
        }
        if (!mainForm_)
            if (auto* form = dynamic_cast<TCustomForm*>(static_cast<TComponent*>(obj))) mainForm_ = form;
    }

    void Run();
    void Terminate();
    void ProcessMessages();
    void HandleMessage();
    // One queued message through the filters, translation and dispatch; false for WM_QUIT.
    bool ProcessMessage(MSG& msg);
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);
    void ShowException(const std::exception& e);
    static std::string ExceptionBoxText(const std::string& message);

    // Application events components register their filters here (newest runs first).
    void AddMessageFilter(TComponent* owner, TMessageEvent* filter);
    void RemoveMessageFilter(TMessageEvent* filter);

    // The teardown run as an exit procedure: owned popups hidden, owned components freed
    // newest first.
    void Teardown();

private:
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool comInitialized_ = false;
    std::vector<TMessageEvent*> filters_;
};

extern TApplication* Application;

// Exit procedures, run in reverse order of their addition before units finalise.
void AddExitProc(std::function<void()> proc);
void RunExitProcs();

// The screen's size in pixels.
struct TScreen {
    static int Width() { return GetSystemMetrics(SM_CXSCREEN); }
    static int Height() { return GetSystemMetrics(SM_CYSCREEN); }
};

// Registers the framework's own component classes for descriptions.
void RegisterFormsClasses();

}  // namespace fw
