// The published tables of fonts and controls, and the control's popup-menu reference.
#include "framework/ColorNames.h"
#include "framework/Controls.h"
#include "framework/Menus.h"
#include "framework/Published.h"

namespace fw {

namespace {
constexpr const char* kFontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline"};
constexpr TEnumType kFontStyles("TFontStyles", kFontStyleNames);
constexpr const char* kAlignNames[] = {"alNone", "alClient"};
constexpr TEnumType kAlignType("TAlign", kAlignNames);

TPropValue IntValue(long long v) {
    TPropValue p;
    p.kind = TPropValue::Int;
    p.i = v;
    return p;
}
}  // namespace

// The font keeps its own rules (and its handle cache) in SetProperty: the table goes
// through it.
const TPropTable& TFont::Published() {
    static const TPropTable table = TPublish<TFont>(&TPersistent::Published())
        .Color("Color", [](const TFont& f) { return f.Color(); },
               [](TFont& f, long long v) { f.SetProperty("Color", IntValue(static_cast<TColor>(v))); })
        .Default(clWindowText)
        .Integer("Height", [](const TFont& f) { return f.Height(); },
                 [](TFont& f, long long v) { f.SetProperty("Height", IntValue(v)); })
        .String("Name", [](const TFont& f) { return f.Name(); },
                [](TFont& f, const std::string& v) {
                    TPropValue p;
                    p.kind = TPropValue::String;
                    p.s = v;
                    f.SetProperty("Name", p);
                })
        .Set("Style", kFontStyles,
             [](const TFont& f) { return f.Style(); },
             [](TFont& f, long long v) {
                 TPropValue p;
                 p.kind = TPropValue::Set;
                 for (int i = 0; i < kFontStyles.Count; ++i)
                     if (v & (1LL << i)) p.set.push_back(kFontStyles.Values[i]);
                 f.SetProperty("Style", p);
             })
        .Default(0)
        .Table();
    return table;
}

const TPropTable& TControl::Published() {
    static const TPropTable table = TPublish<TControl>(&TComponent::Published())
        .Integer("Left", [](const TControl& c) { return c.left_; },
                 [](TControl& c, long long v) { c.SetBounds(static_cast<int>(v), c.top_, c.width_, c.height_); })
        .Integer("Top", [](const TControl& c) { return c.top_; },
                 [](TControl& c, long long v) { c.SetBounds(c.left_, static_cast<int>(v), c.width_, c.height_); })
        .Integer("Width", [](const TControl& c) { return c.width_; },
                 [](TControl& c, long long v) { c.SetBounds(c.left_, c.top_, static_cast<int>(v), c.height_); })
        .Integer("Height", [](const TControl& c) { return c.height_; },
                 [](TControl& c, long long v) { c.SetBounds(c.left_, c.top_, c.width_, static_cast<int>(v)); })
        .Cursor("Cursor", [](const TControl& c) { return c.Cursor; },
                [](TControl& c, long long v) { c.Cursor = static_cast<TCursor>(v); })
        .Default(crDefault)
        .Enum("Align", kAlignType, [](const TControl& c) { return static_cast<int>(c.Align); },
              [](TControl& c, long long v) {
                  c.Align = static_cast<TAlign>(v);
                  c.RequestAlign();
              })
        .Default(0)
        .Color("Color", [](const TControl& c) { return c.Color(); },
               [](TControl& c, long long v) { c.SetColor(static_cast<TColor>(v)); })
        .Boolean("ParentFont", [](const TControl& c) { return c.ParentFont(); },
                 [](TControl& c, long long v) { c.SetParentFont(v != 0); })
        .Default(1)
        // A font set in a description is the control's own.
        .Object("Font", [](TControl& c) { return &c.Font; }, [](TControl& c) { c.SetParentFont(false); })
        .Stored([](const TControl& c) { return !c.ParentFont(); })
        .Boolean("Visible", [](const TControl& c) { return c.visible_; },
                 [](TControl& c, long long v) { c.SetVisible(v != 0); })
        .Default(1)
        .Boolean("Enabled", [](const TControl& c) { return c.enabled_; },
                 [](TControl& c, long long v) { c.SetEnabled(v != 0); })
        .Default(1)
        .Reference<TPopupMenu>("PopupMenu", [](const TControl& c) { return c.popupMenu_; },
                               [](TControl& c, TPopupMenu* m) { c.SetPopupMenu(m); })
        .Table();
    return table;
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    popupMenu_ = menu;
    if (menu) FreeNotification(menu);
}

TComponent* TControl::DescriptionParent() const { return parent_; }

const TPropTable& TWinControl::Published() {
    static const TPropTable table = TPublish<TWinControl>(&TControl::Published())
        .Integer("TabOrder", [](const TWinControl& c) { return c.TabOrder; },
                 [](TWinControl& c, long long v) { c.TabOrder = static_cast<int>(v); })
        .Default(-1)
        .Boolean("TabStop", [](const TWinControl& c) { return c.TabStop; },
                 [](TWinControl& c, long long v) { c.TabStop = v != 0; })
        .Default(0)
        // A value that follows the parent is the parent's to write.
        .Boolean("Ctl3D", [](const TWinControl& c) { return c.Ctl3D(); },
                 [](TWinControl& c, long long v) { c.SetCtl3D(v != 0); })
        .Default(1)
        .Stored([](const TWinControl& c) { return !c.ParentCtl3D(); })
        .Boolean("ParentCtl3D", [](const TWinControl& c) { return c.ParentCtl3D(); },
                 [](TWinControl& c, long long v) { c.SetParentCtl3D(v != 0); })
        .Default(1)
        .Table();
    return table;
}

}  // namespace fw
