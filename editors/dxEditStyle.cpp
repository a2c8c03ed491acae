// The style of one edit: own values that count while assigned, the rest resolved through
// the edit's controller, the default controller and the fixed defaults.
#include "editors/dxCntner.h"

namespace editors {

TdxEditStyle::TdxEditStyle(TdxStyledEdit* AEdit) : edit_(AEdit) {}

void TdxEditStyle::AfterConstruction() {
    TPersistent::AfterConstruction();
    if (TdxEditStyleController* controller = GetDefaultController()) controller->AddListener(edit_);
}

void TdxEditStyle::BeforeDestruction() {
    if (!detached_) {
        detached_ = true;
        if (TdxEditStyleController* controller = GetDefaultController()) controller->RemoveListener(edit_);
    }
    TPersistent::BeforeDestruction();
}

TdxEditStyle::~TdxEditStyle() {
    // A style deleted without fw::Free still leaves no dangling entry behind.
    if (!detached_ && DefaultEditStyleController) DefaultEditStyleController->RemoveListener(edit_);
}

void TdxEditStyle::Changed() {
    if (edit_) edit_->StyleChanged();
}

TdxEditStyleController* TdxEditStyle::GetDefaultController() const { return DefaultEditStyleController; }

const TdxEditStyleController* TdxEditStyle::ValueController() const {
    if (edit_ && edit_->StyleController()) return edit_->StyleController();
    return GetDefaultController();
}

TColor TdxEditStyle::DefaultBorderColor() const {
    const TdxEditStyleController* c = ValueController();
    return c ? c->BorderColor() : DefaultBorderColorValue;
}
TdxEditBorderStyle TdxEditStyle::DefaultBorderStyle() const {
    const TdxEditStyleController* c = ValueController();
    return c ? c->BorderStyle() : DefaultBorderStyleValue;
}
TdxEditButtonViewStyle TdxEditStyle::DefaultButtonStyle() const {
    const TdxEditStyleController* c = ValueController();
    return c ? c->ButtonStyle() : DefaultButtonStyleValue;
}
TdxEditButtonTransparence TdxEditStyle::DefaultButtonTransparence() const {
    const TdxEditStyleController* c = ValueController();
    return c ? c->ButtonTransparence() : DefaultButtonTransparenceValue;
}
TdxEditEdges TdxEditStyle::DefaultEdges() const {
    const TdxEditStyleController* c = ValueController();
    return c ? c->Edges() : DefaultEdgesValue;
}
bool TdxEditStyle::DefaultHotTrack() const {
    const TdxEditStyleController* c = ValueController();
    return c ? c->HotTrack() : DefaultHotTrackValue;
}
bool TdxEditStyle::DefaultShadow() const {
    const TdxEditStyleController* c = ValueController();
    return c ? c->Shadow() : DefaultShadowValue;
}

TColor TdxEditStyle::BorderColor() const { return IsStored(svBorderColor) ? borderColor_ : DefaultBorderColor(); }
TdxEditBorderStyle TdxEditStyle::BorderStyle() const {
    return IsStored(svBorderStyle) ? borderStyle_ : DefaultBorderStyle();
}
TdxEditButtonViewStyle TdxEditStyle::ButtonStyle() const {
    return IsStored(svButtonStyle) ? buttonStyle_ : DefaultButtonStyle();
}
TdxEditButtonTransparence TdxEditStyle::ButtonTransparence() const {
    return IsStored(svButtonTransparence) ? buttonTransparence_ : DefaultButtonTransparence();
}
TdxEditEdges TdxEditStyle::Edges() const { return IsStored(svEdges) ? edges_ : DefaultEdges(); }
bool TdxEditStyle::HotTrack() const { return IsStored(svHotTrack) ? hotTrack_ : DefaultHotTrack(); }
bool TdxEditStyle::Shadow() const { return IsStored(svShadow) ? shadow_ : DefaultShadow(); }

template <class T>
void TdxEditStyle::Set(TdxEditStyleValue member, T& field, T value) {
    if (IsStored(member) && field == value) return;
    field = value;
    assignedValues_ |= SetOf(member);
    Changed();
}

void TdxEditStyle::SetBorderColor(TColor Value) { Set(svBorderColor, borderColor_, Value); }
void TdxEditStyle::SetBorderStyle(TdxEditBorderStyle Value) { Set(svBorderStyle, borderStyle_, Value); }
void TdxEditStyle::SetButtonStyle(TdxEditButtonViewStyle Value) { Set(svButtonStyle, buttonStyle_, Value); }
void TdxEditStyle::SetButtonTransparence(TdxEditButtonTransparence Value) {
    Set(svButtonTransparence, buttonTransparence_, Value);
}
void TdxEditStyle::SetEdges(TdxEditEdges Value) { Set(svEdges, edges_, Value); }
void TdxEditStyle::SetHotTrack(bool Value) { Set(svHotTrack, hotTrack_, Value); }
void TdxEditStyle::SetShadow(bool Value) { Set(svShadow, shadow_, Value); }

void TdxEditStyle::SetAssignedValues(TdxEditStyleValues Value) {
    if (Value == assignedValues_) return;
    assignedValues_ = Value;
    Changed();
}

void TdxEditStyle::Assign(fw::TPersistent* Source) {
    auto* source = dynamic_cast<TdxEditStyle*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(source->BorderColor());
    SetBorderStyle(source->BorderStyle());
    SetButtonStyle(source->ButtonStyle());
    SetButtonTransparence(source->ButtonTransparence());
    SetEdges(source->Edges());
    SetHotTrack(source->HotTrack());
    SetShadow(source->Shadow());
}

void TdxEditStyle::RestoreDefaults() {
    assignedValues_ = 0;
    Changed();
}

}  // namespace editors
