// SetAutoRun: the machine-wide autostart value, its key and its error texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Common.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "tests/support/RegistryHelpers.h"

namespace {

harness::StoredValue Query(const std::string& key, const std::string& name) {
    return harness::QueryValue(HKEY_LOCAL_MACHINE, key, name);
}

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::vector<char> WithZero(const std::string& s) {
    std::vector<char> b(s.begin(), s.end());
    b.push_back('\0');
    return b;
}

// Each test writes values of its own name (tests run in parallel) and removes them after,
// from the user's keys as well as the machine's, whether it passed or not.
class AutoRun : public ::testing::Test {
protected:
    void SetUp() override {
        name_ = harness::UniqueTestName("CorvaneTest ");
    }
    void TearDown() override {
        harness::RemoveAutoRunValues(name_);
    }
    std::string name_;
};

TEST_F(AutoRun, WritesTheNamedStringValueUnderRunWithItsTerminatingZero) {
    // The application title in the ANSI code page, as the sign-in passes it.
    name_ += fw::FromUtf8(" 全国考生端");
    const std::string data = "Z:\\exam\\Corvane.exe";
    app::SetAutoRun(name_, data, false);

    harness::StoredValue v = Query(kRun, name_);
    ASSERT_TRUE(v.exists) << "value under HKLM\\" << kRun;
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), v.type);
    EXPECT_EQ(WithZero(data), v.bytes) << "data with its zero byte counted in the length";
    EXPECT_FALSE(Query(kRunOnce, name_).exists);
}

TEST_F(AutoRun, SecondCallWithTheSameNameLeavesOneValueHoldingTheLaterData) {
    app::SetAutoRun(name_, "C:\\first\\a-much-longer-path\\Corvane.exe", false);
    app::SetAutoRun(name_, "C:\\b.exe", false);

    harness::StoredValue v = Query(kRun, name_);
    ASSERT_TRUE(v.exists);
    EXPECT_EQ(WithZero("C:\\b.exe"), v.bytes);

    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRun, 0, KEY_READ, &k));
    int count = 0;
    char valueName[512];
    for (DWORD i = 0;; ++i) {
        DWORD len = sizeof valueName;
        if (RegEnumValueA(k, i, valueName, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (name_ == valueName) ++count;
    }
    RegCloseKey(k);
    EXPECT_EQ(1, count);
}

TEST_F(AutoRun, OnceWritesUnderRunOnceBesideRun) {
    app::SetAutoRun(name_, "C:\\once.exe", true);

    harness::StoredValue v = Query(kRunOnce, name_);
    ASSERT_TRUE(v.exists) << "value under HKLM\\" << kRunOnce;
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), v.type);
    EXPECT_EQ(WithZero("C:\\once.exe"), v.bytes);
    EXPECT_FALSE(Query(kRun, name_).exists);
}

TEST_F(AutoRun, MissingKeyIsCreatedFirst) {
    const std::string base = "Software\\CorvaneTest AutoRun " + std::to_string(GetCurrentProcessId());
    const std::string key = base + "\\Run";
    struct Cleanup {  // from both roots: a faulty write may have used the user's
        const std::string& base;
        ~Cleanup() {
            for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeA(root, base.c_str());
        }
    } cleanup{base};
    app::detail::WriteAutoRunValue(HKEY_LOCAL_MACHINE, key, "Client", "C:\\c.exe");

    harness::StoredValue v = Query(key.c_str(), "Client");
    EXPECT_TRUE(v.exists);
    EXPECT_EQ(WithZero("C:\\c.exe"), v.bytes);
}

TEST_F(AutoRun, KeyThatCannotBeCreatedRaisesFailedToCreateKeyWithItsPath) {
    // A key name component longer than the registry allows.
    const std::string key = "Software\\" + std::string(300, 'k');
    try {
        app::detail::WriteAutoRunValue(HKEY_LOCAL_MACHINE, key, name_, "C:\\x.exe");
        FAIL() << "expected an exception";
    } catch (const fw::ERegistryException& e) {
        EXPECT_EQ("Failed to create key " + key, e.Message());
    }
    try {
        app::detail::WriteAutoRunValue(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)), kRun, name_, "x");
        FAIL() << "expected an exception";
    } catch (const fw::ERegistryException& e) {
        EXPECT_EQ(std::string("Failed to create key ") + kRun, e.Message());
    }
}

TEST_F(AutoRun, ValueThatCannotBeSetRaisesFailedToSetDataWithItsName) {
    // Longer than any value name the registry accepts.
    name_ = std::string(20000, 'n');
    try {
        app::SetAutoRun(name_, "C:\\x.exe", false);
        FAIL() << "expected an exception";
    } catch (const fw::ERegistryException& e) {
        EXPECT_EQ("Failed to set data for '" + name_ + "'", e.Message());
    }
    EXPECT_FALSE(Query(kRun, name_).exists);
}

// The cleanup the autostart tests rely on reaches every place a faulty write could use.
TEST(AutoRunCleanup, RemovesTheValueFromRunAndRunOnceOfMachineAndUserWhenMadeAndWhenGone) {
    const std::string name = harness::UniqueTestName("CorvaneTest ");
    struct Place { HKEY root; const char* key; };
    const Place places[] = {{HKEY_LOCAL_MACHINE, kRun}, {HKEY_LOCAL_MACHINE, kRunOnce},
                            {HKEY_CURRENT_USER, kRun},  {HKEY_CURRENT_USER, kRunOnce}};
    auto writeEverywhere = [&] {
        for (const Place& p : places) {
            HKEY k;
            ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(p.root, p.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr));
            RegSetValueExA(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
            RegCloseKey(k);
        }
    };
    auto left = [&] {
        int n = 0;
        for (const Place& p : places) n += harness::QueryValue(p.root, p.key, name).exists;
        return n;
    };
    writeEverywhere();
    EXPECT_EQ(4, left());
    {
        harness::AutoRunCleanup cleanup(name);
        EXPECT_EQ(0, left()) << "removed when made";
        writeEverywhere();
    }
    EXPECT_EQ(0, left()) << "removed again when gone";
    for (const Place& p : places) harness::DeleteValue(p.root, p.key, name);
}

}  // namespace
