// Controls: TControl (position, visibility, painting), graphic controls drawn by their
// parent window, and TWinControl over a real window whose handle is made on first use.
// One window procedure routes every message to its object: WndProc -> Dispatch ->
// DefaultHandler. Framework notifications (CM_*, CN_*) are delivered with Perform.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/Graphics.h"

namespace fw {

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ENTER = CM_BASE + 10, CM_EXIT = CM_BASE + 11;
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND, CN_NOTIFY = CN_BASE + WM_NOTIFY;

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

enum class TAlign { alNone, alClient };

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
    void AttachToParent(TWinControl* p) { parent_ = p; }
    void DetachFromParent() { parent_ = nullptr; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool e);

    TAlign Align = TAlign::alNone;
    TCursor Cursor = crDefault;
    TColor Color = clBtnFace;
    TFont Font;
    bool ParentFont = true;
    TNotifyEvent OnClick;

    virtual void Click();
    virtual void Paint(HDC) {}
    virtual bool IsWindowed() const { return false; }
    void Invalidate();

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

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true;
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
    void SetText(const std::string& text);
    int TabOrder = -1;
    bool TabStop = false;

    const std::vector<TControl*>& Controls() const { return controls_; }
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    TControl* ControlAtPos(POINT p) const;  // topmost visible graphic control

    bool IsWindowed() const override { return true; }
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool v) override;
    void SetEnabled(bool e) override;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;
    void Update();  // paints what is invalid, now

    void AddDescriptionChild(TComponent* c) override;
    bool SetProperty(const std::string& name, const TPropValue& value) override;
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
    void DefaultHandler(TMessage& m) override;
    void PaintControls(HDC dc, const RECT* clip);
    void AlignControls();

    HWND hwnd_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::string text_;
    std::vector<TControl*> controls_;
    TControl* pressed_ = nullptr;  // the graphic control under the last left-button press

private:
    static LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    friend class TControl;
};

}  // namespace fw
