// The base edit's core: defaults of both modes, validation, Esc's reset, stored properties
// and filer values, the style-controller setter and the text-changing keys.
#include <gtest/gtest.h>

#include <map>

#include "framework/Published.h"
#include "tests/editors/EditProbes.h"

namespace {

using namespace editors;
using namespace editors_test;

using BaseEdit = EditFixture;

const char* const kInvalidInput = "Invalid input value. Use escape key to abandon changes";

// Records what DefineProperties offers to write.
struct RecordingFiler : fw::TFiler {
    struct Entry {
        bool hasData;
        long long value;
        std::function<void(const fw::TPropValue&)> read;
    };
    std::map<std::string, Entry> props;
    void DefineProperty(const std::string& name, const std::function<void(const fw::TPropValue&)>& read,
                        const std::function<fw::TPropValue()>& write, bool hasData) override {
        props[name] = Entry{hasData, hasData ? write().i : 0, read};
    }
};

bool Written(const fw::TPersistent& obj, const char* name) {
    const fw::TPropInfo* p = obj.PropTable()->Find(name);
    EXPECT_NE(p, nullptr) << name;
    return p && fw::PropertyWritten(obj, *p);
}

std::string RejectedMessage(TdxInplaceEdit* e) {
    try {
        e->ValidateEdit();
    } catch (const EdxEditInvalidInput& x) {
        return x.Message();
    }
    return "accepted";
}

TEST_F(BaseEdit, DefaultsOfBothModes) {
    StandaloneEdit* e = Add();
    EXPECT_EQ(121, e->Width());
    EXPECT_EQ(21, e->Height());
    EXPECT_TRUE(e->TabStop);
    EXPECT_TRUE(e->AutoSize());
    EXPECT_TRUE(e->Ctl3D() && e->ParentCtl3D()) << "the framework's";
    EXPECT_EQ(static_cast<TdxStyledEdit*>(e), DefaultEditStyleController->Listener(0)) << "attached to the default controller";

    auto* container = fw::Create<FakeContainer>(form);
    container->SetParent(form);
    InplaceEdit* cell = Add<InplaceEdit>(5, 5, container, container);
    EXPECT_EQ(std::vector<std::string>{"CreateEditStyle"}, container->calls);
    EXPECT_FALSE(cell->TabStop);
    EXPECT_FALSE(cell->ParentColor());
    EXPECT_FALSE(cell->ParentCtl3D());
    EXPECT_FALSE(cell->Ctl3D()) << "its own, whatever the container's";
    EXPECT_TRUE(container->Ctl3D());
    EXPECT_EQ(0, cell->Width()) << "no size of its own";
    EXPECT_FALSE(cell->AutoSize());
    EXPECT_TRUE(Add<InplaceEdit>()->CanModify()) << "owned by no container: works as one without";
}

TEST_F(BaseEdit, ValidationAsksOnlyAboutModifiedValuesAndRaisesTheEventsText) {
    StandaloneEdit* e = Add();
    int asked = 0;
    std::string offered;
    e->OnValidate = [&](fw::TObject*, std::string& text, bool& accept) {
        ++asked, offered = text, accept = false;
    };
    EXPECT_EQ("accepted", RejectedMessage(e)) << "an unmodified value is not validated";
    EXPECT_EQ(0, asked);
    e->SetText("abc");
    e->SetModified(true);
    EXPECT_EQ(kInvalidInput, RejectedMessage(e));
    EXPECT_EQ(kInvalidInput, offered) << "the default error text is offered to the handler";
    EXPECT_EQ("abc", e->Text());
    EXPECT_TRUE(e->GetModified()) << "a rejection keeps text and modification";
    e->OnValidate = [](fw::TObject*, std::string& text, bool& accept) { text.clear(), accept = false; };
    EXPECT_EQ("", RejectedMessage(e));
    e->OnValidate = nullptr;
    EXPECT_EQ("accepted", RejectedMessage(e));
    e->LockValidation();
    EXPECT_EQ(0, e->ValidationLock()) << "a standalone edit always validates";

    InplaceEdit* cell = Add<InplaceEdit>();
    cell->OnValidate = [](fw::TObject*, std::string&, bool& accept) { accept = false; };
    cell->SetModified(true);
    cell->LockValidation();
    cell->LockValidation();
    cell->UnlockValidation();
    EXPECT_EQ("accepted", RejectedMessage(cell)) << "the lock counts";
    cell->UnlockValidation();
    EXPECT_EQ(kInvalidInput, RejectedMessage(cell));
}

TEST_F(BaseEdit, ARejectionGivesTheFocusBackOnlyToAVisibleWindow) {
    StandaloneEdit* e = Add();
    StandaloneEdit* other = Add(10, 50);
    e->OnValidate = [](fw::TObject*, std::string&, bool& accept) { accept = false; };
    e->SetModified(true);
    ShowForm();
    other->SetFocus();
    RejectedMessage(e);
    EXPECT_EQ(GetFocus(), e->Handle());
    e->SetModified(false);  // leaves without a word
    other->SetFocus();
    e->SetModified(true);
    e->Hide();
    RejectedMessage(e);
    EXPECT_EQ(GetFocus(), other->Handle()) << "a hidden edit does not take it";
}

TEST_F(BaseEdit, ResetPutsBackTheTextOfTheVisitOnlyWhenModified) {
    StandaloneEdit* e = Add();
    e->SetText("first");
    e->SetFocused(true);
    e->SetText("typed");
    e->Reset();
    EXPECT_EQ("typed", e->Text()) << "not modified: nothing to put back";
    e->SetModified(true);
    e->Reset();
    EXPECT_EQ("first", e->Text());
    EXPECT_FALSE(e->GetModified()) << "the flag of the moment of entry comes back";

    e->SetFocused(true);
    e->SetText("again");
    EXPECT_EQ("first", e->SavedText()) << "entering twice records once";
    e->SetModified(true);
    e->restoresText = false;
    e->Reset();
    EXPECT_EQ("again", e->Text()) << "an edit without an edit window cannot restore";
    e->SetFocused(false);
    EXPECT_EQ("again", e->SavedText()) << "leaving records the text again";

    e->restoresText = true;
    e->SetModified(true);
    e->SetFocused(true);
    e->SetText("later");
    e->Reset();
    EXPECT_EQ("again", e->Text());
    EXPECT_TRUE(e->GetModified()) << "a visit that began modified goes back to modified";

    InplaceEdit* cell = Add<InplaceEdit>();  // records at every call, never entered
    cell->SetText("one");
    cell->SetFocused(true);
    cell->SetText("two");
    cell->SetFocused(false);
    EXPECT_FALSE(cell->Entered());
    cell->SetModified(true);
    cell->Reset();
    EXPECT_EQ("two", cell->Text());
}

TEST_F(BaseEdit, ChangeSendsTheNotificationThenFiresOnChange) {
    StandaloneEdit* e = Add();
    int notifiedFirst = -1;
    e->OnChange = [&](fw::TObject*) { notifiedFirst = e->count[fw::CM_CHANGED]; };
    e->Change();
    EXPECT_EQ(1, notifiedFirst);
}

TEST_F(BaseEdit, ReadOnlyAndAlignmentAreStoredWhenSetAndRefuseOrRecreateAsDue) {
    StandaloneEdit* e = Add();
    EXPECT_FALSE(Written(*e, "ReadOnly"));
    e->SetReadOnlyProperty(false);
    EXPECT_TRUE(Written(*e, "ReadOnly")) << "set explicitly, even to False";
    e->SetReadOnlyProperty(true);
    EXPECT_FALSE(e->CanModify());
    e->SetText("kept");
    e->SetEditText("refused");
    EXPECT_EQ("kept", e->Text());
    EXPECT_TRUE(e->GetModified()) << "marked modified even when refused";
    e->RestoreDefaults();
    EXPECT_FALSE(e->ReadOnly());

    HWND before = e->Handle();
    EXPECT_FALSE(Written(*e, "Alignment"));
    e->SetAlignmentProperty(taLeftJustify);
    EXPECT_TRUE(Written(*e, "Alignment"));
    EXPECT_EQ(before, e->Handle()) << "the same value does not recreate the window";
    e->SetAlignmentProperty(taRightJustify);
    EXPECT_NE(before, e->Handle());
}

TEST_F(BaseEdit, FilerWritesHeightOnlyWithoutAutoSizeAndStoredValuesLowByte) {
    StandaloneEdit* e = Add();
    RecordingFiler f;
    e->DefineProperties(f);
    EXPECT_FALSE(f.props.at("Height").hasData) << "an auto-sized standalone edit writes no height";
    EXPECT_FALSE(f.props.at("StoredValues").hasData);
    EXPECT_FALSE(Written(*e, "Height"));

    e->SetAutoSize(false);
    e->StoredValues = 0x0141;
    e->DefineProperties(f);
    EXPECT_TRUE(Written(*e, "AutoSize"));
    EXPECT_EQ(21, f.props.at("Height").value);
    EXPECT_EQ(0x41, f.props.at("StoredValues").value) << "only bits 0 to 7 travel";
    fw::TPropValue v;
    v.i = 0x2C2;
    f.props.at("StoredValues").read(v);
    EXPECT_EQ(0x01C2, e->StoredValues) << "reading keeps bits 8 to 15";
    v.i = 40;
    f.props.at("Height").read(v);
    EXPECT_EQ(40, e->Height());

    InplaceEdit* cell = Add<InplaceEdit>();
    cell->SetBounds(0, 0, 50, 17);
    cell->DefineProperties(f);
    EXPECT_EQ(17, f.props.at("Height").value) << "in place the height is always written";
}

TEST_F(BaseEdit, StyleControllerSetterAttachesNotifiesAndDetaches) {
    StandaloneEdit* e = Add();
    auto* controller = fw::Create<TdxEditStyleController>(form);
    std::vector<fw::TObject*> links;
    controller->OnStyleChanged = [&](fw::TObject*, fw::TObject* link) { links.push_back(link); };
    e->SetStyleController(controller);
    EXPECT_EQ(std::vector<fw::TObject*>{e}, links);
    ASSERT_EQ(1, controller->ListenerCount());
    e->SetStyleController(controller);
    EXPECT_EQ(1, e->styleChanges) << "the current controller again does nothing";
    controller->SetBorderStyle(xbsSingle);
    EXPECT_EQ(xbsSingle, e->Style()->BorderStyle());

    e->SetStyleController(nullptr);
    EXPECT_EQ(0, controller->ListenerCount());
    EXPECT_EQ(3, e->styleChanges) << "going back to no controller repaints";
    EXPECT_EQ(xbs3D, e->Style()->BorderStyle());
    e->SetStyleController(nullptr);
    EXPECT_EQ(3, e->styleChanges) << "none on none does nothing";

    e->SetStyleController(controller);
    fw::Free(controller);
    EXPECT_EQ(nullptr, e->StyleController()) << "the edit hears of the controller's end";
    EXPECT_EQ(xbs3D, e->Style()->BorderStyle());

    auto* second = fw::Create<TdxEditStyleController>(form);
    e->SetStyleController(second);
    fw::Free(e);
    EXPECT_EQ(0, second->ListenerCount()) << "a freed edit leaves its controller";
    EXPECT_EQ(0, DefaultEditStyleController->ListenerCount()) << "and the default";
}

TEST_F(BaseEdit, TextChangingKeysArePasteCutBackspaceDeleteAndShiftInsert) {
    StandaloneEdit* e = Add();
    const struct {
        WORD key;
        fw::TShiftState shift;
        bool changes;
    } cases[] = {{'V', fw::ssCtrl, true},         {'X', fw::ssCtrl | fw::ssAlt, true}, {0x0158, fw::ssCtrl, true},
                 {'V', 0, false},                 {'C', fw::ssCtrl, false},           {VK_BACK, 0, true},
                 {VK_DELETE, fw::ssShift | fw::ssCtrl, true}, {VK_INSERT, fw::ssShift, true},
                 {VK_INSERT, 0, false},           {VK_INSERT, fw::ssCtrl, false}};
    for (const auto& c : cases) EXPECT_EQ(c.changes, e->IsTextChangingKey(c.key, c.shift)) << c.key << " " << int(c.shift);
}

}  // namespace
