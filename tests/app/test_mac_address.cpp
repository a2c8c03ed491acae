// GetMacAddress: the first NetBIOS adapter's address, exactly, and the empty text when
// the system has no adapter or reports an error.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/Common.h"

namespace {

// A scripted NetBIOS: records each command and answers from the adapters below.
struct FakeAdapter {
    UCHAR lana;
    UCHAR address[6];
    UCHAR statusRc;
};
struct Recorded {
    UCHAR command, lana;
    WORD length;
    UCHAR callname[NCBNAMSZ];
};
std::vector<FakeAdapter> g_adapters;
std::vector<Recorded> g_calls;
UCHAR g_enumRc = NRC_GOODRET;

UCHAR APIENTRY FakeNetbios(PNCB ncb) {
    Recorded r{ncb->ncb_command, ncb->ncb_lana_num, ncb->ncb_length, {}};
    std::memcpy(r.callname, ncb->ncb_callname, NCBNAMSZ);
    g_calls.push_back(r);
    switch (ncb->ncb_command) {
        case NCBENUM: {
            if (g_enumRc != NRC_GOODRET) {
                std::memset(ncb->ncb_buffer, 0x5A, ncb->ncb_length);  // garbage left behind
                return g_enumRc;
            }
            auto* le = reinterpret_cast<LANA_ENUM*>(ncb->ncb_buffer);
            le->length = static_cast<UCHAR>(g_adapters.size());
            for (size_t i = 0; i < g_adapters.size(); ++i) le->lana[i] = g_adapters[i].lana;
            return NRC_GOODRET;
        }
        case NCBASTAT:
            for (const FakeAdapter& a : g_adapters) {
                if (a.lana != ncb->ncb_lana_num) continue;
                if (a.statusRc != NRC_GOODRET) {
                    std::memset(ncb->ncb_buffer, 0xA5, ncb->ncb_length);
                    return a.statusRc;
                }
                std::memcpy(reinterpret_cast<ADAPTER_STATUS*>(ncb->ncb_buffer)->adapter_address, a.address, 6);
                return NRC_GOODRET;
            }
            return NRC_BRIDGE;
        default:
            return NRC_GOODRET;
    }
}

class MacAddressScripted : public ::testing::Test {
protected:
    void SetUp() override {
        g_adapters.clear();
        g_calls.clear();
        g_enumRc = NRC_GOODRET;
    }
};

TEST(MacAddress, FirstAdapterOfThisMachineIsTheVethOfTheTestNamespace) {
    const std::string mac = app::GetMacAddress();
    EXPECT_EQ("02-11-22-33-44-55", mac) << "the test namespace's veth0 has MAC 02:11:22:33:44:55";
    EXPECT_EQ(17u, mac.size());
}

TEST_F(MacAddressScripted, AsksOnlyTheFirstAdapterWithTheDocumentedCommands) {
    g_adapters = {{3, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, NRC_GOODRET},
                  {7, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11}, NRC_GOODRET}};
    EXPECT_EQ("00-1A-2B-3C-4D-5E", app::detail::GetMacAddressVia(&FakeNetbios));

    ASSERT_EQ(4u, g_calls.size());
    EXPECT_EQ(NCBENUM, g_calls[0].command);
    EXPECT_EQ(256, g_calls[0].length);
    const UCHAR expected[] = {NCBRESET, NCBASTAT, NCBRESET};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i], g_calls[1 + i].command) << "call " << 1 + i;
        EXPECT_EQ(3, g_calls[1 + i].lana) << "only the first adapter number is used";
    }
    EXPECT_EQ(60, g_calls[2].length) << "adapter status alone, no name table";
    EXPECT_EQ('*', g_calls[2].callname[0]);
    for (int i = 1; i < NCBNAMSZ; ++i) EXPECT_EQ(0, g_calls[2].callname[i]) << "callname byte " << i;
}

TEST_F(MacAddressScripted, SecondAdapterNeverContributesEvenWhenTheFirstIsAllZero) {
    g_adapters = {{0, {0, 0, 0, 0, 0, 0}, NRC_GOODRET}, {1, {0x02, 0x11, 0x22, 0x33, 0x44, 0x55}, NRC_GOODRET}};
    EXPECT_EQ("00-00-00-00-00-00", app::detail::GetMacAddressVia(&FakeNetbios));
}

TEST_F(MacAddressScripted, NoAdapterOrAFailedCommandGivesTheEmptyText) {
    EXPECT_EQ("", app::detail::GetMacAddressVia(&FakeNetbios)) << "empty adapter list";
    EXPECT_EQ(1u, g_calls.size()) << "nothing but the enumeration when the list is empty";

    g_adapters = {{0, {0x02, 0x11, 0x22, 0x33, 0x44, 0x55}, NRC_GOODRET}};
    g_enumRc = NRC_SYSTEM;
    EXPECT_EQ("", app::detail::GetMacAddressVia(&FakeNetbios)) << "enumeration failed";

    g_enumRc = NRC_GOODRET;
    g_adapters = {{0, {0x02, 0x11, 0x22, 0x33, 0x44, 0x55}, NRC_ENVNOTDEF}};
    g_calls.clear();
    EXPECT_EQ("", app::detail::GetMacAddressVia(&FakeNetbios)) << "adapter status failed";
    EXPECT_EQ(NCBRESET, g_calls.back().command) << "the adapter is reset again even after a failure";
}

}  // namespace
