// The edit style model: the seven frame values of an edit (border colour and style, button
// style and transparence, framed edges, hot tracking, shadow), the style controllers that
// hold them for many edits, and each edit's own style object, which takes every value it
// has not been given from the edit's controller, then from the default controller, then
// from the fixed default.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/Published.h"
#include "framework/Units.h"

namespace editors {

using fw::TColor;

// --- values and their names in form descriptions -------------------------------------------
enum TdxEditBorderStyle : std::uint8_t { xbsNone, xbsSingle, xbsThick, xbsFlat, xbs3D };
enum TdxEditButtonViewStyle : std::uint8_t { btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat };
enum TdxEditButtonTransparence : std::uint8_t { ebtNone, ebtInactive, ebtAlways, ebtHideInactive };
enum TdxEditEdge : std::uint8_t { edgLeft, edgTop, edgRight, edgBottom };
enum TdxEditStyleValue : std::uint8_t {
    svBorderColor, svBorderStyle, svButtonStyle, svButtonTransparence, svEdges, svHotTrack, svShadow
};
// Sets hold bit n for the member of ordinal n.
using TdxEditEdges = std::uint8_t;
using TdxEditStyleValues = std::uint8_t;
constexpr std::uint8_t SetOf(std::uint8_t member) { return static_cast<std::uint8_t>(1u << member); }
constexpr TdxEditEdges AllEdges = 0x0F;

// Value names in form descriptions, ordinal 0 first (a set uses its element's names).
extern const fw::TEnumType TdxEditBorderStyleType;
extern const fw::TEnumType TdxEditButtonViewStyleType;
extern const fw::TEnumType TdxEditButtonTransparenceType;
extern const fw::TEnumType TdxEditEdgeType;
extern const fw::TEnumType TdxEditStyleValueType;

constexpr TColor clWindowFrame = fw::SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clBtnShadow = fw::SystemColor(COLOR_BTNSHADOW);

// The fixed defaults: of a new TdxEditStyleController, and the last resort of a style.
constexpr TColor DefaultBorderColorValue = clWindowFrame;
constexpr TdxEditBorderStyle DefaultBorderStyleValue = xbs3D;
constexpr TdxEditButtonViewStyle DefaultButtonStyleValue = btsDefault;
constexpr TdxEditButtonTransparence DefaultButtonTransparenceValue = ebtNone;
constexpr TdxEditEdges DefaultEdgesValue = AllEdges;
constexpr bool DefaultHotTrackValue = false, DefaultShadowValue = false;

class TdxEditStyleController;

// What the style model needs of an edit.
class TdxStyledEdit {
public:
    // The controller the edit follows; none when it follows the default controller.
    virtual TdxEditStyleController* StyleController() const = 0;
    // Told of every change of an effective style value.
    virtual void StyleChanged() = 0;
    // The edit as an object, the Link of OnStyleChanged.
    virtual fw::TObject* EditObject() = 0;

protected:
    ~TdxStyledEdit() = default;
};

// Sender: the controller; Link: the edit being told.
using TdxStyleChangedEvent = std::function<void(fw::TObject* Sender, fw::TObject* Link)>;

// --- controllers ---------------------------------------------------------------------------
// Keeps the edits attached to it, in order of attachment (not owned), and tells them of
// changes in one pass unless updates are locked or it is being loaded.
class TdxStyleController : public fw::TComponent {
public:
    FW_CLASS(TdxStyleController)
    FW_PUBLISHED
    explicit TdxStyleController(fw::TComponent* AOwner);
    ~TdxStyleController() override;
    void Loaded() override;

    virtual void AddListener(TdxStyledEdit* Edit);
    virtual void RemoveListener(TdxStyledEdit* Edit);
    virtual void NotifyEdit(TdxStyledEdit* Edit);

    void BeginUpdate() { ++updateLock_; }
    void EndUpdate();
    void Changed();

    int UpdateLock() const { return updateLock_; }
    int ListenerCount() const { return listeners_ ? static_cast<int>(listeners_->size()) : 0; }
    TdxStyledEdit* Listener(int i) const { return listeners_->at(static_cast<size_t>(i)); }

    TdxStyleChangedEvent OnStyleChanged;
    bool SetEvent(const std::string& name, const std::any& handler) override;

private:
    std::unique_ptr<std::vector<TdxStyledEdit*>> listeners_;
    int updateLock_ = 0;
};

class TdxEditStyleController : public TdxStyleController {
public:
    FW_CLASS(TdxEditStyleController)
    FW_PUBLISHED
    explicit TdxEditStyleController(fw::TComponent* AOwner);

    // From another TdxEditStyleController: its seven values through the setters in one
    // update bracket (OnStyleChanged is not copied). Any other source is refused.
    void Assign(fw::TPersistent* Source) override;
    void NotifyEdit(TdxStyledEdit* Edit) override;
    // The fixed defaults through the setters, in one update bracket.
    virtual void RestoreDefaults();

    TColor BorderColor() const { return borderColor_; }
    TdxEditBorderStyle BorderStyle() const { return borderStyle_; }
    TdxEditButtonViewStyle ButtonStyle() const { return buttonStyle_; }
    TdxEditButtonTransparence ButtonTransparence() const { return buttonTransparence_; }
    TdxEditEdges Edges() const { return edges_; }
    bool HotTrack() const { return hotTrack_; }
    bool Shadow() const { return shadow_; }

