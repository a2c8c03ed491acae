// TrayIcon: "TaskbarCreated" is registered from common-controls version 4.71 on.
#include <gtest/gtest.h>

#include "components/AuxUnits.h"

namespace {

TEST(AuxTrayIcon, TaskbarCreatedIsRegisteredFromCommonControls471On) {
    const UINT registered = RegisterWindowMessageA("TaskbarCreated");
    ASSERT_NE(0u, registered);
    EXPECT_EQ(0u, components::TaskbarCreatedMessageFor(0x00040046)) << "4.70";
    EXPECT_EQ(0u, components::TaskbarCreatedMessageFor(0)) << "version unknown";
    EXPECT_EQ(registered, components::TaskbarCreatedMessageFor(0x00040047)) << "4.71";
    EXPECT_EQ(registered, components::TaskbarCreatedMessageFor(0x00050050)) << "5.80";
    EXPECT_EQ(registered, components::TaskbarCreatedMessageFor(0x00060000)) << "6.0";
    // The comparison is signed: a major version with its top bit set counts as below.
    EXPECT_EQ(0u, components::TaskbarCreatedMessageFor(static_cast<std::int32_t>(0x80000000u)));
}

TEST(AuxTrayIcon, StartUpUsesTheInstalledCommonControlsAndShutDownFreesTheHandler) {
    const std::int32_t version = components::ComCtlVersion();
    EXPECT_GE(version, 0x00040000) << "comctl32 reports its version";
    components::TrayIconUnit().Initialize();
    EXPECT_EQ(components::TaskbarCreatedMessageFor(version), components::TaskbarCreatedMessage);

    struct Handler : fw::TObject {
        bool* freed;
        explicit Handler(bool* f) : freed(f) {}
        ~Handler() override { *freed = true; }
    };
    bool freed = false;
    components::TrayIconHandler = new Handler(&freed);
    components::TrayIconUnit().Finalize();
    EXPECT_TRUE(freed);
    EXPECT_EQ(nullptr, components::TrayIconHandler);
}

}  // namespace
