// The style model as form descriptions see it: the controllers' published values (each
// written when it differs from the class's default) and the style's (each written exactly
// when it is one of the style's own values; AssignedValues itself never).
#include "editors/dxCntner.h"

namespace editors {

namespace {
template <class T>
T As(long long v) {
    return static_cast<T>(v);
}
}  // namespace

const fw::TPropTable& TdxStyleController::Published() {
    static const fw::TPropTable table = fw::TPublish<TdxStyleController>(&fw::TComponent::Published()).Table();
    return table;
}

bool TdxStyleController::SetEvent(const std::string& name, const std::any& handler) {
    if (name != "OnStyleChanged") return fw::TComponent::SetEvent(name, handler);
    OnStyleChanged = fw::EventCast<TdxStyleChangedEvent>(handler, name);
    return true;
}

const fw::TPropTable& TdxEditStyleController::Published() {
    using C = TdxEditStyleController;
    static const fw::TPropTable table =
        fw::TPublish<C>(&TdxStyleController::Published())
            .Color("BorderColor", [](const C& c) { return c.BorderColor(); },
                   [](C& c, long long v) { c.SetBorderColor(As<TColor>(v)); })
            .Stored([](const C& c) { return c.IsStored(svBorderColor); })
            .Enum("BorderStyle", TdxEditBorderStyleType, [](const C& c) { return c.BorderStyle(); },
                  [](C& c, long long v) { c.SetBorderStyle(As<TdxEditBorderStyle>(v)); })
            .Stored([](const C& c) { return c.IsStored(svBorderStyle); })
            .Enum("ButtonStyle", TdxEditButtonViewStyleType, [](const C& c) { return c.ButtonStyle(); },
                  [](C& c, long long v) { c.SetButtonStyle(As<TdxEditButtonViewStyle>(v)); })
            .Stored([](const C& c) { return c.IsStored(svButtonStyle); })
            .Enum("ButtonTransparence", TdxEditButtonTransparenceType, [](const C& c) { return c.ButtonTransparence(); },
                  [](C& c, long long v) { c.SetButtonTransparence(As<TdxEditButtonTransparence>(v)); })
            .Stored([](const C& c) { return c.IsStored(svButtonTransparence); })
            .Set("Edges", TdxEditEdgeType, [](const C& c) { return c.Edges(); },
                 [](C& c, long long v) { c.SetEdges(As<TdxEditEdges>(v)); })
            .Stored([](const C& c) { return c.IsStored(svEdges); })
            .Boolean("HotTrack", [](const C& c) { return c.HotTrack(); }, [](C& c, long long v) { c.SetHotTrack(v != 0); })
            .Stored([](const C& c) { return c.IsStored(svHotTrack); })
            .Boolean("Shadow", [](const C& c) { return c.Shadow(); }, [](C& c, long long v) { c.SetShadow(v != 0); })
            .Stored([](const C& c) { return c.IsStored(svShadow); })
            .Table();
    return table;
}

const fw::TPropTable& TdxEditStyle::Published() {
    using S = TdxEditStyle;
    static const fw::TPropTable table =
        fw::TPublish<S>(&fw::TPersistent::Published())
            .Set("AssignedValues", TdxEditStyleValueType, [](const S& s) { return s.AssignedValues(); },
                 [](S& s, long long v) { s.SetAssignedValues(As<TdxEditStyleValues>(v)); })
            .NotStored()
            .Color("BorderColor", [](const S& s) { return s.BorderColor(); },
                   [](S& s, long long v) { s.SetBorderColor(As<TColor>(v)); })
            .Stored([](const S& s) { return s.IsStored(svBorderColor); })
            .Enum("BorderStyle", TdxEditBorderStyleType, [](const S& s) { return s.BorderStyle(); },
                  [](S& s, long long v) { s.SetBorderStyle(As<TdxEditBorderStyle>(v)); })
            .Stored([](const S& s) { return s.IsStored(svBorderStyle); })
            .Enum("ButtonStyle", TdxEditButtonViewStyleType, [](const S& s) { return s.ButtonStyle(); },
                  [](S& s, long long v) { s.SetButtonStyle(As<TdxEditButtonViewStyle>(v)); })
            .Stored([](const S& s) { return s.IsStored(svButtonStyle); })
            .Enum("ButtonTransparence", TdxEditButtonTransparenceType, [](const S& s) { return s.ButtonTransparence(); },
                  [](S& s, long long v) { s.SetButtonTransparence(As<TdxEditButtonTransparence>(v)); })
            .Stored([](const S& s) { return s.IsStored(svButtonTransparence); })
            .Set("Edges", TdxEditEdgeType, [](const S& s) { return s.Edges(); },
                 [](S& s, long long v) { s.SetEdges(As<TdxEditEdges>(v)); })
            .Stored([](const S& s) { return s.IsStored(svEdges); })
            .Boolean("HotTrack", [](const S& s) { return s.HotTrack(); }, [](S& s, long long v) { s.SetHotTrack(v != 0); })
            .Stored([](const S& s) { return s.IsStored(svHotTrack); })
            .Boolean("Shadow", [](const S& s) { return s.Shadow(); }, [](S& s, long long v) { s.SetShadow(v != 0); })
            .Stored([](const S& s) { return s.IsStored(svShadow); })
            .Table();
    return table;
}

void RegisterStyleClasses() {
    fw::TClassRegistry::Register<TdxEditStyleController>();
}

}  // namespace editors
