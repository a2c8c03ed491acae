// The client runs as a single instance: a second start shows the already-running notice
// and ends with exit code 0 while the first goes on.
#include <gtest/gtest.h>

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
