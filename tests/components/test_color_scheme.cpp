// Colour-scheme unit: the high-colour probe and the desktop colour scheme read from the
// user's registry, which the probe never changes.
#include <gtest/gtest.h>

#include <string>

#include "components/AuxUnits.h"
#include "tests/support/RegistryHelpers.h"

namespace {

// A private CurrentVersion-like key under HKEY_CURRENT_USER per test, removed afterwards.
class AuxColorScheme : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = harness::UniqueTestName("Software\\CorvaneTest ColorScheme ");
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }

    void SetColorName(const std::string& text) {
        HKEY k;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, (path_ + "\\ThemeManager").c_str(), 0, nullptr,
                                                 0, KEY_ALL_ACCESS, nullptr, &k, nullptr));
        RegSetValueExA(k, "ColorName", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(k);
    }
    void CreateKey(const std::string& key) {
        HKEY k;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, key.c_str(), &k));
        RegCloseKey(k);
    }
    bool KeyExists(const std::string& key) { return harness::KeyExists(HKEY_CURRENT_USER, key); }
    std::uint8_t Probe() { return components::ProbeDesktopColorScheme(HKEY_CURRENT_USER, "\\" + path_); }

    std::string path_;
};

TEST_F(AuxColorScheme, ColorNameDecidesTheSchemeInAnyLetterCase) {
    const struct {
        const char* text;
        int scheme;
    } cases[] = {{"HomeStead", 1}, {"homestead", 1}, {"HOMESTEAD", 1}, {"metallic", 2}, {"MetAllic", 2},
                 {"NormalColor", 0}, {"HomeStead ", 0}, {" Metallic", 0}, {"", 0}};
    for (const auto& c : cases) {
        SetColorName(c.text);
        EXPECT_EQ(c.scheme, Probe()) << "ColorName \"" << c.text << "\"";
    }
}

TEST_F(AuxColorScheme, MissingOrUnreadableValueGivesZero) {
    EXPECT_EQ(0, Probe()) << "key missing";
    CreateKey(path_);
    EXPECT_EQ(0, Probe()) << "subkey ThemeManager missing";
    SetColorName("Metallic");
    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, (path_ + "\\ThemeManager").c_str(), 0, KEY_ALL_ACCESS, &k));
    RegDeleteValueA(k, "ColorName");
    RegSetValueExA(k, "Other", 0, REG_SZ, reinterpret_cast<const BYTE*>("Metallic"), 9);
    EXPECT_EQ(0, Probe()) << "value ColorName missing";
    DWORD two = 2;
    RegSetValueExA(k, "ColorName", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), sizeof two);
    RegCloseKey(k);
    EXPECT_EQ(0, Probe()) << "ColorName is a number, not text";
}

TEST_F(AuxColorScheme, ProbeCreatesNothingInTheRegistry) {
    ASSERT_FALSE(KeyExists(path_));
    EXPECT_EQ(0, Probe());
    EXPECT_FALSE(KeyExists(path_)) << "the probe must not create the key it reads";

    CreateKey(path_);
    EXPECT_EQ(0, Probe());
    EXPECT_FALSE(KeyExists(path_ + "\\ThemeManager")) << "nor the subkey";
}

TEST_F(AuxColorScheme, StartUpProbesTheUserKeyAndTheScreen) {
    // The real key path, with its ThemeManager subkey set for this test and put back after.
    const char* cv = "Software\\Microsoft\\Windows\\CurrentVersion";
    const std::string tm = std::string(cv) + "\\ThemeManager";
    HKEY k;
    const bool hadSubkey = KeyExists(tm);
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, tm.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr));
    DWORD type = 0, size = 0;
    std::string saved;
    const bool hadValue = RegQueryValueExA(k, "ColorName", nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (hadValue) {
        saved.resize(size);
        RegQueryValueExA(k, "ColorName", nullptr, &type, reinterpret_cast<BYTE*>(&saved[0]), &size);
    }
    RegSetValueExA(k, "ColorName", 0, REG_SZ, reinterpret_cast<const BYTE*>("HomeStead"), 10);

    components::ColorSchemeUnit().Initialize();
    const std::uint8_t scheme = components::DesktopColorScheme;

    if (hadValue)
        RegSetValueExA(k, "ColorName", 0, type, reinterpret_cast<const BYTE*>(saved.data()), size);
    else
        RegDeleteValueA(k, "ColorName");
    RegCloseKey(k);
    if (!hadSubkey) RegDeleteKeyA(HKEY_CURRENT_USER, tm.c_str());

    EXPECT_EQ(1, scheme);
    HDC dc = GetDC(nullptr);
    const bool high = GetDeviceCaps(dc, BITSPIXEL) > 8;
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(high, components::IsHighColorDisplay) << "the test display has 24-bit colour";
    EXPECT_TRUE(components::ProbeHighColorDisplay());
}

}  // namespace
