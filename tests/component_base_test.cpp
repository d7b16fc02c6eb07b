// The component base under test components of our own (OrvProbe.dll, on the same runtime as
// the update module), with a recording factory (OrvRecordingFactory.dll) as the outside world.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace orv::testing {
namespace {

using Action = std::function<void(IProbe* self)>;

// How often a probe was closed and destroyed.
std::string Ends(const ProbeJournal& journal) {
  return "closed " + std::to_string(journal.closes) + ", destroyed " +
         std::to_string(journal.destructions);
}

// Runs `action` inside a guarded call of `probe`, as an outside component it calls would.
void RunInside(IProbe* probe, Action action) {
  probe->Run([](IProbe* self, void* context) { (*static_cast<Action*>(context))(self); }, &action);
}

class ComponentBase : public ProbeTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(probes.loaded() && recorder.loaded());
    probes.SetFactoryHandle(recorder.handle());
  }

  const std::vector<std::string> kNotified = {"CreateComponent(361)", "CreateById(361,)",
                                              "SetFreeInMap(1)", "NotifyModuleEmpty"};
};

TEST_F(ComponentBase, ReleaseInsideACallOrCloseClosesOnceAndDestroysWhenTheOutermostReturns) {
  ProbeJournal journal;
  IProbe* probe = NewProbe(&journal);
  ASSERT_NE(nullptr, probe);
  RunInside(probe, [&](IProbe* self) {
    RunInside(self, [&](IProbe* inner) {
      inner->Release(0);
      inner->Release(0);  // a second release while deferred changes nothing
    });
    EXPECT_EQ(2, journal.call_depth_seen);
    EXPECT_EQ("closed 1, destroyed 0", Ends(journal));
    EXPECT_EQ(0, probes.OrvexDllCanUnloadNow());
    // A call after Close is a caller error: reported, then served under its guard.
    self->Run(nullptr, nullptr);
    EXPECT_EQ("closed 1, destroyed 0", Ends(journal));
  });
  EXPECT_EQ("closed 1, destroyed 1", Ends(journal));
  EXPECT_EQ(1, probes.OrvexDllCanUnloadNow());
  EXPECT_NE(std::string::npos, debug.Take().find("Orvex[Assert]: alive_ == 1"));
  EXPECT_EQ(kNotified, recording->calls);
  EXPECT_EQ(probes.handle(), recording->last_notified_module);

  // Released again from inside its own Close (by an outside component it calls there): Close
  // runs once, and the destruction waits for it.
  ProbeJournal again;
  again.release_in_close = true;
  NewProbe(&again)->Release(0);
  EXPECT_EQ("closed 1, destroyed 1", Ends(again));
  EXPECT_EQ(1, probes.OrvexDllCanUnloadNow());
}

struct Listener final : IProbeListener {
  std::vector<Listener*>* calls = nullptr;
  IEventSource* source = nullptr;
  Listener* victim = nullptr;  // unadvised by this listener when it is called
  void Unused0() override {}
  void OnNotify() override {
    calls->push_back(this);
    if (victim != nullptr) source->Unadvise(victim);
  }
};

TEST_F(ComponentBase, ListenersUnadvisedDuringNotificationAreSkipped) {
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  IEventSource* source = EventSourceOf(probe);
  ASSERT_EQ(probe->Events(), source);
  std::vector<Listener*> calls;
  Listener listeners[3];
  for (Listener& l : listeners) {
    l.calls = &calls;
    l.source = source;
    source->Advise(static_cast<IProbeListener*>(&l), 5);
    source->Advise(static_cast<IProbeListener*>(&l), 9);  // replaces, never duplicates
  }
  source->Advise(nullptr, 1);

  // Listeners are called in address order: the first unadvises the last, which is skipped.
  listeners[0].victim = &listeners[2];
  probe->NotifyAll();
  EXPECT_EQ(std::vector<Listener*>({&listeners[0], &listeners[1]}), calls);

  // A listener reached before its remover is still called in that pass.
  calls.clear();
  listeners[0].victim = nullptr;
  source->Advise(static_cast<IProbeListener*>(&listeners[2]), 0);
  listeners[2].victim = &listeners[0];
  probe->NotifyAll();
  EXPECT_EQ(std::vector<Listener*>({&listeners[0], &listeners[1], &listeners[2]}), calls);
  probe->Release(0);
}

TEST_F(ComponentBase, ChildrenComeFromTheFactoryAndGoBackByRelease) {
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  ASSERT_EQ(0, probes.SetDLLRegistry("D:\\cfg\\Orvex.ini"));
  IComponent* child = nullptr;
  EXPECT_EQ(0, probe->CreateChildProbe(nullptr, ""));
  EXPECT_EQ(0, probe->CreateChildProbe(&child, ""));  // the factory answers null
  EXPECT_EQ(nullptr, child);

  static LoadedModule* creator_module;
  creator_module = &probes;
  recording->create = [](ComponentId id, const char*) {
    return creator_module->CreateComponent(id, 0);
  };
  recording->calls.clear();
  EXPECT_EQ(1, probe->CreateChildProbe(&child, nullptr));
  ASSERT_NE(nullptr, child);
  EXPECT_EQ(
      std::vector<std::string>({"CreateComponent(361)", "CreateById(7001,D:\\cfg\\Orvex.ini)"}),
      recording->calls);
  IComponent* slot = child;
  EXPECT_EQ(1, probe->ReleaseChildProbe(&slot));
  EXPECT_EQ(nullptr, slot);
  EXPECT_EQ(0, probe->ReleaseChildProbe(&slot));
  EXPECT_EQ(0, probe->ReleaseChildProbe(nullptr));
  probe->Release(0);
}

