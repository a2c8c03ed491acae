// The base edit's core: defaults of both modes, validation and its exception, Esc's reset,
// the stored-property rules with the filer values, the style-controller setter, and the
// text-changing keys.
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

TEST_F(BaseEdit, StandaloneDefaultsComeFromTheFinalClassDuringConstruction) {
    StandaloneEdit* e = Add();
    EXPECT_EQ(121, e->Width());
    EXPECT_EQ(21, e->Height());
    EXPECT_TRUE(e->TabStop);
    EXPECT_TRUE(e->AutoSize());
    EXPECT_EQ(taLeftJustify, e->Alignment());
    EXPECT_FALSE(e->ReadOnly());
    EXPECT_FALSE(e->GetModified());
    EXPECT_EQ(0, e->StoredValues);
    EXPECT_EQ(0u, e->ClickTime);
    EXPECT_EQ(nullptr, e->DataLink());
    EXPECT_EQ(nullptr, e->GetContainer());
    ASSERT_NE(nullptr, e->Style());
    EXPECT_EQ(e, e->Style()->Edit());
    EXPECT_EQ(static_cast<TdxStyledEdit*>(e), DefaultEditStyleController->Listener(0))
        << "the style attaches its edit to the default controller";
}

TEST_F(BaseEdit, InplaceDefaultsAskTheContainerForTheStyleAndKeepTheFrameworkSize) {
    auto* container = fw::Create<FakeContainer>(form);
    container->SetBounds(0, 0, 300, 200);
    container->SetParent(form);
    InplaceEdit* e = Add<InplaceEdit>(5, 5, container, container);
    EXPECT_EQ(container, e->GetContainer());
    EXPECT_EQ(std::vector<std::string>{"CreateEditStyle"}, container->calls);
    EXPECT_FALSE(e->TabStop);
    EXPECT_FALSE(e->ParentColor());
    EXPECT_EQ(0, e->Width()) << "no size of its own";
    EXPECT_FALSE(e->AutoSize()) << "an in-place edit never sizes itself";

    // An in-place edit owned by something that is no container works as one without.
    InplaceEdit* orphan = Add<InplaceEdit>();
    EXPECT_EQ(nullptr, orphan->GetContainer());
    EXPECT_NE(nullptr, orphan->Style());
    EXPECT_TRUE(orphan->CanModify());
    EXPECT_TRUE(orphan->IsValidChar('a'));
    EXPECT_EQ(0, orphan->QueryContainer(7));
    EXPECT_FALSE(orphan->GetContainerState());
}

TEST_F(BaseEdit, ValidationAsksOnlyAboutModifiedValuesAndRaisesTheEventsText) {
    StandaloneEdit* e = Add();
    int asked = 0;
    std::string offered;
    e->OnValidate = [&](fw::TObject* sender, std::string& text, bool& accept) {
        EXPECT_EQ(e, sender);
        ++asked;
        offered = text;
        accept = false;
    };
    EXPECT_EQ("accepted", RejectedMessage(e)) << "an unmodified value is not validated";
    EXPECT_EQ(0, asked);

    e->SetText("abc");
    e->SetModified(true);
    EXPECT_EQ(kInvalidInput, RejectedMessage(e));
    EXPECT_EQ(kInvalidInput, offered) << "the default error text is offered to the handler";
    EXPECT_EQ("abc", e->Text()) << "a rejection keeps the text";
    EXPECT_TRUE(e->GetModified()) << "and the modification";

    e->OnValidate = [](fw::TObject*, std::string& text, bool& accept) {
        text.clear();
        accept = false;
    };
    EXPECT_EQ("", RejectedMessage(e)) << "an emptied text gives an empty message";

    e->OnValidate = [](fw::TObject*, std::string& text, bool&) { text = "fine"; };
    EXPECT_EQ("accepted", RejectedMessage(e));
    EXPECT_TRUE(e->GetModified()) << "success changes nothing";
    e->OnValidate = nullptr;
    EXPECT_EQ("accepted", RejectedMessage(e)) << "without a handler nothing is rejected";

    e->LockValidation();
    EXPECT_EQ(0, e->ValidationLock()) << "a standalone edit always validates";
}

