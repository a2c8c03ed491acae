// The message record that controls pass through their handlers, the framework's own
// notification messages, and the shift state that key and mouse events carry.
//
// The framework's notifications (CM_*) and the reflected control notifications (CN_*)
// share one range, 0xB000..0xBFFF, inside the application range of window messages. A
// control delivers them to its handlers and never to its window class: everything else,
// whatever its number, goes on to the window class's own procedure.
#pragma once
#include <windows.h>

namespace fw {

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_CANCELMODE = CM_BASE + 0x04;      // end a mouse operation (capture, pressed button)
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0C;  // Enabled changed
constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0D;    // Color changed (own or parent's)
constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0E;     // Font changed (own or parent's)
constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x12;     // text set through the control
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;      // lParam: 0 for the control itself, else the child
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;      // lParam as for CM_MOUSEENTER
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 0x19;  // the window is to follow Visible
constexpr UINT CM_ENTER = CM_BASE + 0x1A;           // the form's focus moved onto the control
constexpr UINT CM_EXIT = CM_BASE + 0x1B;            // the form's focus leaves the control
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 0x24;  // system colours changed; passed on to children
constexpr UINT CM_CHANGED = CM_BASE + 0x37;         // a control's value changed; lParam: the control

// A child window's WM_COMMAND and WM_NOTIFY come back to the child's object as these.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;  // 0xBD11
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;    // 0xBC4E

constexpr UINT kFrameworkMessageFirst = CM_BASE, kFrameworkMessageLast = 0xBFFF;
constexpr bool IsFrameworkMessage(UINT msg) { return msg >= kFrameworkMessageFirst && msg <= kFrameworkMessageLast; }

// Modifier keys and mouse buttons held during a key or mouse event.
using TShiftState = unsigned;
enum TShiftStateFlag : unsigned {
    ssShift = 0x01, ssAlt = 0x02, ssCtrl = 0x04, ssLeft = 0x08, ssRight = 0x10, ssMiddle = 0x20, ssDouble = 0x40
};
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The shift state of a key message (lParam: its key data) from the keyboard state.
TShiftState KeyDataToShiftState(LPARAM keyData);
// The shift state of a mouse message (wParam: its MK_* flags).
TShiftState KeysToShiftState(WPARAM keys);

// The point of a mouse message, or the screen point of WM_CONTEXTMENU (signed halves).
inline POINT PointFromLParam(LPARAM lp) {
    return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

}  // namespace fw
