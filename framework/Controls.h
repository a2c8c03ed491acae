// Controls: TControl (position, visibility, colour, font, mouse), graphic controls drawn
// by their parent window, and TWinControl over a real window whose handle is made on
// first use.
//
// One window procedure routes every message to its object: WndProc -> Dispatch -> a named
// handler (WMKeyDown, CMEnter, ...) -> DefaultHandler. Each handler is virtual: a subclass
// overrides it to do its own step before or after calling the inherited one. A message no
// handler takes goes to the window class's own procedure (a superclassed window's original
// procedure), whatever its number; only the framework's own CM_/CN_ range stays inside.
// A subclass that handles further messages overrides Dispatch and calls the inherited
// Dispatch for the rest. Framework notifications are delivered with Perform.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/Messages.h"

namespace fw {

enum class TAlign { alNone, alClient };

// ControlState: what a control is doing at the moment.
enum TControlStateFlag : unsigned {
    csLButtonDown = 0x01,  // the left button went down on the control and is not yet up
    csClicked = 0x02,      // that press counts towards a click
    csFocusing = 0x04,     // SetFocus is moving the focus onto the control
    csPaintCopy = 0x08,    // the control is being painted into another device context (PaintTo)
};
// ControlStyle: how the framework treats the control's input.
enum TControlStyleFlag : unsigned {
    csCaptureMouse = 0x01,  // capture the mouse while the left button is down
    csClickEvents = 0x02,   // a press and release on the control is a Click
    csSetCaption = 0x04,    // the control shows its text
    csDoubleClicks = 0x08,  // WM_LBUTTONDBLCLK is a DblClick (otherwise another press)
};

using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// MousePos in client coordinates, or (-1, -1) when the menu was asked for from the keyboard.
using TContextPopupEvent = std::function<void(TObject* Sender, POINT MousePos, bool& Handled)>;

class TWinControl;
class TCustomForm;
class TPopupMenu;

class TControl : public TComponent {
public:
    FW_CLASS(TControl)
    FW_PUBLISHED
    explicit TControl(TComponent* owner);
    void BeforeDestruction() override;

    TWinControl* Parent() const { return parent_; }
    void AttachToParent(TWinControl* p);
    void DetachFromParent() { parent_ = nullptr; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    RECT ClientRect() const;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    // Sends CM_ENABLEDCHANGED when the value changes.
    void SetEnabled(bool e);

    // The control's own colour, or its parent's while ParentColor holds. SetColor clears
    // ParentColor; each change is one CM_COLORCHANGED and reaches the children that follow.
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);
    // Font always holds the effective font: while ParentFont holds it is a copy of the
    // parent's. Changing it clears ParentFont; each change is one CM_FONTCHANGED and
    // reaches the children that follow.
    TFont Font;
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);

    TAlign Align = TAlign::alNone;
    TCursor Cursor = crDefault;
    unsigned ControlState = 0;  // TControlStateFlag bits
    unsigned ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;

    TNotifyEvent OnClick, OnDblClick;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TContextPopupEvent OnContextPopup;

    virtual void Click();
    virtual void DblClick();
    virtual void Paint(HDC) {}
    virtual bool IsWindowed() const { return false; }
    void Invalidate();
    POINT ScreenToClient(POINT screen) const;
    POINT ClientToScreen(POINT client) const;

    // Delivers a message straight to the object's WndProc.
    LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
    virtual void WndProc(TMessage& m);

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool SetEvent(const std::string& name, const std::any& handler) override;
    // The control's own popup menu: a reference, cleared when the menu is freed.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    TComponent* DescriptionParent() const override;

protected:
    TPopupMenu* popupMenu_ = nullptr;
    virtual void Dispatch(TMessage& m);
    virtual void DefaultHandler(TMessage&) {}
    void RequestAlign();

    // Mouse and key events: each fires its event; a key handler that sets Key to 0 ends
    // the key's handling there.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // Pops up PopupMenu at a screen point when it pops up automatically; true when it did.
    virtual bool DoPopupMenu(POINT screenPt);
    virtual void DoContextPopup(POINT mousePos, bool& handled);

    // Message handlers common to all controls.
    virtual void WMLButtonDown(TMessage& m);
    virtual void WMLButtonUp(TMessage& m);
    virtual void WMLButtonDblClk(TMessage& m);
    virtual void WMRButtonDown(TMessage& m);
    virtual void WMRButtonUp(TMessage& m);
    virtual void WMMouseMove(TMessage& m);
    virtual void WMContextMenu(TMessage& m);
    virtual void CMEnabledChanged(TMessage& m);
    virtual void CMColorChanged(TMessage& m);
    virtual void CMFontChanged(TMessage& m);
    virtual void CMTextChanged(TMessage& m);
    virtual void CMSysColorChange(TMessage& m);
    virtual void CMMouseEnter(TMessage& m);
    virtual void CMMouseLeave(TMessage& m);
    virtual void CMShowingChanged(TMessage& m);
    virtual void CMCancelMode(TMessage& m);
    virtual void CMChanged(TMessage& m);

    // The parent's colour or font changed: follow it while ParentColor / ParentFont hold.
    void ParentColorChanged();
    void ParentFontChanged();

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false, parentFont_ = true;

private:
    void MouseButtonDown(TMessage& m, TMouseButton button);
    void MouseButtonUp(TMessage& m, TMouseButton button);
    void FontChanged();
    bool takingParentFont_ = false;
    friend class TWinControl;
};

// Painted by the parent window; clicks and the cursor are found by the parent's hit test.
class TGraphicControl : public TControl {
public:
    FW_CLASS(TGraphicControl)
    using TControl::TControl;
};

