// Simple controls: the text label (painted by its parent) and the single-line edit.
#pragma once
#include "framework/Controls.h"

namespace fw {

class TLabel : public TGraphicControl {
public:
    FW_CLASS(TLabel)
    explicit TLabel(TComponent* owner);
    std::string Caption;
    bool Transparent = false;
    bool AutoSize = true;
    void SetCaption(const std::string& c);
    void Paint(HDC dc) override;
    bool SetProperty(const std::string& name, const TPropValue& value) override;
};

class TEdit : public TWinControl {
public:
    FW_CLASS(TEdit)
    explicit TEdit(TComponent* owner);
    bool AutoSelect = true;  // a field that receives the focus selects its whole text
    bool SetProperty(const std::string& name, const TPropValue& value) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void WMSetFocus(TMessage& m) override;
};

}  // namespace fw
