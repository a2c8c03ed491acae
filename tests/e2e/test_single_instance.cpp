// The client runs as a single instance: a second start, or any start while another program
// holds the guard's name, shows the already-running notice and ends with exit code 0.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/Harness.h"

using namespace harness;

TEST(SingleInstance, SecondStartShowsNoticeAndExitsZeroWhileFirstRuns) {
    ClientProcess first("single_first");
    first.Start();
    HWND main = first.WaitForWindow("TFrmLogin", "", kClientStartMs);
    ASSERT_NE(main, nullptr) << "the first instance shows its login form";

    ClientProcess second("single_second");
    second.Start();
    MessageBoxInfo box = second.WaitForMessageBox(kClientStartMs);
    ASSERT_NE(box.hwnd, nullptr) << "the second instance shows a message box";
    SaveScreenshot(box.hwnd, "already_running_box");
    EXPECT_EQ(box.caption, Ansi(u8"操作提示"));
    EXPECT_EQ(box.text, Ansi(u8"Brenvara主控程序已经运行！"));
    EXPECT_EQ(box.icon, BoxIcon::Information);
    EXPECT_TRUE(second.TopLevelWindows(true).size() == 1) << "no form besides the box";
    ClientProcess::PressOk(box);
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_FALSE(FileExists(second.Dir() + "\\iphist.dat"));

    EXPECT_TRUE(first.Running()) << "the first instance keeps running";
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0u);
}

TEST(SingleInstance, AGuardOfItsNameHeldByAnotherProgramShowsTheNoticeAndExitsZero) {
    // Held here, by the test itself: the client knows the guard by its name alone.
    std::unique_ptr<void, decltype(&CloseHandle)> guard(CreateMutexA(nullptr, FALSE, "Frame_HW_DDR3_PPT"),
                                                        &CloseHandle);
    ASSERT_NE(guard.get(), nullptr);
    ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "no client of this run holds it";

    ClientProcess client("single_held_guard");
    client.Start();
    MessageBoxInfo box = client.WaitForMessageBox(kClientStartMs);
    ASSERT_NE(box.hwnd, nullptr) << "the already-running notice";
    EXPECT_EQ(box.caption, Ansi(u8"操作提示"));
    EXPECT_EQ(box.text, Ansi(u8"Brenvara主控程序已经运行！"));
    EXPECT_FALSE(client.FindWindowOf("TFrmLogin")) << "no form";
    ClientProcess::PressOk(box);
    EXPECT_EQ(client.WaitForExit(), 0u);
}
