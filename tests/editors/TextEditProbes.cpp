#include "tests/editors/TextEditProbes.h"

namespace editors_test {

// The recorder stands in for the rich edit's procedure from the window's creation on.
void TextProbe::CreateWnd() {
    TdxEdit::CreateWnd();
    original_ = defWndProc_;
    defWndProc_ = Recorder;
}

LRESULT CALLBACK TextProbe::Recorder(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* probe = dynamic_cast<TextProbe*>(fw::TWinControl::FromHandle(wnd));
    if (!probe) return 0;
    probe->toClass.emplace_back(msg, wp);
    return CallWindowProcA(probe->original_, wnd, msg, wp, lp);
}

}  // namespace editors_test
