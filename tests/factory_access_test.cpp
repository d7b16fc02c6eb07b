// Reaching the framework: a host loads the testbed's OrvFact.dll as Orvex.ini says and gets
// the update window through the factory; modules find the factory by configuration, by the
// handle they are given, or not at all, each with its exact messages.
#include <gtest/gtest.h>

#include <string>

#include "framework/bounded_string.h"
#include "framework/interfaces/component_factory.h"
#include "framework/component_paths.h"
#include "platform/debug_capture.h"
#include "tests/modules/probe_interfaces.h"
#include "tests/support/loaded_module.h"
#include "tests/support/temp_folder.h"

namespace orv::testing {
namespace {

class TestbedFactoryModule {
 public:
  TestbedFactoryModule() : module("OrvFact.dll") {
    configure = module.Find<OrvFactConfigureFn>("OrvFactConfigure");
    journal = module.Find<OrvFactJournalFn>("OrvFactJournal");
    clear = module.Find<OrvFactClearJournalFn>("OrvFactClearJournal");
    unload_modules = module.Find<OrvFactUnloadModulesFn>("OrvFactUnloadModules");
  }
  ~TestbedFactoryModule() {
    if (unload_modules) unload_modules();
  }
  IComponentFactory* factory() {
    return static_cast<IComponentFactory*>(module.CreateComponent(kComponentFactoryId, 0));
  }

  LoadedModule module;
  OrvFactConfigureFn configure = nullptr;
  OrvFactJournalFn journal = nullptr;
  OrvFactClearJournalFn clear = nullptr;
  OrvFactUnloadModulesFn unload_modules = nullptr;
};

TEST(FactoryAccess, HostGetsTheWindowThroughTheFactoryAndTheModuleReportsEmpty) {
  platform::DebugCapture debug;
  TempFolder folder;
  folder.Write("Orvex.ini", "[361]\nDLL=" + BesideExecutable("OrvFact.dll") + "\n[1374]\nDLL=" +
                                BesideExecutable("OrvUpdateUI.dll") + "\n");
  const std::string ini = folder.PathOf("Orvex.ini");

  char located[kPathSize] = {};
  LocateIni(ini.c_str(), located, sizeof located);
  char dll[kPathSize] = {};
  FactoryDllPath(located, dll, sizeof dll);
  ASSERT_EQ(BesideExecutable("OrvFact.dll"), dll);

  TestbedFactoryModule fact;
  ASSERT_TRUE(fact.module.loaded());
  fact.configure(ini.c_str());
  IComponentFactory* factory = fact.factory();
  ASSERT_NE(nullptr, factory);
  IComponent* window = factory->CreateById(kUpdateLogicId, ini.c_str());
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(1374u, window->GetComponentID());
  debug.Take();  // the window's configuration lines
  EXPECT_EQ(1, factory->ReleaseComponent(window));

  // The factory told the module its registry string and its own handle, so the module's
  // notification reaches it without reading any configuration.
  EXPECT_EQ("CreateComponent(361,0)\n"
            "CreateById(1374," + ini + ")\n"
            "LoadModule(" + BesideExecutable("OrvUpdateUI.dll") + ")\n"
            "CreateComponent(361,0)\n"  // the window's logger
            "GetLogConfig(,1374)\n"
            "CreateComponent(361,0)\n"  // its proxy dialog: logger, UI engine, test connections
            "GetLogConfig(,1)\n"
            "CreateComponent(361,0)\n"
            "CreateById(186,<null>)\n"
            "CreateComponent(361,0)\n"
            "CreateById(56,<null>)\n"
            "CreateComponent(361,0)\n"
            "CreateById(55,<null>)\n"
            "ReleaseComponent(1374)\n"
            "ReleaseComponent(55)\n"  // released in the reverse order
            "ReleaseComponent(56)\n"
            "ReleaseComponent(186)\n"
            "CreateComponent(361,0)\n"
            "CreateById(361," + ini + ")\n"
            "NotifyModuleEmpty(OrvUpdateUI.dll)\n",
            std::string(fact.journal()));
  EXPECT_EQ("", debug.Take());
}

class ProbeWithFactory : public ::testing::Test {
 protected:
  // The recording factory may outlive a test (a module that loaded it by configuration keeps
  // it): nothing of one test's setup may reach the next.
  void SetUp() override { ResetRecording(); }
  void TearDown() override { ResetRecording(); }
  void ResetRecording() {
    FactoryRecording* recording = recorder.Find<RecordingFactoryFn>("RecordingFactory")();
    recording->calls.clear();
    recording->create = nullptr;
    recording->release_component_result = 0;
  }