TEST_F(BaseEdit, ARejectionGivesTheFocusBackOnlyToAVisibleWindow) {
    StandaloneEdit* e = Add();
    StandaloneEdit* other = Add(10, 50);
    e->OnValidate = [](fw::TObject*, std::string&, bool& accept) { accept = false; };
    e->SetModified(true);
    ShowForm();
    other->SetFocus();
    ASSERT_EQ(GetFocus(), other->Handle());
    RejectedMessage(e);
    EXPECT_EQ(GetFocus(), e->Handle()) << "the visible edit takes the focus back";

    e->SetModified(false);  // leaves without a word
    other->SetFocus();
    e->SetModified(true);
    e->Hide();
    RejectedMessage(e);
    EXPECT_EQ(GetFocus(), other->Handle()) << "a hidden edit does not";
}

TEST_F(BaseEdit, InplaceValidationLockCountsAndSilencesValidation) {
    InplaceEdit* e = Add<InplaceEdit>();
    e->OnValidate = [](fw::TObject*, std::string&, bool& accept) { accept = false; };
    e->SetModified(true);
    e->LockValidation();
    e->LockValidation();
    EXPECT_EQ(2, e->ValidationLock());
    EXPECT_EQ("accepted", RejectedMessage(e));
    e->UnlockValidation();
    EXPECT_EQ("accepted", RejectedMessage(e));
    e->UnlockValidation();
    EXPECT_EQ(kInvalidInput, RejectedMessage(e));
}

TEST_F(BaseEdit, ResetPutsBackTheTextOfTheVisitOnlyWhenModified) {
    StandaloneEdit* e = Add();
    e->SetText("first");
    e->SetFocused(true);
    EXPECT_TRUE(e->Entered());
    EXPECT_EQ("first", e->SavedText());
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
    EXPECT_FALSE(e->Entered());
    EXPECT_EQ("again", e->SavedText()) << "leaving records the text again";

    e->restoresText = true;
    e->SetModified(true);
    e->SetFocused(true);
    e->SetText("later");
    e->Reset();
    EXPECT_EQ("again", e->Text());
    EXPECT_TRUE(e->GetModified()) << "a visit that began modified goes back to modified";
}

TEST_F(BaseEdit, InplaceEditRecordsItsTextAtEveryCallAndIsNeverEntered) {
    InplaceEdit* e = Add<InplaceEdit>();
    e->SetText("one");
    e->SetFocused(true);
    e->SetText("two");
    e->SetFocused(false);
    EXPECT_EQ("two", e->SavedText());
    EXPECT_FALSE(e->Entered());
    e->SetModified(true);
    e->Reset();
    EXPECT_EQ("two", e->Text());
}

TEST_F(BaseEdit, ChangeSendsTheNotificationThenFiresOnChange) {
    StandaloneEdit* e = Add();
    std::vector<std::string> order;
    e->OnChange = [&](fw::TObject* s) {
        EXPECT_EQ(e, s);
        order.push_back("OnChange after " + std::to_string(e->count[fw::CM_CHANGED]) + " CM_CHANGED");
    };
    e->Change();
    EXPECT_EQ(1, e->count[fw::CM_CHANGED]);
    EXPECT_EQ(std::vector<std::string>{"OnChange after 1 CM_CHANGED"}, order);
}

TEST_F(BaseEdit, ReadOnlyAndSetEditTextFollowTheStoredRules) {
    StandaloneEdit* e = Add();
    EXPECT_FALSE(Written(*e, "ReadOnly"));
    e->SetReadOnlyProperty(false);
    EXPECT_TRUE(Written(*e, "ReadOnly")) << "set explicitly, even to False";
    e->SetReadOnlyProperty(true);
    EXPECT_TRUE(e->ReadOnly());
    EXPECT_FALSE(e->CanModify());
    EXPECT_FALSE(e->IsEditable());
    e->SetText("kept");
    e->SetEditText("refused");
    EXPECT_EQ("kept", e->Text());
    EXPECT_TRUE(e->GetModified()) << "marked modified even when refused";
    e->RestoreDefaults();
    EXPECT_EQ(0, e->StoredValues);
    EXPECT_FALSE(e->ReadOnly());
}

TEST_F(BaseEdit, AlignmentIsStoredWhenSetAndOnlyAChangeRecreatesTheWindow) {
    StandaloneEdit* e = Add();
    HWND before = e->Handle();
    EXPECT_FALSE(Written(*e, "Alignment"));
    e->SetAlignmentProperty(taLeftJustify);
    EXPECT_TRUE(Written(*e, "Alignment"));
    EXPECT_EQ(before, e->Handle()) << "the same value does not recreate the window";
    e->SetAlignmentProperty(taRightJustify);
    EXPECT_NE(before, e->Handle()) << "a new alignment recreates it";
    EXPECT_EQ(taRightJustify, e->Alignment());
}

