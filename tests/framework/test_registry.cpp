// TRegistry: key paths, read-only opening, string values and the error texts.
#include <gtest/gtest.h>

#include <string>

#include "framework/Registry.h"
#include "tests/support/RegistryHelpers.h"

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = harness::UniqueTestName("Software\\CorvaneTest Registry ");
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str()); }
    bool Exists(const std::string& key) { return harness::KeyExists(HKEY_CURRENT_USER, key); }
    std::string base_;
};

TEST_F(Registry, AbsoluteAndRelativeKeyPathsAndStringValuesRoundTrip) {
    fw::TRegistry reg;
    EXPECT_EQ(HKEY_CURRENT_USER, reg.RootKey());
    EXPECT_EQ(static_cast<REGSAM>(KEY_ALL_ACCESS), reg.Access());
    ASSERT_TRUE(reg.OpenKey("\\" + base_, true));
    EXPECT_EQ(base_, reg.CurrentPath());
    // Relative to the open key.
    ASSERT_TRUE(reg.OpenKey("Inner", true));
    EXPECT_EQ(base_ + "\\Inner", reg.CurrentPath());
    EXPECT_TRUE(Exists(base_ + "\\Inner"));

    reg.WriteString("Text", "abc");
    EXPECT_TRUE(reg.ValueExists("Text"));
    EXPECT_EQ("abc", reg.ReadString("Text"));
    EXPECT_FALSE(reg.ValueExists("Missing"));
    EXPECT_EQ("", reg.ReadString("Missing"));
    reg.WriteString("Empty", "");
    EXPECT_EQ("", reg.ReadString("Empty"));

    EXPECT_TRUE(reg.KeyExists("\\" + base_));
    EXPECT_FALSE(reg.KeyExists("NotThere"));
    reg.CloseKey();
    EXPECT_EQ(nullptr, reg.CurrentKey());
}

TEST_F(Registry, ReadOnlyOpeningCreatesNothingAndNonTextValueRaisesItsText) {
    fw::TRegistry reg;
    EXPECT_FALSE(reg.OpenKeyReadOnly("\\" + base_));
    EXPECT_FALSE(Exists(base_));

    reg.CreateKey("\\" + base_);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\" + base_));
    EXPECT_EQ(static_cast<REGSAM>(KEY_ALL_ACCESS), reg.Access()) << "the object's own access is kept";
    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, KEY_ALL_ACCESS, &k));
    DWORD zero = 0;
    RegSetValueExA(k, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
    RegCloseKey(k);
    try {
        reg.ReadString("Number");
        FAIL() << "expected an exception";
    } catch (const fw::ERegistryException& e) {
        EXPECT_EQ("Invalid data type for 'Number'", e.Message());
    }
}

}  // namespace
