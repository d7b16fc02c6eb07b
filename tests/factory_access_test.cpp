// Reaching the framework: a host loads the testbed's OrvFact.dll as Orvex.ini says and gets
// the update window through the factory; modules find the factory by configuration, by the
// handle they are given, or not at all, each with its exact messages.
#include <gtest/gtest.h>

#include <string>

#include "framework/bounded_string.h"
#include "framework/component_paths.h"
#include "framework/interfaces/component_factory.h"
#include "tests/support/harness.h"

namespace orv::testing {
namespace {

// The journal's lines that name outside components: what was created, loaded, released and
// told, in order (the factory lookups and log configuration between them left out).
std::string OutsideCalls(const std::string& journal) {
  std::string kept;
  for (size_t at = 0, end; at < journal.size(); at = end + 1) {
    end = journal.find('\n', at);
    const std::string line = journal.substr(at, end - at + 1);
    if (line.rfind("CreateComponent(361", 0) != 0 && line.rfind("GetLogConfig", 0) != 0)
      kept += line;
  }
  return kept;
}

TEST(FactoryAccess, HostGetsTheWindowThroughTheFactoryAndTheModuleReportsEmpty) {
  platform::DebugCapture debug;
  TempFolder folder;
  folder.Write("Orvex.ini", "[1374]\nDLL=" + BesideExecutable("OrvUpdateUI.dll") + "\n");
  const std::string ini = folder.PathOf("Orvex.ini");
  TestbedSession fact;
  ASSERT_TRUE(fact.ready());
  fact.Configure(ini);
  IComponent* window = fact.factory()->CreateById(kUpdateLogicId, ini.c_str());
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(1374u, window->GetComponentID());
  debug.Take();  // the window's configuration lines
  EXPECT_EQ(1, fact.factory()->ReleaseComponent(window));

  // The window's proxy dialog holds a UI engine and the two test connections, released in the
  // reverse order. The factory told the module its registry string and its own handle, so the
  // module's notification reaches it without reading any configuration.
  const std::string dll = BesideExecutable("OrvUpdateUI.dll");
  EXPECT_EQ("CreateById(1374," + ini + ")\nLoadModule(" + dll +
                ")\nCreateById(186,<null>)\nCreateById(56,<null>)\nCreateById(55,<null>)"
                "\nReleaseComponent(1374)\nReleaseComponent(55)\nReleaseComponent(56)"
                "\nReleaseComponent(186)\nCreateById(361," +
                ini + ")\nNotifyModuleEmpty(OrvUpdateUI.dll)\n",
            OutsideCalls(fact.Journal()));
  EXPECT_EQ("", debug.Take());
}

using ProbeWithFactory = ProbeTest;

TEST_F(ProbeWithFactory, TheConfiguredFactoryGetsTheRegistryStringEverywhere) {
  folder.Write("Orvex.ini", "[361]\nDLL=" + BesideExecutable("OrvRecordingFactory.dll") + "\n");
  const std::string ini = folder.PathOf("Orvex.ini");
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
  probes.SetFactoryHandle(recorder.handle());
  static LoadedModule* creator;
  static ProbeJournal journal;
  creator = &probes;
  journal = ProbeJournal();
  recording->create = [](ComponentId, const char*) {
    auto* made = static_cast<IProbe*>(creator->CreateComponent(kProbeId, 0));
    made->Init(&journal);
    return static_cast<IComponent*>(made);
  };
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  recording->release_component_result = 1;  // the factory released it: the pointer does not
  IComponent* kept = probe->ObtainAndDrop(kUpdateEngineId, "", 0);
  EXPECT_EQ("ReleaseComponent", recording->calls.back());
  EXPECT_EQ(0, journal.closes);
  kept->Release(0);
  recording->release_component_result = 0;  // the factory declined: the pointer releases it, once
  probe->ObtainAndDrop(kUpdateEngineId, "", 0);
  EXPECT_EQ("ReleaseComponent", recording->calls.back());
  EXPECT_EQ(2, journal.destructions);
  // Detached: neither the factory nor the component hears of it.
  recording->calls.clear();
  IComponent* detached = probe->ObtainAndDrop(kUpdateEngineId, "", 1);
  EXPECT_EQ(std::vector<std::string>({"CreateComponent(361)", "CreateById(1014,)"}),
            recording->calls);
  EXPECT_EQ(2, journal.closes);
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
  EXPECT_EQ(
      "[Orvex_Error] Can't find CreateComponent().\n"
      "[Orvex_Error] Create ComponentFactory in OrvFact.dll Fail\n",
      fails_with(BesideExecutable("OrvNoExports.dll")));
  EXPECT_EQ(
      "[Orvex_Error] CreateComponent(ComponentId=361) return null.\n"
      "[Orvex_Error] Create ComponentFactory in OrvFact.dll Fail\n",
      fails_with(BesideExecutable("OrvNullFactory.dll")));
  // The error output keeps its bound: 1022 characters, 1023 on the loaded-first route.
  const std::string text(1100, 'e');
  probe->PrintError(0, text.c_str());
  EXPECT_EQ(text.substr(0, 1022), debug.Take());
  probe->PrintError(1, text.c_str());
  EXPECT_EQ(text.substr(0, 1023), debug.Take());
  probes.SetDLLRegistry(nullptr);
  probe->Release(0);
}

TEST_F(ProbeWithFactory, LoadedFirstRouteTakesTheLoadedFactoryOverTheGivenHandle) {
  TestbedSession fact;
  probes.SetFactoryHandle(recorder.handle());
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  fact.ClearJournal();
  recording->calls.clear();
  EXPECT_NE(nullptr, probe->ObtainMessageBoxAndDrop());
  EXPECT_EQ("CreateComponent(361,0)\nCreateById(1378,<null>)\nReleaseComponent(1378)\n",
            fact.Journal());
  EXPECT_TRUE(recording->calls.empty());
  probe->Release(0);
}

TEST_F(ProbeWithFactory, LoggerRouteReportsABrokenFactoryDll) {
  for (const auto& [dll, message] :
       {std::pair<const char*, const char*>{
            "broken\\OrvFact.dll",
            "Can't find CreateComponent() in OrvFact.dll or OrvFact.dll is missed\n"},
        {"nullfactory\\OrvFact.dll", "Invoke CreateComponent() in OrvFact.dll return null.\n"}}) {
    LoadedModule factory(BesideExecutable(dll));
    ASSERT_TRUE(factory.loaded());
    IProbe* probe = NewProbe();
    EXPECT_EQ(message, debug.Take());
    probe->Release(0);
    debug.Take();  // the empty-module notification finds no factory either
  }
}

// Without a registry value the root is the executable's folder: the update window's layout
// tests load from there.
TEST_F(ProbeWithFactory, RootPathComesFromTheRegistryComponentOnce) {
  TestbedSession fact;
  folder.Write("Orvex.ini", "[Registry]\norvex_rootpath_data=framework\\root\n");
  probes.SetFactoryHandle(fact.handle());
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
  EXPECT_EQ("CreateById(991," + folder.PathOf("Orvex.ini") +
                ")\n"
                "Registry.OpenKey(1073741812,orvex_rootpath,1,1073741812)\n"
                "Registry.QueryValue(1,orvex_rootpath_data)\n"
                "ReleaseComponent(991)\n",
            OutsideCalls(fact.Journal()));
  probe->Release(0);
}

}  // namespace
}  // namespace orv::testing
