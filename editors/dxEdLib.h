// The standalone edits: TCustomdxEdit runs the text edit as an ordinary form control (not
// a container's cell editor), and TdxEdit publishes its properties for form descriptions.
#pragma once
#include <any>
#include <map>
#include <string>

#include "editors/dxEditor.h"
#include "framework/Units.h"

namespace editors {

class TCustomdxEdit : public TdxInplaceTextEdit {
public:
    FW_CLASS(TCustomdxEdit)
    using TdxInplaceTextEdit::TdxInplaceTextEdit;
    bool IsInplace() override { return false; }
};

// The size limits a description may give a control; kept and written back.
class TSizeConstraints : public fw::TPersistent {
public:
    FW_CLASS(TSizeConstraints)
    FW_PUBLISHED
    int MaxHeight = 0, MaxWidth = 0, MinHeight = 0, MinWidth = 0;
};

class TdxEdit : public TCustomdxEdit {
public:
    FW_CLASS(TdxEdit)
    FW_PUBLISHED
    using TCustomdxEdit::TCustomdxEdit;
    bool SetEvent(const std::string& name, const std::any& handler) override;

    // Published properties that a description may set and the writer writes back, which
    // nothing in the program acts on (dragging, docking, hints, help, input method choice,
    // anchors, size limits), and the handlers of the events that never fire here.
    struct TKeptProperties {
        int DragCursor = -12;  // crDrag
        int DragMode = 0;      // dmManual
        int DragKind = 0;      // dkDrag
        int ImeMode = 3;       // imDontCare
        std::string ImeName;
        bool ParentShowHint = true;
        bool ShowHint = false;
        long long Anchors = 0x3;  // [akLeft, akTop]
        std::string Hint;
        int HelpType = 1;  // htContext
        std::string HelpKeyword;
        int HelpContext = 0;
        TSizeConstraints Constraints;
        std::map<std::string, std::any> Events;
    } Kept;
};

fw::TUnit& dxEdLibUnit();

}  // namespace editors
