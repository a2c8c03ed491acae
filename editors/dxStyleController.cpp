// The style controllers: the attached edits and their notification pass, and the seven
// values of an edit style controller.
#include <algorithm>

#include "editors/dxCntner.h"

namespace editors {

TdxStyleController::TdxStyleController(fw::TComponent* AOwner)
    : TComponent(AOwner), listeners_(std::make_unique<std::vector<TdxStyledEdit*>>()) {}

// The list goes without telling the edits. The controller is already marked as being
// destroyed (fw::Free marks it first; the framework's component destruction marks it
// before it tells anyone), so edits told of its end leave the list alone.
TdxStyleController::~TdxStyleController() { listeners_.reset(); }

void TdxStyleController::Loaded() {
    TComponent::Loaded();
    Changed();
}

void TdxStyleController::AddListener(TdxStyledEdit* Edit) {
    if (listeners_) listeners_->push_back(Edit);
}

void TdxStyleController::RemoveListener(TdxStyledEdit* Edit) {
    if (!listeners_) return;
    auto it = std::find(listeners_->begin(), listeners_->end(), Edit);
    if (it != listeners_->end()) listeners_->erase(it);
}

void TdxStyleController::NotifyEdit(TdxStyledEdit* Edit) {
    if (OnStyleChanged) OnStyleChanged(this, Edit->EditObject());
}

void TdxStyleController::EndUpdate() {
    --updateLock_;
    Changed();
}

void TdxStyleController::Changed() {
    if (updateLock_ != 0 || Loading()) return;
    // Edits may be attached or detached by the edits and handlers told here: the pass
    // keeps to the number it started with, reads each position afresh and stops past
    // the current end.
    const int count = ListenerCount();
    for (int i = 0; i < count && i < ListenerCount(); ++i) NotifyEdit((*listeners_)[static_cast<size_t>(i)]);
}

TdxEditStyleController::TdxEditStyleController(fw::TComponent* AOwner) : TdxStyleController(AOwner) {}

template <class T>
void TdxEditStyleController::Set(T& field, T value) {
    if (field == value) return;
    field = value;
    Changed();
}

void TdxEditStyleController::SetBorderColor(TColor Value) { Set(borderColor_, Value); }
void TdxEditStyleController::SetBorderStyle(TdxEditBorderStyle Value) { Set(borderStyle_, Value); }
void TdxEditStyleController::SetButtonStyle(TdxEditButtonViewStyle Value) { Set(buttonStyle_, Value); }
void TdxEditStyleController::SetButtonTransparence(TdxEditButtonTransparence Value) {
    Set(buttonTransparence_, Value);
}
void TdxEditStyleController::SetEdges(TdxEditEdges Value) { Set(edges_, Value); }
void TdxEditStyleController::SetHotTrack(bool Value) { Set(hotTrack_, Value); }
void TdxEditStyleController::SetShadow(bool Value) { Set(shadow_, Value); }

void TdxEditStyleController::Assign(fw::TPersistent* Source) {
    auto* source = dynamic_cast<TdxEditStyleController*>(Source);
    if (!source) {
        TdxStyleController::Assign(Source);
        return;
    }
    BeginUpdate();
    try {
        SetBorderColor(source->borderColor_);
        SetBorderStyle(source->borderStyle_);
        SetButtonStyle(source->buttonStyle_);
        SetButtonTransparence(source->buttonTransparence_);
        SetEdges(source->edges_);
        SetHotTrack(source->hotTrack_);
        SetShadow(source->shadow_);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TdxEditStyleController::RestoreDefaults() {
    BeginUpdate();
    try {
        SetBorderColor(DefaultBorderColorValue);
        SetBorderStyle(DefaultBorderStyleValue);
        SetButtonStyle(DefaultButtonStyleValue);
        SetButtonTransparence(DefaultButtonTransparenceValue);
        SetEdges(DefaultEdgesValue);
        SetHotTrack(DefaultHotTrackValue);
        SetShadow(DefaultShadowValue);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TdxEditStyleController::NotifyEdit(TdxStyledEdit* Edit) {
    // The default controller's list holds every edit: only those that follow this
    // controller (or none) are told.
    TdxEditStyleController* followed = Edit->StyleController();
    if (followed && followed != this) return;
    Edit->StyleChanged();
    TdxStyleController::NotifyEdit(Edit);
}

bool TdxEditStyleController::IsStored(TdxEditStyleValue Value) const {
    switch (Value) {
        case svBorderColor: return borderColor_ != DefaultBorderColorValue;
        case svBorderStyle: return borderStyle_ != PublishedDefaultBorderStyle();
        case svButtonStyle: return buttonStyle_ != PublishedDefaultButtonStyle();
        case svButtonTransparence: return buttonTransparence_ != DefaultButtonTransparenceValue;
        case svEdges: return edges_ != DefaultEdgesValue;
        case svHotTrack: return hotTrack_ != DefaultHotTrackValue;
        case svShadow: return shadow_ != DefaultShadowValue;
    }
    return true;
}

}  // namespace editors
