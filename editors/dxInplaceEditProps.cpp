// The base edit's properties as form descriptions see them: the published table with its
// stored rules, and the filer properties "Height" and "StoredValues".
#include "editors/dxInplaceEdit.h"

#include "framework/ControlTypes.h"
#include "framework/Published.h"

namespace editors {

namespace {
TdxInplaceEdit& Mutable(const TdxInplaceEdit& e) { return const_cast<TdxInplaceEdit&>(e); }
}  // namespace

const fw::TPropTable& TdxInplaceEdit::Published() {
    using E = TdxInplaceEdit;
    static const fw::TPropTable table =
        fw::TPublish<E>(&fw::TWinControl::Published())
            // Alignment and ReadOnly are written exactly when they were set, even to the
            // value they already had.
            .Enum("Alignment", fw::kAlignmentType, [](const E& e) { return e.Alignment(); },
                  [](E& e, long long v) { e.SetAlignmentProperty(static_cast<TAlignment>(v)); })
            .Stored([](const E& e) { return e.IsAlignmentStored(); })
            .Boolean("AutoSize", [](const E& e) { return e.GetAutoSize(); }, [](E& e, long long v) { e.SetAutoSize(v != 0); })
            .Default(1)
            .Boolean("ReadOnly", [](const E& e) { return Mutable(e).GetReadOnly(); },
                     [](E& e, long long v) { e.SetReadOnlyProperty(v != 0); })
            .Stored([](const E& e) { return e.IsReadOnlyStored(); })
            .Object("Style", [](E& e) -> fw::TPersistent* { return e.Style(); })
            .Reference<TdxEditStyleController>("StyleController", [](const E& e) { return e.StyleController(); },
                                               [](E& e, TdxEditStyleController* c) { e.SetStyleController(c); })
            // The filer property "Height" carries the height instead, and only when the
            // edit does not size itself.
            .Integer("Height", [](const E& e) { return e.Height(); },
                     [](E& e, long long v) { e.SetBounds(e.Left(), e.Top(), e.Width(), static_cast<int>(v)); })
            .NotStored()
            .Table();
    return table;
}

void TdxInplaceEdit::DefineProperties(fw::TFiler& Filer) {
    fw::TWinControl::DefineProperties(Filer);
    Filer.DefineProperty(
        "Height", [this](const fw::TPropValue& v) { ReadHeight(v); }, [this] { return WriteHeight(); },
        !GetAutoSize());
    Filer.DefineProperty(
        "StoredValues", [this](const fw::TPropValue& v) { ReadStoredValues(v); },
        [this] { return WriteStoredValues(); }, StoredValues != 0);
}

void TdxInplaceEdit::ReadHeight(const fw::TPropValue& Value) { SetBounds(Left(), Top(), Width(), Value.AsInt()); }

fw::TPropValue TdxInplaceEdit::WriteHeight() {
    fw::TPropValue v;
    v.kind = fw::TPropValue::Int;
    v.i = Height();
    return v;
}

// Only bits 0 to 7 travel; bits 8 to 15 keep what they hold.
void TdxInplaceEdit::ReadStoredValues(const fw::TPropValue& Value) {
    StoredValues = static_cast<std::uint16_t>((StoredValues & 0xFF00u) | (static_cast<unsigned>(Value.AsInt()) & 0xFFu));
}

fw::TPropValue TdxInplaceEdit::WriteStoredValues() {
    fw::TPropValue v;
    v.kind = fw::TPropValue::Int;
    v.i = StoredValues & 0xFF;
    return v;
}

}  // namespace editors