class TWinControl : public TControl {
public:
    FW_CLASS(TWinControl)
    FW_PUBLISHED
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    HWND Handle();                 // creates the window (and its parents') when needed
    bool HandleAllocated() const { return hwnd_ != nullptr; }
    void DestroyHandle();
    void RecreateWnd();

    std::string Text() const;
    // The window's text (WM_SETTEXT) or the kept text without a window; either way one
    // CM_TEXTCHANGED follows.
    void SetText(const std::string& text);
    int TabOrder = -1;
    bool TabStop = false;
    // Whether the control asks for the sunken 3-D look: its own choice, or its parent's while
    // ParentCtl3D holds. SetCtl3D clears ParentCtl3D; a change reaches the windowed children
    // that follow. Nothing is drawn differently.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool v);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool v);

    TNotifyEvent OnEnter, OnExit;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;

    const std::vector<TControl*>& Controls() const { return controls_; }
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    TControl* ControlAtPos(POINT p) const;  // topmost visible graphic control

    bool IsWindowed() const override { return true; }
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool v) override;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;
    void Update();  // paints what is invalid, now
    // The brush of the control's colour (kept until the colour changes).
    HBRUSH BrushHandle();
    // Paints the control and its windowed children into dc at (x, y), as they are on
    // screen, with csPaintCopy set while they paint.
    void PaintTo(HDC dc, int x, int y);

    void AddDescriptionChild(TComponent* c) override;
    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool SetEvent(const std::string& name, const std::any& handler) override;
    void WndProc(TMessage& m) override;

    static TWinControl* FromHandle(HWND hwnd);
    // The form this control sits on (itself for a form); null when it is on none.
    TCustomForm* ParentForm();

protected:
    struct TCreateParams {
        std::string Caption;
        DWORD Style = 0, ExStyle = 0;
        int X = 0, Y = 0, Width = 0, Height = 0;
        HWND WndParent = nullptr;
        std::string WinClassName;      // our class name
        std::string BaseClassName;     // an existing class to superclass, or empty
        UINT ClassStyle = CS_DBLCLKS;
        HBRUSH Background = nullptr;
    };
    virtual void CreateParams(TCreateParams& p);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void CreateHandleDone() {}  // the window exists: hand it the kept state
    void Dispatch(TMessage& m) override;
    // Hands the message to the window class's own procedure, unless it is one of the
    // framework's own (CM_*, CN_*).
    void DefaultHandler(TMessage& m) override;

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // Painting: PaintHandler paints into the DC in wParam, or between BeginPaint and
    // EndPaint when there is none: PaintWindow, then the graphic children.
    void PaintHandler(TMessage& m);
    // The default passes WM_PAINT with the DC on to the window class's procedure.
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc, const RECT* clip);
    void AlignControls();

    // Message handlers of windowed controls.
    virtual void WMSetFocus(TMessage& m);
    virtual void WMKillFocus(TMessage& m);
    virtual void WMKeyDown(TMessage& m);
    virtual void WMKeyUp(TMessage& m);
    virtual void WMSysKeyDown(TMessage& m);
    virtual void WMSysKeyUp(TMessage& m);
    virtual void WMChar(TMessage& m);
    virtual void WMGetDlgCode(TMessage& m);
    virtual void WMPaint(TMessage& m);
    virtual void WMEraseBkgnd(TMessage& m);
    virtual void WMNCCalcSize(TMessage& m);
    virtual void WMNCPaint(TMessage& m);
    virtual void WMSize(TMessage& m);
    // The window was moved or sized (by anyone): Left, Top, Width and Height follow it
    // before WM_SIZE and WM_MOVE are sent.
    virtual void WMWindowPosChanged(TMessage& m);
    virtual void WMSetCursor(TMessage& m);
    virtual void WMSetText(TMessage& m);
    virtual void WMSetFont(TMessage& m);
    virtual void WMCommand(TMessage& m);
    virtual void WMNotify(TMessage& m);
    virtual void WMCaptureChanged(TMessage& m);
    virtual void WMMouseLeave(TMessage& m);
    void WMLButtonDown(TMessage& m) override;
    void WMLButtonUp(TMessage& m) override;
    void WMContextMenu(TMessage& m) override;
    virtual void CMEnter(TMessage& m);
    virtual void CMExit(TMessage& m);
    void CMEnabledChanged(TMessage& m) override;
    void CMColorChanged(TMessage& m) override;
    void CMFontChanged(TMessage& m) override;
    void CMSysColorChange(TMessage& m) override;
    void CMShowingChanged(TMessage& m) override;
    void CMCancelMode(TMessage& m) override;

    HWND hwnd_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::string text_;
    std::vector<TControl*> controls_;
    TControl* pressed_ = nullptr;  // the graphic control under the last left-button press

private:
    // true when the key's handling ends here (a handler set it to 0).
    bool DoKeyDown(TMessage& m);
    bool DoKeyUp(TMessage& m);
    bool DoKeyPress(TMessage& m);
    void TrackMouseLeave();
    void FreeBrush();
    static LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    // Follow the parent's Ctl3D while ParentCtl3D holds; the value, and pass it on.
    void ParentCtl3DChanged();
    void TakeCtl3D(bool v);
    HBRUSH brush_ = nullptr;
    bool ctl3D_ = true, parentCtl3D_ = true;
    bool mouseInside_ = false;
    bool classPaints_ = false;  // the window class has a procedure of its own that paints
    friend class TControl;
};

}  // namespace fw
