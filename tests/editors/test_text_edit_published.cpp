// TdxEdit in form descriptions: defaults, what is written and in which order, and a round trip.
#include <gtest/gtest.h>

#include "editors/EditorUnits.h"
#include "framework/FormDescription.h"
#include "framework/Published.h"
#include "tests/editors/TextEditProbes.h"

namespace {

using namespace editors;

class DescribedForm : public fw::TForm {
public:
    FW_CLASS(DescribedForm)
    using TForm::TForm;
    bool HasDescription() const override { return false; }
};

class TextEditPublished : public ::testing::Test {
protected:
    void SetUp() override {
        fw::RegisterFormsClasses();
        for (fw::TUnit* u : EditorUnits()) u->Initialize();
    }
    void TearDown() override {
        for (DescribedForm* f : forms) fw::Free(f);
        auto units = EditorUnits();
        for (auto it = units.rbegin(); it != units.rend(); ++it) (*it)->Finalize();
    }
    DescribedForm* Load(const std::string& text) {
        forms.push_back(fw::Create<DescribedForm>(nullptr));
        fw::ApplyDescription(*fw::ParseDescription(text), forms.back(), *forms.back());
        return forms.back();
    }
    std::vector<DescribedForm*> forms;
    harness::RecordingApplication app;
};

// The written block of the form's component of that name.
std::string Block(const std::string& written, const std::string& name) {
    size_t at = written.find("  object " + name + ":");
    if (at == std::string::npos) return std::string();
    return written.substr(at, written.find("  end\n", at) + 6 - at);
}

const char* const kLoginField =
    "object DescribedForm1: DescribedForm\n"
    "  object UserName: TdxEdit\n"
    "    Left = 232\n"
    "    Top = 136\n"
    "    Width = 161\n"
    "    Style.BorderStyle = xbsSingle\n"
    "    TabOrder = 1\n"
    "  end\n"
    "end\n";

TEST_F(TextEditPublished, ALoginFieldTakesItsDefaultsAndWritesBackOnlyWhatItsDescriptionSets) {
    DescribedForm* form = Load(kLoginField);
    auto* e = dynamic_cast<TdxEdit*>(form->FindComponent("UserName"));
    ASSERT_NE(nullptr, e);
    EXPECT_TRUE(e->AutoSelect && e->AutoSize() && e->HideSelection() && e->TabStop);
    EXPECT_EQ(0, e->MaxLength());
    EXPECT_EQ(fw::clWindow, e->Color());
    const std::string block = std::string(kLoginField).substr(std::string(kLoginField).find('\n') + 1);
    EXPECT_EQ(block.substr(0, block.size() - 4), Block(fw::WriteDescription(form), "UserName"))
        << "written in the declared order, defaults left out";
}

TEST_F(TextEditPublished, OwnPropertiesAreWrittenAwayFromTheirDefaultsAndARoundTripKeepsThem) {
    DescribedForm* form = Load(
        "object DescribedForm1: DescribedForm\n"
        "  object Edit1: TdxEdit\n"
        "    Text = 'abc'\n"
        "    CharCase = ecUpperCase\n"
        "    PasswordChar = '*'\n"
        "    MaxLength = 0\n"
        "    AutoSelect = False\n"
        "    HideSelection = False\n"
        "    OEMConvert = True\n"
        "    Hint = 'it''s a hint'\n"
        "    Alignment = taCenter\n"
        "    DragCursor = crDefault\n"
        "    ImeMode = imClose\n"
        "    ShowHint = True\n"
        "    Anchors = [akLeft, akRight]\n"
        "    Constraints.MinWidth = 40\n"
        "  end\n"
        "end\n");
    auto* e = dynamic_cast<TdxEdit*>(form->FindComponent("Edit1"));
    ASSERT_NE(nullptr, e);
    EXPECT_EQ("ABC", e->Text()) << "the case applies once the description is read";
    DescribedForm* caseFirst = Load(
        "object DescribedForm1: DescribedForm\n"
        "  object Edit1: TdxEdit\n"
        "    CharCase = ecLowerCase\n"
        "    Text = 'AbC'\n"
        "  end\n"
        "end\n");
    EXPECT_EQ("abc", dynamic_cast<TdxEdit*>(caseFirst->FindComponent("Edit1"))->Text())
        << "also for a text read after the case";
    std::string written = Block(fw::WriteDescription(form), "Edit1");
    SCOPED_TRACE(written);
    EXPECT_NE(std::string::npos, written.find("    StoredValues = 3\n"));
    size_t at = 0;  // the class's declaration order, which interleaves control, base edit and text edit
    for (const char* line : {"Hint = 'it''s a hint'", "DragCursor = crDefault", "ImeMode = imClose", "ParentShowHint = False",
                             "ShowHint = True", "Text = 'ABC'", "Anchors = [akLeft, akRight]", "Constraints.MinWidth = 40",
                             "Alignment = taCenter", "AutoSelect = False", "CharCase = ecUpperCase", "HideSelection = False", "MaxLength = 0",
                             "OEMConvert = True", "PasswordChar = '*'"}) {
        size_t next = written.find("    " + std::string(line) + "\n");
        EXPECT_TRUE(next != std::string::npos && next > at) << line;
        at = next == std::string::npos ? at : next;
    }
    EXPECT_EQ(std::string::npos, written.find("Height")) << "auto-sized: no height in any form";
    std::string whole = fw::WriteDescription(form);
    EXPECT_EQ(fw::WriteDescription(Load(whole)), whole);
}

}  // namespace