TEST_F(ComponentBase, CreatorTableHoldsFiveHundredTwelveFirstComeFirstServed) {
  EXPECT_EQ(kProbeRegisteredCreators, probes.GetComponentIDs(nullptr, 0));
  std::vector<std::uint32_t> ids(600, 0);
  EXPECT_EQ(512u, probes.GetComponentIDs(ids.data(), 600));
  // Duplicates are kept (lookups take the first); id 0 and a null creator are not.
  EXPECT_EQ((std::vector<std::uint32_t>{kProbeId, kNullProbeId, kProbeId, kLockCheckProbeId,
                                        kFactoryIdProbeId, kFillerFirstId}),
            std::vector<std::uint32_t>(ids.begin(), ids.begin() + 6));
  EXPECT_EQ(kProbeRejectedId - 1, ids[511]);
  EXPECT_EQ(0u, ids[512]);

  IComponent* probe = probes.CreateComponent(kProbeId, 0);
  ASSERT_NE(nullptr, probe);
  probe->Release(0);
  debug.Take();
  EXPECT_EQ(nullptr, probes.CreateComponent(kProbeRejectedId, 0));
  EXPECT_EQ(nullptr, probes.CreateComponent(0, 0));
  EXPECT_EQ(nullptr, probes.CreateComponent(7004, 0));
  EXPECT_EQ(nullptr, probes.CreateComponent(kNullProbeId, 12));
  const std::string output = debug.Take();
  EXPECT_NE(std::string::npos,
            output.find("Orvex[Error]: Can't find the factory method of Component\n"
                        "Orvex[Error]: ComponentID=" +
                        std::to_string(kProbeRejectedId) + " CreatorID=0"));
  EXPECT_NE(std::string::npos, output.find("Orvex[Error]:CreateComponent method return NULL.\n"
                                           "Orvex[Error]: ComponentID=7003 CreatorID=12"));
}

TEST_F(ComponentBase, TheCreatorRunsOutsideTheModuleLock) {
  IComponent* made = probes.CreateComponent(kLockCheckProbeId, 0);
  ASSERT_NE(nullptr, made) << "another thread could not take the module lock while the creator ran";
  made->Release(0);
}

TEST_F(ComponentBase, AComponentWithTheFactorysIdNeverNotifiesTheFactory) {
  IComponent* factory = probes.CreateComponent(kFactoryIdProbeId, 0);
  ASSERT_NE(nullptr, factory);
  factory->Release(0);
  EXPECT_EQ(1, probes.OrvexDllCanUnloadNow());
  EXPECT_TRUE(recording->calls.empty());
}

TEST_F(ComponentBase, FreeMapLeavesAComponentInACallToThatCall) {
  ProbeJournal journal;
  ProbeJournal other_journal;
  IProbe* probe = NewProbe(&journal);
  IProbe* other = NewProbe(&other_journal);
  ASSERT_TRUE(probe != nullptr && other != nullptr);
  other->SetFreeInMap(1);
  RunInside(probe, [&](IProbe* self) {
    self->SetFreeInMap(1);
    probes.OrvexDllFreeMap();  // ends although this probe stays in the map for now
    EXPECT_EQ("closed 1, destroyed 0", Ends(journal));
    EXPECT_EQ("closed 1, destroyed 1", Ends(other_journal));
    EXPECT_EQ(0, probes.OrvexDllCanUnloadNow());
  });
  EXPECT_EQ("closed 1, destroyed 1", Ends(journal));
  EXPECT_EQ(1, probes.OrvexDllCanUnloadNow());
  EXPECT_EQ(std::string::npos, debug.Take().find("not exist"));
  EXPECT_EQ(kNotified, recording->calls);
}

TEST_F(ComponentBase, RemovingAnUnknownComponentIsReportedAndStillNotifies) {
  IProbe* listed = NewProbe();
  ASSERT_NE(nullptr, listed);
  IComponent* unlisted = listed->CreateUnlisted();  // made without the export: not in the map
  ASSERT_NE(nullptr, unlisted);
  listed->Release(0);
  recording->calls.clear();
  debug.Take();
  char expected[128];
  std::snprintf(
      expected, sizeof expected,
      "Orvex[Error]: To remove a component not exist\nOrvex[Error]: IComponent* = 0x%0*" PRIXPTR
      "\n",
      static_cast<int>(2 * sizeof(void*)), reinterpret_cast<std::uintptr_t>(unlisted));
  unlisted->Release(0);
  EXPECT_EQ(expected, debug.Take());
  EXPECT_EQ(kNotified, recording->calls);
}

}  // namespace
}  // namespace orv::testing
