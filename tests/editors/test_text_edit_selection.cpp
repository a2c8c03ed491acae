// The text edit's selection and clipboard, Chinese text included, within the buffers given.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/editors/TextEditProbes.h"

namespace {

using namespace editors;
using namespace editors_test;

using TextEditSelection = TextEditFixture;

TEST_F(TextEditSelection, PositionsLengthsAndCopiesOfTheSelectionOnAbcdef) {
    TextProbe* e = AddText("abcdef");
    e->SetSelStart(3);
    EXPECT_EQ(3, e->GetSelStart());
    EXPECT_EQ(0, e->GetSelLength()) << "the caret after c, nothing selected";
    e->SetSelLength(2);
    EXPECT_EQ("de", e->GetSelText());
    e->SetSelLength(1);
    EXPECT_EQ("d", e->GetSelText()) << "the length counts from the start, not from the end";
    e->SetSelLength(2);

    char buf[8];
    std::memset(buf, 0x55, sizeof buf);
    EXPECT_EQ(0, e->GetSelTextBuf(buf, -1));
    EXPECT_EQ(0x55, buf[0]) << "a negative size writes nothing";
    EXPECT_EQ(0, e->GetSelTextBuf(nullptr, 4));
    EXPECT_EQ(2, e->GetSelTextBuf(buf, 5));
    EXPECT_STREQ("de", buf);

    e->MoveCaretToEnd();
    EXPECT_EQ(6, e->GetSelStart());
    EXPECT_EQ(0, e->GetSelLength());
    e->SetSelection(1, 3);
    e->ClearSelection();
    EXPECT_EQ("adef", e->Text());
    EXPECT_EQ(4, e->GetTextLength());
}

// The ANSI rich edit counts characters but writes two bytes for each Chinese one.
TEST_F(TextEditSelection, SelectedChineseIsReadWholeAndNoBufferIsOverrun) {
    const std::string text = harness::Ansi(u8"准考证号 20260001");
    TextProbe* e = AddText(text);
    e->SetSelection(0, 4);
    EXPECT_EQ(harness::Ansi(u8"准考证号"), e->GetSelText());
    e->SetSelection(2, 6);
    EXPECT_EQ(harness::Ansi(u8"证号 2"), e->GetSelText());
    const std::string many = harness::Ansi(u8"身份证件号码准考证号考生端考试考场考点服务器登录");
    e->SetText(many);
    e->SelectAll();
    EXPECT_EQ(many, e->GetSelText()) << "a long selection, past any small-string room";
    e->SetText(text);

    // GetSelTextBuf: BufSize bytes and a zero; a character that does not fit is left out.
    e->SetSelection(0, 3);
    char buf[16];
    std::memset(buf, 0x55, sizeof buf);
    EXPECT_EQ(6, e->GetSelTextBuf(buf, 6));
    EXPECT_EQ(harness::Ansi(u8"准考证"), std::string(buf));
    EXPECT_EQ(0x55, buf[7]);
    std::memset(buf, 0x55, sizeof buf);
    EXPECT_EQ(2, e->GetSelTextBuf(buf, 3));
    EXPECT_EQ(harness::Ansi(u8"准"), std::string(buf)) << "no half character";
    EXPECT_EQ(0x55, buf[4]) << "the guard bytes stay";
}

TEST_F(TextEditSelection, ChinesePastedFromTheClipboardIsReadBackWholeThroughText) {
    const std::string ticket = harness::Ansi(u8"准考证 A&B#1 2号"), document = harness::Ansi(u8" 身份#证&件 3 ");
    TextProbe* e = AddText();
    ASSERT_TRUE(harness::PutOnClipboard(ticket));
    e->PasteFromClipboard();
    EXPECT_EQ(ticket, e->Text());
    EXPECT_EQ(1, e->changes) << "a paste is one change";

    // Kept whole when set without a window.
    TextProbe* later = Unparented();
    later->SetText(document);
    later->SetParent(form);
    later->Handle();
    EXPECT_EQ(document, later->Text()) << "read back from the window";

    // Cut and copy put it back on the clipboard whole.
    harness::EmptyTheClipboard();
    e->SelectAll();
    e->CopyToClipboard();
    EXPECT_EQ(ticket, harness::ClipboardText());
    e->CutToClipboard();
    EXPECT_EQ("", e->Text());
    EXPECT_EQ(ticket, harness::ClipboardText());
}

}  // namespace
