// Controls on real windows for the framework's tests: a form without a description, a
// windowed control (optionally superclassing a system window class) that counts what
// reaches it and logs its focus notifications, and an application whose exception box
// only records.
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "tests/support/Waits.h"  // PumpMessages

namespace harness {

class BareForm : public fw::TForm {
public:
    FW_CLASS(BareForm)
    using TForm::TForm;

protected:
    bool HasDescription() const override { return false; }
};

class ProbeControl : public fw::TWinControl {
public:
    FW_CLASS(ProbeControl)
    // baseClass: a window class to superclass ("RichEdit20A", "EDIT"), or empty.
    ProbeControl(fw::TComponent* owner, std::string baseClass = std::string());

    std::map<UINT, int> count;          // every message through WndProc, by id
    std::map<WORD, int> commands;       // CN_COMMAND by notification code
    std::vector<std::string>* log = nullptr;  // focus notifications and events, in order
    bool rejectExit = false;            // CM_EXIT raises before the inherited handling
    std::vector<HDC> paintDCs;          // the DC of each PaintWindow
    std::vector<bool> paintCopies;      // csPaintCopy during each PaintWindow
    COLORREF fill = CLR_INVALID;        // PaintWindow fills the client area with it
    int enters = 0, leaves = 0;         // CM_MOUSEENTER / CM_MOUSELEAVE for the control itself
    UINT dlgCodeAdd = 0;                // OR-ed into the window class's WM_GETDLGCODE answer
    UINT dlgCodeRemove = 0;             // and taken out of it (before the above)

    void WndProc(fw::TMessage& m) override;
    using fw::TWinControl::ControlStyle;

protected:
    void CreateParams(TCreateParams& p) override;
    void CMEnter(fw::TMessage& m) override;
    void CMExit(fw::TMessage& m) override;
    void CMMouseEnter(fw::TMessage& m) override;
    void CMMouseLeave(fw::TMessage& m) override;
    void WMGetDlgCode(fw::TMessage& m) override;
    void PaintWindow(HDC dc) override;

private:
    std::string baseClass_;
};

// Registers a window class with this procedure and nothing else, for a probe to superclass
// and see what reaches the class's own procedure; false when it cannot be registered.
bool RegisterPlainClass(const char* name, WNDPROC proc);

// An application object whose exception box records the messages instead of showing them.
class RecordingApplication {
public:
    RecordingApplication();
    ~RecordingApplication();
    std::vector<std::string> boxes;
};

}  // namespace harness
