// The component base under test components of our own (OrvProbe.dll, on the same runtime as
// the update module), with a recording factory (OrvRecordingFactory.dll) as the outside world.
#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "platform/debug_capture.h"
#include "tests/modules/probe_interfaces.h"
#include "tests/support/loaded_module.h"

namespace orv::testing {
namespace {

class ComponentBase : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(probes.loaded());
    ASSERT_TRUE(factory_module.loaded());
    recording = factory_module.Find<RecordingFactoryFn>("RecordingFactory")();
    recording->calls.clear();
    recording->create = nullptr;
    recording->release_component_result = 0;
    probes.SetFactoryHandle(factory_module.handle());
  }

  IProbe* NewProbe(ProbeJournal* journal) {
    auto* probe = static_cast<IProbe*>(probes.CreateComponent(kProbeId, 0));
    if (probe != nullptr) probe->Init(journal);
    return probe;
  }

  platform::DebugCapture debug;
  LoadedModule factory_module{"OrvRecordingFactory.dll"};
  LoadedModule probes{"OrvProbe.dll"};
  FactoryRecording* recording = nullptr;
};

TEST_F(ComponentBase, ReleaseInsideAHandlerClosesAtOnceAndDestroysOnReturn) {
  ProbeJournal journal;
  IProbe* probe = NewProbe(&journal);
  ASSERT_NE(nullptr, probe);

  struct Seen {
    ProbeJournal* journal;
    int closes_after_release = -1;
    int destructions_after_release = -1;
    int can_unload_inside = -1;
    OrvexDllCanUnloadNowFn can_unload;
  } seen{&journal, -1, -1, -1, probes.OrvexDllCanUnloadNow};

  probe->Run(
      [](IProbe* self, void* context) {
        auto* s = static_cast<Seen*>(context);
        self->Release(0);
        self->Release(0);  // a second release while deferred changes nothing
        s->closes_after_release = s->journal->closes;
        s->destructions_after_release = s->journal->destructions;
        s->can_unload_inside = s->can_unload();
      },
      &seen);

  EXPECT_EQ(1, seen.closes_after_release);
  EXPECT_EQ(0, seen.destructions_after_release);
  EXPECT_EQ(0, seen.can_unload_inside);
  EXPECT_EQ(1, journal.closes);
  EXPECT_EQ(1, journal.destructions);
  EXPECT_EQ(1, probes.OrvexDllCanUnloadNow());
  EXPECT_EQ(std::vector<std::string>({"CreateComponent(361)", "CreateById(361,)", "SetFreeInMap(1)",
                                      "NotifyModuleEmpty"}),
            recording->calls);
  EXPECT_EQ(probes.handle(), recording->last_notified_module);
}

TEST_F(ComponentBase, NestedCallsDestroyOnlyWhenTheOutermostReturns) {
  ProbeJournal journal;
  IProbe* probe = NewProbe(&journal);
  ASSERT_NE(nullptr, probe);

  probe->Run(
      [](IProbe* self, void* context) {
        auto* journal = static_cast<ProbeJournal*>(context);
        self->Run([](IProbe* inner, void*) { inner->Release(0); }, nullptr);
        EXPECT_EQ(2, journal->call_depth_seen);
        EXPECT_EQ(1, journal->closes);
        EXPECT_EQ(0, journal->destructions);
        // A call after Close is a caller error: reported, then served under its guard.
        self->Run(nullptr, nullptr);
        EXPECT_EQ(0, journal->destructions);
      },
      &journal);
  EXPECT_EQ(1, journal.closes);
  EXPECT_EQ(1, journal.destructions);
  EXPECT_EQ(1, probes.OrvexDllCanUnloadNow());
  EXPECT_NE(std::string::npos, debug.Take().find("Orvex[Assert]: alive_ == 1"));
}

TEST_F(ComponentBase, ReleaseOutsideAnyCallDestroysImmediately) {
  ProbeJournal journal;
  IProbe* probe = NewProbe(&journal);
  ASSERT_NE(nullptr, probe);
  probe->Release(0);
  EXPECT_EQ(1, journal.closes);
  EXPECT_EQ(1, journal.destructions);

  // Released again from inside its own Close: Close runs once, destruction waits for it.
  ProbeJournal again;
  again.release_in_close = true;
  IProbe* second = NewProbe(&again);
  ASSERT_NE(nullptr, second);
  second->Release(0);
  EXPECT_EQ(1, again.closes);
  EXPECT_EQ(1, again.destructions);
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
  IProbe* probe = NewProbe(nullptr);
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

  calls.clear();
  listeners[0].victim = nullptr;
  probe->NotifyAll();
  EXPECT_EQ(std::vector<Listener*>({&listeners[0], &listeners[1]}), calls);

  // A listener reached before its remover is still called in that pass.
  calls.clear();
  source->Advise(static_cast<IProbeListener*>(&listeners[2]), 0);
  listeners[2].victim = &listeners[0];
  probe->NotifyAll();
  EXPECT_EQ(std::vector<Listener*>({&listeners[0], &listeners[1], &listeners[2]}), calls);
  probe->Release(0);
}

TEST_F(ComponentBase, ChildrenComeFromTheFactoryAndGoBackByRelease) {
  IProbe* probe = NewProbe(nullptr);
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
  EXPECT_EQ(0, child->GetFreeInMap());  // a releasing pointer marks what it obtains
  EXPECT_EQ(std::vector<std::string>({"CreateComponent(361)", "CreateById(7001,D:\\cfg\\Orvex.ini)"}),
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
  EXPECT_EQ(kProbeId, ids[0]);
  EXPECT_EQ(kNullProbeId, ids[1]);
  EXPECT_EQ(kProbeId, ids[2]);  // duplicates are kept; lookups take the first
  EXPECT_EQ(kFillerFirstId, ids[3]);
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
                        "Orvex[Error]: ComponentID=8509 CreatorID=0"));
  EXPECT_NE(std::string::npos,
            output.find("Orvex[Error]:CreateComponent method return NULL.\n"
                        "Orvex[Error]: ComponentID=7003 CreatorID=12"));
}

TEST_F(ComponentBase, RemovingAnUnknownComponentIsReportedAndStillNotifies) {
  IProbe* listed = NewProbe(nullptr);
  ASSERT_NE(nullptr, listed);
  IComponent* unlisted = listed->CreateUnlisted();  // made without the export: not in the map
  ASSERT_NE(nullptr, unlisted);
  listed->Release(0);
  recording->calls.clear();
  debug.Take();

  std::ostringstream expected;
  expected << "Orvex[Error]: To remove a component not exist\n"
           << "Orvex[Error]: IComponent* = 0x" << std::uppercase << std::hex << std::setfill('0')
           << std::setw(2 * sizeof(void*)) << reinterpret_cast<std::uintptr_t>(unlisted) << "\n";
  unlisted->Release(0);
  EXPECT_EQ(expected.str(), debug.Take());
  EXPECT_EQ(std::vector<std::string>({"CreateComponent(361)", "CreateById(361,)", "SetFreeInMap(1)",
                                      "NotifyModuleEmpty"}),
            recording->calls);
}

}  // namespace
}  // namespace orv::testing
