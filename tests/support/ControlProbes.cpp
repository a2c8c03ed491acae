#include "tests/support/ControlProbes.h"

#include "framework/MessagePump.h"

namespace harness {

ProbeControl::ProbeControl(fw::TComponent* owner, std::string baseClass)
    : TWinControl(owner), baseClass_(std::move(baseClass)) {
    TabStop = true;
    SetBounds(0, 0, 120, 24);
}

void ProbeControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = baseClass_;
    p.WinClassName = "TProbe" + baseClass_;
}

void ProbeControl::WndProc(fw::TMessage& m) {
    ++count[m.Msg];
    if (m.Msg == fw::CN_COMMAND) ++commands[HIWORD(m.WParam)];
    TWinControl::WndProc(m);
}

void ProbeControl::CMEnter(fw::TMessage& m) {
    if (log) log->push_back(Name() + " CM_ENTER");
    TWinControl::CMEnter(m);
}

void ProbeControl::CMExit(fw::TMessage& m) {
    if (log) log->push_back(Name() + " CM_EXIT");
    if (rejectExit) throw fw::Exception("Value rejected");
    TWinControl::CMExit(m);
}

void ProbeControl::CMMouseEnter(fw::TMessage& m) {
    if (m.LParam == 0) ++enters;
    TWinControl::CMMouseEnter(m);
}

void ProbeControl::CMMouseLeave(fw::TMessage& m) {
    if (m.LParam == 0) ++leaves;
    TWinControl::CMMouseLeave(m);
}

void ProbeControl::WMGetDlgCode(fw::TMessage& m) {
    TWinControl::WMGetDlgCode(m);
    m.Result = (m.Result & ~static_cast<LRESULT>(dlgCodeRemove)) | dlgCodeAdd;
}

void ProbeControl::PaintWindow(HDC dc) {
    paintDCs.push_back(dc);
    paintCopies.push_back((ControlState & fw::csPaintCopy) != 0);
    if (fill != CLR_INVALID) {
        HBRUSH b = CreateSolidBrush(fill);
        RECT r = ClientRect();
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    TWinControl::PaintWindow(dc);
}

bool RegisterPlainClass(const char* name, WNDPROC proc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

RecordingApplication::RecordingApplication() {
    fw::Application = fw::Create<fw::TApplication>(nullptr);
    fw::SetExceptionHandler([this](const std::exception& e) { boxes.push_back(e.what()); });
}

RecordingApplication::~RecordingApplication() {
    fw::Application->Teardown();
    fw::FreeAndNil(fw::Application);
}

}  // namespace harness