    // Each stores a different value and calls Changed; an equal value does nothing.
    void SetBorderColor(TColor Value);
    void SetBorderStyle(TdxEditBorderStyle Value);
    void SetButtonStyle(TdxEditButtonViewStyle Value);
    void SetButtonTransparence(TdxEditButtonTransparence Value);
    void SetEdges(TdxEditEdges Value);
    void SetHotTrack(bool Value);
    void SetShadow(bool Value);

    // Whether a form description writes the value: when it differs from the published default.
    bool IsStored(TdxEditStyleValue Value) const;

protected:
    virtual TdxEditBorderStyle PublishedDefaultBorderStyle() const { return DefaultBorderStyleValue; }
    virtual TdxEditButtonViewStyle PublishedDefaultButtonStyle() const { return DefaultButtonStyleValue; }

private:
    template <class T>
    void Set(T& field, T value);

    TColor borderColor_ = DefaultBorderColorValue;
    TdxEditBorderStyle borderStyle_ = DefaultBorderStyleValue;
    TdxEditButtonViewStyle buttonStyle_ = DefaultButtonStyleValue;
    TdxEditButtonTransparence buttonTransparence_ = DefaultButtonTransparenceValue;
    TdxEditEdges edges_ = DefaultEdgesValue;
    bool hotTrack_ = DefaultHotTrackValue;
    bool shadow_ = DefaultShadowValue;
};

// --- the style of one edit ----------------------------------------------------------------
// Create with fw::Create<TdxEditStyle>(edit) and free with fw::Free: the style attaches its
// edit to the default controller after construction and detaches it before destruction.
class TdxEditStyle : public fw::TPersistent {
public:
    FW_CLASS(TdxEditStyle)
    FW_PUBLISHED
    explicit TdxEditStyle(TdxStyledEdit* AEdit);
    ~TdxEditStyle() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // From another TdxEditStyle: each of its effective values through this style's setters
    // (all seven become assigned), without an update bracket. Any other source is refused.
    void Assign(fw::TPersistent* Source) override;
    virtual void Changed();
    virtual TColor DefaultBorderColor() const;
    virtual TdxEditBorderStyle DefaultBorderStyle() const;
    virtual TdxEditButtonViewStyle DefaultButtonStyle() const;
    virtual TdxEditButtonTransparence DefaultButtonTransparence() const;
    virtual TdxEditEdges DefaultEdges() const;
    virtual bool DefaultHotTrack() const;
    virtual bool DefaultShadow() const;
    virtual TdxEditStyleController* GetDefaultController() const;
    // Forgets every own value (their contents stay) and tells the edit.
    virtual void RestoreDefaults();

    TdxStyledEdit* Edit() const { return edit_; }
    TdxEditStyleValues AssignedValues() const { return assignedValues_; }
    void SetAssignedValues(TdxEditStyleValues Value);

    TColor BorderColor() const;
    TdxEditBorderStyle BorderStyle() const;
    TdxEditButtonViewStyle ButtonStyle() const;
    TdxEditButtonTransparence ButtonTransparence() const;
    TdxEditEdges Edges() const;
    bool HotTrack() const;
    bool Shadow() const;

    // Each stores the value, marks it assigned and tells the edit, unless it is already
    // assigned with that very value.
    void SetBorderColor(TColor Value);
    void SetBorderStyle(TdxEditBorderStyle Value);
    void SetButtonStyle(TdxEditButtonViewStyle Value);
    void SetButtonTransparence(TdxEditButtonTransparence Value);
    void SetEdges(TdxEditEdges Value);
    void SetHotTrack(bool Value);
    void SetShadow(bool Value);

    // A form description writes exactly the assigned values (and never AssignedValues).
    bool IsStored(TdxEditStyleValue Value) const { return (assignedValues_ & SetOf(Value)) != 0; }

private:
    template <class T>
    void Set(TdxEditStyleValue member, T& field, T value);
    // The controller whose values stand in for unassigned ones: the edit's, else the default.
    const TdxEditStyleController* ValueController() const;

    TdxEditStyleValues assignedValues_ = 0;
    TColor borderColor_ = 0;
    TdxEditBorderStyle borderStyle_ = xbsNone;
    TdxEditButtonViewStyle buttonStyle_ = btsDefault;
    TdxEditButtonTransparence buttonTransparence_ = ebtNone;
    TdxEditEdges edges_ = 0;
    TdxStyledEdit* edit_;
    bool hotTrack_ = false;
    bool shadow_ = false;
    bool detached_ = false;
};

// The controller of every edit without a StyleController; none outside the unit's life.
extern TdxEditStyleController* DefaultEditStyleController;

// Takes the next pending message Msg for Wnd out of this thread's queue; a WM_QUIT taken
// so is posted again with its exit code.
void KillMessage(HWND Wnd, UINT Msg);

// Makes the controller classes known to form descriptions.
void RegisterStyleClasses();

fw::TUnit& dxCntnerUnit();

}  // namespace editors
