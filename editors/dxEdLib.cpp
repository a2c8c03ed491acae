#include "editors/dxEdLib.h"

#include "framework/ControlTypes.h"
#include "framework/Published.h"

namespace editors {

namespace {

// Events that a description may bind and that nothing here fires.
constexpr const char* kKeptEvents[] = {"OnDragDrop", "OnDragOver", "OnEndDrag", "OnStartDrag", "OnEndDock",
                                       "OnStartDock"};

using E = TdxEdit;

}  // namespace

const fw::TPropTable& TSizeConstraints::Published() {
    using C = TSizeConstraints;
    static const fw::TPropTable table =
        fw::TPublish<C>(&fw::TPersistent::Published())
            .Integer("MaxHeight", [](const C& c) { return c.MaxHeight; }, [](C& c, long long v) { c.MaxHeight = int(v); })
            .Default(0)
            .Integer("MaxWidth", [](const C& c) { return c.MaxWidth; }, [](C& c, long long v) { c.MaxWidth = int(v); })
            .Default(0)
            .Integer("MinHeight", [](const C& c) { return c.MinHeight; }, [](C& c, long long v) { c.MinHeight = int(v); })
            .Default(0)
            .Integer("MinWidth", [](const C& c) { return c.MinWidth; }, [](C& c, long long v) { c.MinWidth = int(v); })
            .Default(0)
            .Table();
    return table;
}

// Those of the base classes are declared again here where TdxEdit gives them a default or a
// stored rule of its own; the list at the end is the order in which the class declares
// them all, and so the order in which a description is written.
const fw::TPropTable& TdxEdit::Published() {
    static const fw::TPropTable table =
        fw::TPublish<E>(&TdxInplaceEdit::Published())
            // Texts are written when they are not empty.
            .String("Hint", [](const E& e) { return e.Kept.Hint; }, [](E& e, const std::string& v) { e.Kept.Hint = v; })
            .Default(0)
            .Enum("HelpType", fw::kHelpTypeType, [](const E& e) { return e.Kept.HelpType; },
                  [](E& e, long long v) { e.Kept.HelpType = int(v); })
            .Default(1)
            .String("HelpKeyword", [](const E& e) { return e.Kept.HelpKeyword; },
                    [](E& e, const std::string& v) { e.Kept.HelpKeyword = v; })
            .Default(0)
            .Integer("HelpContext", [](const E& e) { return e.Kept.HelpContext; },
                     [](E& e, long long v) { e.Kept.HelpContext = int(v); })
            .Default(0)
            .Color("Color", [](const E& e) { return e.Color(); }, [](E& e, long long v) { e.SetColor(fw::TColor(v)); })
            .Default(fw::clWindow)
            .Stored([](const E& e) { return !e.ParentColor(); })
            .Cursor("DragCursor", [](const E& e) { return e.Kept.DragCursor; },
                    [](E& e, long long v) { e.Kept.DragCursor = int(v); })
            .Default(-12)
            .Enum("DragMode", fw::kDragModeType, [](const E& e) { return e.Kept.DragMode; },
                  [](E& e, long long v) { e.Kept.DragMode = int(v); })
            .Default(0)
            .Enum("ImeMode", fw::kImeModeType, [](const E& e) { return e.Kept.ImeMode; },
                  [](E& e, long long v) { e.Kept.ImeMode = int(v); })
            .Default(3)
            .String("ImeName", [](const E& e) { return e.Kept.ImeName; },
                    [](E& e, const std::string& v) { e.Kept.ImeName = v; })
            .Default(0)
            .Boolean("ParentColor", [](const E& e) { return e.ParentColor(); },
                     [](E& e, long long v) { e.SetParentColor(v != 0); })
            .Default(0)
            .Boolean("ParentShowHint", [](const E& e) { return e.Kept.ParentShowHint; },
                     [](E& e, long long v) { e.Kept.ParentShowHint = v != 0; })
            .Default(1)
            .Boolean("ShowHint", [](const E& e) { return e.Kept.ShowHint; },
                     [](E& e, long long v) {
                         e.Kept.ShowHint = v != 0;
                         e.Kept.ParentShowHint = false;
                     })
            .Stored([](const E& e) { return !e.Kept.ParentShowHint; })
            .Boolean("TabStop", [](const E& e) { return e.TabStop; }, [](E& e, long long v) { e.TabStop = v != 0; })
            .Default(1)
            .String("Text", [](const E& e) { return e.Text(); }, [](E& e, const std::string& v) { e.SetText(v); })
            .Default(0)
            .Set("Anchors", fw::kAnchorKindType, [](const E& e) { return e.Kept.Anchors; },
                 [](E& e, long long v) { e.Kept.Anchors = v; })
            .Default(0x3)
            .Object("Constraints", [](E& e) -> fw::TPersistent* { return &e.Kept.Constraints; })
            .Enum("DragKind", fw::kDragKindType, [](const E& e) { return e.Kept.DragKind; },
                  [](E& e, long long v) { e.Kept.DragKind = int(v); })
            .Default(0)
            .Boolean("AutoSelect", [](const E& e) { return e.AutoSelect; }, [](E& e, long long v) { e.AutoSelect = v != 0; })
            .Default(1)
            .Enum("CharCase", fw::kEditCharCaseType, [](const E& e) { return e.CharCase(); },
                  [](E& e, long long v) { e.SetCharCase(static_cast<TEditCharCase>(v)); })
            .Default(ecNormal)
            .Boolean("HideSelection", [](const E& e) { return e.HideSelection(); },
                     [](E& e, long long v) { e.SetHideSelection(v != 0); })
            .Default(1)
            .Integer("MaxLength", [](const E& e) { return e.MaxLength(); },
                     [](E& e, long long v) { e.SetMaxLengthProperty(int(v)); })
            .Stored([](const E& e) { return e.IsMaxLengthStored(); })
            .Boolean("OEMConvert", [](const E& e) { return e.OEMConvert(); },
                     [](E& e, long long v) { e.SetOEMConvert(v != 0); })
            .Default(0)
            .Char("PasswordChar", [](const E& e) { return static_cast<unsigned char>(e.PasswordChar()); },
                  [](E& e, long long v) { e.SetPasswordChar(static_cast<char>(v)); })
            .Default(0)
            .Order({"Name",        "Tag",         "Left",          "Top",          "Width",      "Height",
                    "Cursor",      "Hint",        "HelpType",      "HelpKeyword",  "HelpContext", "Color",
                    "DragCursor",  "DragMode",    "Enabled",       "Font",         "ImeMode",    "ImeName",
                    "ParentColor", "ParentFont",  "ParentShowHint", "PopupMenu",   "ShowHint",   "Style",
                    "TabOrder",    "TabStop",     "Text",          "Visible",      "Anchors",    "Constraints",
                    "DragKind",    "Alignment",   "AutoSelect",    "AutoSize",     "CharCase",   "HideSelection",
                    "MaxLength",   "OEMConvert",  "PasswordChar",  "ReadOnly",     "StyleController"})
            .Table();
    return table;
}

bool TdxEdit::SetEvent(const std::string& name, const std::any& handler) {
    for (const char* kept : kKeptEvents)
        if (name == kept) {
            Kept.Events[name] = handler;
            return true;
        }
    return TCustomdxEdit::SetEvent(name, handler);
}

// The unit does no work of its own; it makes its classes known to form descriptions.
fw::TUnit& dxEdLibUnit() {
    static fw::TUnit unit("dxEdLib", [] { fw::TClassRegistry::Register<TdxEdit>(); }, nullptr);
    return unit;
}

}  // namespace editors