  IProbe* NewProbe() { return static_cast<IProbe*>(probes.CreateComponent(kProbeId, 0)); }

  platform::DebugCapture debug;
  TempFolder folder;
  LoadedModule recorder{"OrvRecordingFactory.dll"};
  LoadedModule probes{"OrvProbe.dll"};
};

TEST_F(ProbeWithFactory, TheConfiguredFactoryGetsTheRegistryStringEverywhere) {
  folder.Write("Orvex.ini", "[361]\nDLL=" + BesideExecutable("OrvRecordingFactory.dll") + "\n");
  const std::string ini = folder.PathOf("Orvex.ini");
  FactoryRecording* recording = recorder.Find<RecordingFactoryFn>("RecordingFactory")();
  recording->calls.clear();
  probes.SetDLLRegistry(ini.c_str());

  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  EXPECT_EQ(nullptr, probe->ObtainAndDrop(kUpdateEngineId, "", 0));
  EXPECT_EQ(nullptr, probe->ObtainAndDrop(0, nullptr, 0));
  EXPECT_EQ(std::vector<std::string>({"CreateComponent(361)", "CreateById(1014," + ini + ")",
                                      "CreateComponent(361)", "CreateById(0," + ini + ")"}),
            recording->calls);
  EXPECT_EQ("[Orvex_Error] TOrvexPtr with ComponentId = 0\n", debug.Take());
  probe->Release(0);
}

TEST_F(ProbeWithFactory, ReleasingPointerAsksTheFactoryFirst) {
  FactoryRecording* recording = recorder.Find<RecordingFactoryFn>("RecordingFactory")();
  probes.SetFactoryHandle(recorder.handle());
  static LoadedModule* creator;
  creator = &probes;
  recording->create = [](ComponentId id, const char*) {
    return creator->CreateComponent(id == kUpdateEngineId ? kProbeId : id, 0);
  };

  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  ProbeJournal journal;

  // The factory released it (answer 1): the pointer does not release it again.
  recording->release_component_result = 1;
  auto* kept = static_cast<IProbe*>(probe->ObtainAndDrop(kUpdateEngineId, "", 0));
  ASSERT_NE(nullptr, kept);
  kept->Init(&journal);
  EXPECT_EQ(0, journal.closes);
  EXPECT_EQ("ReleaseComponent", recording->calls.back());
  kept->Release(0);
  EXPECT_EQ(1, journal.destructions);

  // The factory declined (answer 0): the pointer releases it itself, once.
  recording->release_component_result = 0;
  recording->create = [](ComponentId, const char*) -> IComponent* {
    auto* made = static_cast<IProbe*>(creator->CreateComponent(kProbeId, 0));
    static ProbeJournal second;
    made->Init(&second);
    return made;
  };
  probe->ObtainAndDrop(kUpdateEngineId, "", 0);
  EXPECT_EQ(std::string("ReleaseComponent"), recording->calls.back());

  // Detached: neither the factory nor the component hears of it.
  recording->calls.clear();
  auto* detached = static_cast<IProbe*>(probe->ObtainAndDrop(kUpdateEngineId, "", 1));
  ASSERT_NE(nullptr, detached);
  EXPECT_EQ(std::vector<std::string>({"CreateComponent(361)", "CreateById(1014,)"}),
            recording->calls);
  EXPECT_EQ(0, detached->GetFreeInMap());
  detached->Release(0);
  probe->Release(0);
}

TEST_F(ProbeWithFactory, EachWayOfFailingHasItsMessage) {
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  debug.Take();

  const auto fails_with = [&](const std::string& dll) {
    folder.Write("Orvex.ini", "[361]\nDLL=" + dll + "\n");
    probes.SetDLLRegistry(folder.PathOf("Orvex.ini").c_str());
    EXPECT_EQ(nullptr, probe->ObtainAndDrop(kUpdateEngineId, nullptr, 0));
    return debug.Take();
  };
  EXPECT_EQ("[Orvex_Error] Load OrvFact.dll Fail.\n", fails_with(folder.PathOf("absent.dll")));
  EXPECT_EQ("[Orvex_Error] Can't find CreateComponent().\n"
            "[Orvex_Error] Create ComponentFactory in OrvFact.dll Fail\n",
            fails_with(BesideExecutable("OrvNoExports.dll")));
  EXPECT_EQ("[Orvex_Error] CreateComponent(ComponentId=361) return null.\n"
            "[Orvex_Error] Create ComponentFactory in OrvFact.dll Fail\n",
            fails_with(BesideExecutable("OrvNullFactory.dll")));
  probes.SetDLLRegistry(nullptr);
  probe->Release(0);
}

TEST_F(ProbeWithFactory, LoadedFirstRouteTakesTheLoadedFactoryOverTheGivenHandle) {
  TestbedFactoryModule fact;
  FactoryRecording* recording = recorder.Find<RecordingFactoryFn>("RecordingFactory")();
  probes.SetFactoryHandle(recorder.handle());
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  fact.clear();
  recording->calls.clear();

  EXPECT_NE(nullptr, probe->ObtainMessageBoxAndDrop());
  EXPECT_EQ("CreateComponent(361,0)\nCreateById(1378,<null>)\nReleaseComponent(1378)\n",
            std::string(fact.journal()));
  EXPECT_TRUE(recording->calls.empty());
  probe->Release(0);
}

TEST_F(ProbeWithFactory, ErrorOutputKeepsItsBounds) {
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  debug.Take();
  const std::string text(1100, 'e');
  probe->PrintError(0, text.c_str());
  EXPECT_EQ(text.substr(0, 1022), debug.Take());
  probe->PrintError(1, text.c_str());
  EXPECT_EQ(text.substr(0, 1023), debug.Take());
  probe->Release(0);
}

TEST_F(ProbeWithFactory, LoggerRouteReportsABrokenFactoryDll) {
  {
    LoadedModule broken(BesideExecutable("broken\\OrvFact.dll"));
    ASSERT_TRUE(broken.loaded());
    IProbe* probe = NewProbe();
    EXPECT_EQ("Can't find CreateComponent() in OrvFact.dll or OrvFact.dll is missed\n",
              debug.Take());
    probe->Release(0);
    debug.Take();  // the empty-module notification finds no factory either
  }
  {
    LoadedModule null_factory(BesideExecutable("nullfactory\\OrvFact.dll"));
    ASSERT_TRUE(null_factory.loaded());
    IProbe* probe = NewProbe();
    EXPECT_EQ("Invoke CreateComponent() in OrvFact.dll return null.\n", debug.Take());
    probe->Release(0);
  }
}

TEST_F(ProbeWithFactory, RootPathComesFromTheRegistryComponentOnce) {
  TestbedFactoryModule fact;
  folder.Write("Orvex.ini", "[Registry]\norvex_rootpath_data=framework\\root\n");
  probes.SetFactoryHandle(fact.module.handle());
  probes.SetDLLRegistry(folder.PathOf("Orvex.ini").c_str());

  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  EXPECT_EQ(folder.PathOf("framework\\root"), probe->RootPath());
  char out[kPathSize] = {};
  EXPECT_EQ(1, probe->MakeRootPathOf("ui\\LayOut\\x.tpf", out, sizeof out));
  EXPECT_EQ(folder.PathOf("framework\\root\\ui\\LayOut\\x.tpf"), out);
  EXPECT_EQ(1, probe->MakeRootPathOf("D:\\abs.tpf", out, sizeof out));
  EXPECT_STREQ("D:\\abs.tpf", out);
  EXPECT_EQ(0, probe->MakeRootPathOf("D:\\abs.tpf", out, 10));
  EXPECT_EQ(0, probe->MakeRootPathOf(nullptr, out, sizeof out));
  EXPECT_EQ(1, probe->MakeRootPathOf("x", out, 8));  // cut at the end of the buffer
  EXPECT_EQ(7u, std::string(out).size());
  EXPECT_EQ("CreateComponent(361,0)\n"  // the probe's logger, at construction
            "GetLogConfig(,7001)\n"
            "CreateComponent(361,0)\n"
            "CreateById(991," + folder.PathOf("Orvex.ini") + ")\n"
            "Registry.OpenKey(1073741812,orvex_rootpath,1,1073741812)\n"
            "Registry.QueryValue(1,orvex_rootpath_data)\n"
            "ReleaseComponent(991)\n",
            std::string(fact.journal()));
  probe->Release(0);
}

TEST_F(ProbeWithFactory, RootPathFallsBackToTheExecutableFolderAndStays) {
  TestbedFactoryModule fact;
  folder.Write("Orvex.ini", "[Other]\nx=1\n");
  probes.SetFactoryHandle(fact.module.handle());
  probes.SetDLLRegistry(folder.PathOf("Orvex.ini").c_str());
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  EXPECT_EQ(std::string(ExecutableDirectory()), probe->RootPath());

  // The registry component answering later changes nothing: the root is kept.
  folder.Write("Orvex.ini", "[Registry]\norvex_rootpath_data=D:\\later\n");
  fact.clear();
  EXPECT_EQ(std::string(ExecutableDirectory()), probe->RootPath());
  EXPECT_EQ("", std::string(fact.journal()));
  probe->Release(0);
}

}  // namespace
}  // namespace orv::testing
