// Small services of the framework: locale-aware ANSI case, time encoding, target actions.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/ActnList.h"
#include "framework/DateUtils.h"
#include "framework/SysUtils.h"

TEST(TextServices, AnsiCaseKeepsDoubleByteCharactersIntact) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run in the GBK code page";
    // U+4E64 is 0x81 0x61 in GBK: its trail byte is the letter 'a'.
    std::string mixed = fw::FromUtf8("abc\xE4\xB9\xA4\xE4\xB8\xAD Zz");
    ASSERT_EQ(mixed.substr(3, 2), "\x81\x61");
    EXPECT_EQ(fw::AnsiUpperCase(mixed), fw::FromUtf8("ABC\xE4\xB9\xA4\xE4\xB8\xAD ZZ"));
    EXPECT_EQ(fw::AnsiLowerCase(fw::AnsiUpperCase(mixed)), fw::FromUtf8("abc\xE4\xB9\xA4\xE4\xB8\xAD zz"));
}

TEST(TextServices, EncodeTimeGivesFractionsOfADayAndRefusesInvalidParts) {
    EXPECT_DOUBLE_EQ(fw::EncodeTime(23, 59, 59, 500), 86399.5 / 86400);
    EXPECT_DOUBLE_EQ(fw::EncodeTime(0, 1, 0, 0), 1.0 / 1440);
    EXPECT_THROW(fw::EncodeTime(24, 0, 0, 0), fw::EConvertError);
    EXPECT_THROW(fw::EncodeTime(0, 60, 0, 0), fw::EConvertError);
    EXPECT_THROW(fw::EncodeTime(0, 0, 0, 1000), fw::EConvertError);
}

namespace {
class TTargetAction : public fw::TAction {
public:
    using TAction::TAction;
    fw::TObject* wanted = nullptr;
    int executed = 0, updated = 0;
    bool HandlesTarget(fw::TObject* target) override { return target == wanted; }
    void ExecuteTarget(fw::TObject*) override { ++executed; }
    void UpdateTarget(fw::TObject*) override { ++updated; }
};
}  // namespace

TEST(TextServices, ComponentsRunOnlyActionsThatHandleThemAsTarget) {
    auto* target = fw::Create<fw::TComponent>(nullptr);
    auto* action = fw::Create<TTargetAction>(target);
    auto* plain = fw::Create<fw::TAction>(target);
    EXPECT_FALSE(target->ExecuteAction(action));
    action->wanted = target;
    EXPECT_TRUE(target->ExecuteAction(action));
    EXPECT_TRUE(target->UpdateAction(action));
    EXPECT_EQ(action->executed, 1);
    EXPECT_EQ(action->updated, 1);
    EXPECT_FALSE(target->ExecuteAction(plain));
    EXPECT_FALSE(target->ExecuteAction(nullptr));
    fw::Free(target);
}
