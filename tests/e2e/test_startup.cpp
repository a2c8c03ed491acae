// Start-up and shut-down as a candidate sees them: the splash for about a second, then the
// login form; closing the login form ends the program with exit code 0 and an empty
// "iphist.dat" in the working directory.
#include <gtest/gtest.h>

#include "tests/support/Harness.h"

using namespace harness;

namespace {

struct ChildInfo {
    std::string cls;
    RECT rect;  // in the parent's client coordinates
    bool visible;
};

std::vector<ChildInfo> Children(HWND parent) {
    std::vector<ChildInfo> out;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r = WindowRect(c);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        out.push_back({ClassOf(c), r, IsWindowVisible(c) != FALSE});
    }
    return out;
}

}  // namespace

TEST(StartUp, SplashThenLoginFormThenCleanExitLeavingEmptyHistoryFile) {
    ClientProcess p("startup");
    WriteFile(p.Dir() + "\\iphist.dat", "old history that must go\r\n");
    p.Start();

    HWND splash = p.WaitForWindow("TFrm_StartImage", "", kClientStartMs);
    ASSERT_NE(splash, nullptr) << "the splash appears";
    DWORD shown = GetTickCount();
    Sleep(200);
    SaveScreenshot(splash, "startup_splash");
    RECT r = WindowRect(splash);
    EXPECT_EQ(r.right - r.left, 336);
    EXPECT_EQ(r.bottom - r.top, 49);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 336) / 2) << "centred";
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 49) / 2) << "centred";
    EXPECT_EQ(GetWindowLongA(splash, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0) << "borderless";
    EXPECT_EQ(WindowText(splash), Ansi(u8"启动画面"));

    HWND login = p.WaitForWindow("TFrmLogin", "", kClientStartMs);
    ASSERT_NE(login, nullptr) << "the login form appears";
    DWORD elapsed = GetTickCount() - shown;
    EXPECT_FALSE(IsWindow(splash) && IsWindowVisible(splash)) << "the splash is gone before the login form shows";
    EXPECT_GE(elapsed, 700u) << "the splash stays about a second";
    EXPECT_LE(elapsed, 15000u);
    Sleep(300);
    SaveScreenshot(login, "startup_login");

    RECT client;
    GetClientRect(login, &client);
    EXPECT_EQ(client.right, 521);
    EXPECT_EQ(client.bottom, 342);
    LONG style = GetWindowLongA(login, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "maximizing is not offered";
    EXPECT_FALSE(style & WS_THICKFRAME) << "not resizable";
    RECT wr = WindowRect(login);
    EXPECT_NEAR(wr.left, (GetSystemMetrics(SM_CXSCREEN) - (wr.right - wr.left)) / 2, 1) << "centred";
    EXPECT_EQ(WindowText(login).rfind(Ansi(u8"全国Brenvara-考生端"), 0), 0u);

    // The two fields (styled edits) at their places, and the hidden server field.
    std::vector<ChildInfo> edits;
    for (const ChildInfo& c : Children(login))
        if (c.cls == "TEdit" || c.cls == "TdxEdit") edits.push_back(c);
    ASSERT_EQ(edits.size(), 3u);
    int visible = 0;
    for (const ChildInfo& e : edits) {
        if (!e.visible) {
            EXPECT_EQ(e.cls, "TEdit");
            EXPECT_EQ(e.rect.left, 361);
            EXPECT_EQ(e.rect.top, 0);
            continue;
        }
        ++visible;
        EXPECT_EQ(e.cls, "TdxEdit");
        EXPECT_EQ(e.rect.left, 232);
        EXPECT_TRUE(e.rect.top == 136 || e.rect.top == 168) << e.rect.top;
        EXPECT_EQ(e.rect.right - e.rect.left, 161);
    }
    EXPECT_EQ(visible, 2);

    PostMessageA(login, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitForExit(), 0u);
    bool exists = false;
    std::string history = ReadFile(p.Dir() + "\\iphist.dat", &exists);
    EXPECT_TRUE(exists) << "iphist.dat is written at exit";
    EXPECT_EQ(history.size(), 0u);
}

TEST(StartUp, UnwritableHistoryFileIsIgnoredAtExit) {
    ClientProcess p("startup_unwritable_history");
    // A directory in the file's place: the history cannot be written there.
    std::string history = p.Dir() + "\\iphist.dat";
    ASSERT_TRUE(CreateDirectoryA(history.c_str(), nullptr));
    p.Start();
    HWND login = p.WaitForWindow("TFrmLogin", "", kClientStartMs);
    ASSERT_NE(login, nullptr);
    PostMessageA(login, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitForExit(), 0u) << "exit code stays 0";
    EXPECT_TRUE(GetFileAttributesA(history.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(StartUp, BrokenDescriptionEndsStartUpWithABoxNamingTheFormAndTheFault) {
    ClientProcess p("startup_broken_description");
    p.ReplaceRcData("TDM", "object DM: TDM\n  Width = 'wide'\nend\n");
    p.Start();
    MessageBoxInfo box = p.WaitForMessageBox(kClientStartMs);
    ASSERT_NE(box.hwnd, nullptr);
    SaveScreenshot(box.hwnd, "startup_broken_description");
    EXPECT_EQ(box.caption, Ansi(u8"全国Brenvara-考生端"));
    EXPECT_NE(box.text.find("TDM"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("line 2"), std::string::npos) << box.text;
    EXPECT_EQ(box.icon, BoxIcon::Hand);
    ClientProcess::PressOk(box);
    EXPECT_EQ(p.WaitForExit(), 1u) << "a start-up that cannot build its forms ends with exit code 1";
    EXPECT_FALSE(FileExists(p.Dir() + "\\iphist.dat"));
}

TEST(StartUp, TheProgramsIconIsMainIcon) {
    HMODULE exe = LoadLibraryExA(ClientExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    std::vector<std::string> names;
    EnumResourceNamesA(exe, MAKEINTRESOURCEA(14), [](HMODULE, LPCSTR, LPSTR name, LONG_PTR list) -> BOOL {
        reinterpret_cast<std::vector<std::string>*>(list)->push_back(IS_INTRESOURCE(name) ? "#" : name);
        return TRUE;
    }, reinterpret_cast<LONG_PTR>(&names));
    FreeLibrary(exe);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "MAINICON") << "the first icon group is the one the system shows";
}
