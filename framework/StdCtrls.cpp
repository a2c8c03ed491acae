#include "framework/StdCtrls.h"

namespace fw {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 13); }

void TLabel::SetCaption(const std::string& c) {
    Caption = c;
    Invalidate();
}

void TLabel::Paint(HDC dc) {
    RECT r = {0, 0, width_, height_};
    if (!Transparent) {
        HBRUSH b = CreateSolidBrush(ColorToRGB(color_));
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    HGDIOBJ old = SelectObject(dc, Font.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font.Color()));
    DrawTextA(dc, Caption.c_str(), static_cast<int>(Caption.size()), &r, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
    SelectObject(dc, old);
}

bool TLabel::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "Caption") SetCaption(v.AsString());
    else if (name == "Transparent") Transparent = v.AsBool();
    else if (name == "AutoSize") AutoSize = v.AsBool();
    else return TGraphicControl::SetProperty(name, v);
    return true;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    color_ = clWindow;
    SetBounds(0, 0, 121, 21);
}

void TEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = "EDIT";
    p.Style |= ES_AUTOHSCROLL | ES_LEFT;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::WMSetFocus(TMessage& m) {
    TWinControl::WMSetFocus(m);
    if (AutoSelect && hwnd_) SendMessageA(hwnd_, EM_SETSEL, 0, -1);
}

bool TEdit::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "AutoSelect") AutoSelect = v.AsBool();
    else if (name == "ImeName") v.AsString();  // input method choice is left to the system
    else return TWinControl::SetProperty(name, v);
    return true;
}

}  // namespace fw
