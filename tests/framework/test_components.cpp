// Ownership, two-phase creation and the unit protocol.
#include <gtest/gtest.h>

#include "framework/Classes.h"
#include "framework/Forms.h"
#include "framework/Units.h"

namespace {

std::vector<std::string> g_log;

class Probe : public fw::TComponent {
public:
    FW_CLASS(Probe)
    Probe(fw::TComponent* owner, std::string tag) : TComponent(owner), tag_(std::move(tag)) {
        g_log.push_back("construct " + tag_ + " as " + Kind());  // base answer in the constructor
    }
    void AfterConstruction() override { g_log.push_back("after " + tag_ + " as " + Kind()); }
    void BeforeDestruction() override {
        g_log.push_back("before " + tag_ + " as " + Kind());
        TComponent::BeforeDestruction();
    }
    ~Probe() override { g_log.push_back("free " + tag_); }
    virtual std::string Kind() const { return "Probe"; }

protected:
    std::string tag_;
};

class SpecialProbe : public Probe {
public:
    FW_CLASS(SpecialProbe)
    using Probe::Probe;
    std::string Kind() const override { return "SpecialProbe"; }
};

class Watcher : public fw::TComponent {
public:
    using TComponent::TComponent;
    std::vector<fw::TComponent*> removed;

protected:
    void Notification(fw::TComponent* c, fw::TOperation op) override {
        if (op == fw::TOperation::opRemove) removed.push_back(c);
    }
};

}  // namespace

TEST(Components, OwnedComponentsAreFreedNewestFirstAndLeaveTheirOwner) {
    g_log.clear();
    auto* owner = fw::Create<Probe>(nullptr, "owner");
    fw::Create<Probe>(owner, "a");
    auto* b = fw::Create<Probe>(owner, "b");
    fw::Create<Probe>(owner, "c");
    fw::Free(b);  // freed on its own: the owner forgets it
    EXPECT_EQ(owner->ComponentCount(), 2);
    g_log.clear();
    fw::Free(owner);
    std::vector<std::string> expected = {"before owner as Probe", "before c as Probe", "free c",
                                         "before a as Probe",     "free a",            "free owner"};
    EXPECT_EQ(g_log, expected);
}

TEST(Components, VirtualQueriesDuringSetUpAndTearDownAnswerForTheFinalClass) {
    g_log.clear();
    auto* p = fw::Create<SpecialProbe>(nullptr, "x");
    fw::Free(p);
    ASSERT_EQ(g_log.size(), 4u);
    EXPECT_EQ(g_log[1], "after x as SpecialProbe");
    EXPECT_EQ(g_log[2], "before x as SpecialProbe");
}

TEST(Components, FreeNotificationTellsTheWatcherOnce) {
    auto* w = fw::Create<Watcher>(nullptr);
    auto* p = fw::Create<Probe>(nullptr, "n");
    p->FreeNotification(w);
    fw::Free(p);
    ASSERT_EQ(w->removed.size(), 1u);
    EXPECT_EQ(w->removed[0], p);
    fw::Free(w);  // must not touch the freed probe
}

TEST(Units, StartUpAndShutDownRunOnceAtFirstAndLastCount) {
    int starts = 0, stops = 0;
    fw::TUnit u("U", [&] { ++starts; }, [&] { ++stops; });
    u.Initialize();
    u.Initialize();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(u.Counter(), 2);
    u.Finalize();
    EXPECT_EQ(stops, 0);
    u.Finalize();
    u.Finalize();  // one more than initialised: nothing
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(u.Counter(), 0);
}

TEST(Units, ProgramFinalisesAfterTheTeardownInReverseOrder) {
    std::vector<std::string> log;
    fw::TUnit a("A", [&] { log.push_back("init A"); }, [&] { log.push_back("fini A"); });
    fw::TUnit b("B", [&] { log.push_back("init B"); }, [&] { log.push_back("fini B"); });
    fw::TUnitSequence seq({&a, &b});
    seq.InitializeAll();
    fw::AddExitProc([&] { log.push_back("teardown"); });
    fw::RunExitProcs();
    seq.FinalizeAll();
    std::vector<std::string> expected = {"init A", "init B", "teardown", "fini B", "fini A"};
    EXPECT_EQ(log, expected);
}

TEST(ExceptionBox, FullStopIsAddedUnlessTheLastCharacterSortsAtOrBelowIt) {
    using fw::TApplication;
    EXPECT_EQ(TApplication::ExceptionBoxText("Unable to write to C:\\x\\UserInfo.ini"),
              "Unable to write to C:\\x\\UserInfo.ini.");
    EXPECT_EQ(TApplication::ExceptionBoxText("Connect timed out."), "Connect timed out.");
    EXPECT_EQ(TApplication::ExceptionBoxText("List index out of bounds (0)"), "List index out of bounds (0)");
    EXPECT_EQ(TApplication::ExceptionBoxText("Failed to set data for 'x'"), "Failed to set data for 'x'");
    EXPECT_EQ(TApplication::ExceptionBoxText("ends in a line break\r\n"), "ends in a line break\r\n");
    EXPECT_EQ(TApplication::ExceptionBoxText("a-"), "a-");
    EXPECT_EQ(TApplication::ExceptionBoxText("a/"), "a/.");
    EXPECT_EQ(TApplication::ExceptionBoxText(""), "");
    EXPECT_EQ(TApplication::ExceptionBoxText("\xC4\xE3"), "\xC4\xE3.");  // a double-byte last character
}