TEST_F(BaseEdit, FilerWritesHeightOnlyWithoutAutoSizeAndStoredValuesLowByte) {
    StandaloneEdit* e = Add();
    InplaceEdit* inplace = Add<InplaceEdit>();
    inplace->SetBounds(0, 0, 50, 17);
    RecordingFiler f;
    e->DefineProperties(f);
    EXPECT_FALSE(f.props.at("Height").hasData) << "an auto-sized standalone edit writes no height";
    EXPECT_FALSE(f.props.at("StoredValues").hasData);
    EXPECT_FALSE(Written(*e, "Height")) << "the published height is never written";
    EXPECT_FALSE(Written(*e, "AutoSize"));

    e->SetAutoSize(false);
    e->StoredValues = 0x0141;
    f.props.clear();
    e->DefineProperties(f);
    EXPECT_TRUE(Written(*e, "AutoSize"));
    EXPECT_TRUE(f.props.at("Height").hasData);
    EXPECT_EQ(21, f.props.at("Height").value);
    EXPECT_TRUE(f.props.at("StoredValues").hasData);
    EXPECT_EQ(0x41, f.props.at("StoredValues").value) << "only bits 0 to 7 travel";

    fw::TPropValue v;
    v.i = 0x2C2;
    f.props.at("StoredValues").read(v);
    EXPECT_EQ(0x01C2, e->StoredValues) << "reading keeps bits 8 to 15";
    v.i = 40;
    f.props.at("Height").read(v);
    EXPECT_EQ(40, e->Height());

    f.props.clear();
    inplace->DefineProperties(f);
    EXPECT_TRUE(f.props.at("Height").hasData) << "in place the height is always written";
    EXPECT_EQ(17, f.props.at("Height").value);
}

TEST_F(BaseEdit, StyleControllerSetterAttachesNotifiesAndDetaches) {
    StandaloneEdit* e = Add();
    auto* controller = fw::Create<TdxEditStyleController>(form);
    std::vector<fw::TObject*> links;
    controller->OnStyleChanged = [&](fw::TObject* sender, fw::TObject* link) {
        EXPECT_EQ(controller, sender);
        links.push_back(link);
    };
    e->SetStyleController(controller);
    EXPECT_EQ(1, e->styleChanges);
    EXPECT_EQ(std::vector<fw::TObject*>{e}, links);
    ASSERT_EQ(1, controller->ListenerCount());
    EXPECT_EQ(static_cast<TdxStyledEdit*>(e), controller->Listener(0));

    e->SetStyleController(controller);
    EXPECT_EQ(1, e->styleChanges) << "the current controller again does nothing";
    controller->SetBorderStyle(xbsSingle);
    EXPECT_EQ(2, e->styleChanges);
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
    EXPECT_EQ(5, e->styleChanges);
    EXPECT_EQ(xbs3D, e->Style()->BorderStyle());
}

TEST_F(BaseEdit, DestroyingAnEditDetachesItFromItsControllerAndTheDefault) {
    auto* controller = fw::Create<TdxEditStyleController>(form);
    StandaloneEdit* e = Add();
    e->SetStyleController(controller);
    fw::Free(e);
    EXPECT_EQ(0, controller->ListenerCount());
    EXPECT_EQ(0, DefaultEditStyleController->ListenerCount());
}

TEST_F(BaseEdit, TextChangingKeysArePasteCutBackspaceDeleteAndShiftInsert) {
    StandaloneEdit* e = Add();
    EXPECT_TRUE(e->IsTextChangingKey('V', fw::ssCtrl));
    EXPECT_TRUE(e->IsTextChangingKey('X', fw::ssCtrl | fw::ssAlt)) << "other shift keys are not looked at";
    EXPECT_TRUE(e->IsTextChangingKey(0x0158, fw::ssCtrl)) << "the low byte of the key code counts";
    EXPECT_FALSE(e->IsTextChangingKey('V', 0));
    EXPECT_FALSE(e->IsTextChangingKey('C', fw::ssCtrl));
    EXPECT_TRUE(e->IsTextChangingKey(VK_BACK, 0));
    EXPECT_TRUE(e->IsTextChangingKey(VK_DELETE, fw::ssShift | fw::ssCtrl));
    EXPECT_TRUE(e->IsTextChangingKey(VK_INSERT, fw::ssShift));
    EXPECT_FALSE(e->IsTextChangingKey(VK_INSERT, 0));
    EXPECT_FALSE(e->IsTextChangingKey(VK_INSERT, fw::ssCtrl));
}

}  // namespace
