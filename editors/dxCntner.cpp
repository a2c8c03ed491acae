// The style unit: value names, the default controller, the shadow brush and KillMessage.
#include "editors/dxCntner.h"

#include "editors/dxDraw.h"

namespace editors {

const std::vector<const char*> TdxEditBorderStyleNames = {"xbsNone", "xbsSingle", "xbsThick", "xbsFlat", "xbs3D"};
const std::vector<const char*> TdxEditButtonViewStyleNames = {"btsDefault", "bts3D", "btsFlat", "btsSimple",
                                                              "btsHotFlat"};
const std::vector<const char*> TdxEditButtonTransparenceNames = {"ebtNone", "ebtInactive", "ebtAlways",
                                                                 "ebtHideInactive"};
const std::vector<const char*> TdxEditEdgeNames = {"edgLeft", "edgTop", "edgRight", "edgBottom"};
const std::vector<const char*> TdxEditStyleValueNames = {"svBorderColor", "svBorderStyle", "svButtonStyle",
                                                         "svButtonTransparence", "svEdges", "svHotTrack",
                                                         "svShadow"};

TdxEditStyleController* DefaultEditStyleController = nullptr;

void KillMessage(HWND Wnd, UINT Msg) {
    MSG m;
    if (PeekMessageA(&m, Wnd, Msg, Msg, PM_REMOVE) && m.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(m.wParam));
}

fw::TUnit& dxCntnerUnit() {
    static fw::TUnit unit(
        "dxCntner",
        [] {
            // The colour is resolved once: later changes of the system colours are not followed.
            ShadowBrush = CreateSolidBrush(fw::ColorToRGB(clBtnShadow));
            DefaultEditStyleController = fw::Create<TdxEditStyleController>(nullptr);
        },
        [] {
            fw::FreeAndNil(DefaultEditStyleController);
            if (ShadowBrush) DeleteObject(ShadowBrush);
            ShadowBrush = nullptr;
        });
    return unit;
}

}  // namespace editors
