// The style unit: value names, the default controller, the shadow brush and KillMessage.
#include "editors/dxCntner.h"

#include "editors/dxDraw.h"

namespace editors {

namespace {
constexpr const char* BorderStyleNames[] = {"xbsNone", "xbsSingle", "xbsThick", "xbsFlat", "xbs3D"};
constexpr const char* ButtonViewStyleNames[] = {"btsDefault", "bts3D", "btsFlat", "btsSimple", "btsHotFlat"};
constexpr const char* ButtonTransparenceNames[] = {"ebtNone", "ebtInactive", "ebtAlways", "ebtHideInactive"};
constexpr const char* EdgeNames[] = {"edgLeft", "edgTop", "edgRight", "edgBottom"};
constexpr const char* StyleValueNames[] = {"svBorderColor",        "svBorderStyle", "svButtonStyle",
                                           "svButtonTransparence", "svEdges",       "svHotTrack",
                                           "svShadow"};
}  // namespace

const fw::TEnumType TdxEditBorderStyleType("TdxEditBorderStyle", BorderStyleNames);
const fw::TEnumType TdxEditButtonViewStyleType("TdxEditButtonViewStyle", ButtonViewStyleNames);
const fw::TEnumType TdxEditButtonTransparenceType("TdxEditButtonTransparence", ButtonTransparenceNames);
const fw::TEnumType TdxEditEdgeType("TdxEditEdge", EdgeNames);
const fw::TEnumType TdxEditStyleValueType("TdxEditStyleValue", StyleValueNames);

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
            RegisterStyleClasses();
        },
        [] {
            fw::FreeAndNil(DefaultEditStyleController);
            if (ShadowBrush) DeleteObject(ShadowBrush);
            ShadowBrush = nullptr;
        });
    return unit;
}

}  // namespace editors
