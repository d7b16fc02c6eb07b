// The module's outer shell as a host sees it: OrvUpdateUI.dll loaded by file name, driven
// only through its seven exports and the interfaces of the components it returns.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>

#include "framework/interfaces/component_interfaces.h"
#include "platform/debug_capture.h"
#include "platform/file_version.h"
#include "tests/modules/probe_interfaces.h"
#include "tests/support/loaded_module.h"
#include "framework/interfaces/update_logic_interface.h"

namespace orv::testing {
namespace {

std::string LeakLine(IComponent* component, unsigned creator_id) {
  char line[160];
  std::snprintf(line, sizeof line,
                "Orvex[Error]:ComponentID:0x%08x CreatorID:0x%08x Pointer:0x%08" PRIxPTR "\n",
                1374u, creator_id, reinterpret_cast<std::uintptr_t>(component));
  return line;
}

const char kSeparator[] =
    "Orvex[Error]:=================================================================\n";

class UpdateModule : public ::testing::Test {
 protected:
  platform::DebugCapture debug;
  LoadedModule module{"OrvUpdateUI.dll"};
};

TEST_F(UpdateModule, ListsItsOneComponentWhateverTheCapacity) {
  ASSERT_TRUE(module.loaded());
  EXPECT_EQ(1u, module.GetComponentIDs(nullptr, 0));
  std::uint32_t ids[5] = {0, 0, 0, 0, 0};
  EXPECT_EQ(1u, module.GetComponentIDs(ids, 0));
  EXPECT_EQ(0u, ids[0]);
  EXPECT_EQ(1u, module.GetComponentIDs(ids, 5));
  EXPECT_EQ(1374u, ids[0]);
  EXPECT_EQ(0u, ids[1]);
}

TEST_F(UpdateModule, CreatesIndependentComponentsAndUnloadsWhenAllAreReleased) {
  IComponent* first = module.CreateComponent(1374, 7);
  IComponent* second = module.CreateComponent(1374, 7);
  ASSERT_NE(nullptr, first);
  ASSERT_NE(nullptr, second);
  EXPECT_NE(first, second);
  debug.Take();  // the first window prepared the configuration path
  EXPECT_EQ(1374u, first->GetComponentID());
  EXPECT_EQ(1, first->IsAlive());
  EXPECT_EQ(0, module.OrvexDllCanUnloadNow());

  first->Release(0);
  EXPECT_EQ(0, module.OrvexDllCanUnloadNow());
  second->Release(0);
  EXPECT_EQ(1, module.OrvexDllCanUnloadNow());
  // With no factory reachable the empty-module notification is reported and skipped.
  EXPECT_EQ("[Orvex_Error] Load OrvFact.dll Fail.\n", debug.Take());
}

TEST_F(UpdateModule, ReportsUnknownIdsByteForByte) {
  EXPECT_EQ(nullptr, module.CreateComponent(99, 0));
  EXPECT_EQ(
      "Orvex[Error]: Can't find the factory method of Component\n"
      "Orvex[Error]: ComponentID=99 CreatorID=0",
      debug.Take());
  EXPECT_EQ(nullptr, module.CreateComponent(0xFFFFFFFFu, 4000000000u));
  EXPECT_EQ(
      "Orvex[Error]: Can't find the factory method of Component\n"
      "Orvex[Error]: ComponentID=-1 CreatorID=4000000000",
      debug.Take());
  EXPECT_EQ(1, module.OrvexDllCanUnloadNow());
}

TEST_F(UpdateModule, StoresTheRegistryStringOnlyWhenItFits) {
  auto* component = static_cast<IUpdateLogic*>(module.CreateComponent(1374, 0));
  ASSERT_NE(nullptr, component);
  char out[300];

  const std::string fits(259, 'r');
  EXPECT_EQ(0, module.SetDLLRegistry(fits.c_str()));
  component->GetRegistryPath("", out, sizeof out);
  EXPECT_EQ(fits, out);

  // A string that does not fit the caller's buffer leaves the buffer as it was.
  std::snprintf(out, sizeof out, "before");
  component->GetRegistryPath(nullptr, out, 259);
  EXPECT_STREQ("before", out);
  component->GetRegistryPath("cfg\\my.ini", out, sizeof out);
  EXPECT_STREQ("cfg\\my.ini", out);
  component->GetRegistryPath("cfg\\my.ini", nullptr, 260);

  const std::string too_long(260, 'r');
  EXPECT_EQ(0, module.SetDLLRegistry(too_long.c_str()));
  component->GetRegistryPath(nullptr, out, sizeof out);
  EXPECT_STREQ("", out);

  EXPECT_EQ(0, module.SetDLLRegistry("D:\\my.ini"));
  EXPECT_EQ(0, module.SetDLLRegistry(nullptr));
  component->GetRegistryPath("", out, sizeof out);
  EXPECT_STREQ("", out);

  component->Release(0);
}

TEST_F(UpdateModule, UnsafeModuleNeverDestroysOrForgets) {
  IComponent* component = module.CreateComponent(1374, 3);
  ASSERT_NE(nullptr, component);
  module.OrvexSetDllSafe(0);
  component->Release(0);
  EXPECT_EQ(0, module.OrvexDllCanUnloadNow());
  EXPECT_EQ(1374u, component->GetComponentID());  // still a live object
  module.OrvexSetDllSafe(1);
  component->Release(0);
  EXPECT_EQ(1, module.OrvexDllCanUnloadNow());
}

TEST_F(UpdateModule, FreeMapReleasesOnlyMarkedComponents) {
  IComponent* kept = module.CreateComponent(1374, 1);
  IComponent* marked_a = module.CreateComponent(1374, 2);
  IComponent* marked_b = module.CreateComponent(1374, 3);
  module.OrvexDllFreeMap();
  EXPECT_EQ(0, module.OrvexDllCanUnloadNow());
  EXPECT_EQ(1374u, kept->GetComponentID());

  marked_a->SetFreeInMap(1);
  marked_b->SetFreeInMap(1);
  module.OrvexDllFreeMap();
  EXPECT_EQ(0, module.OrvexDllCanUnloadNow());
  EXPECT_EQ(0, kept->GetFreeInMap());

  kept->SetFreeInMap(1);
  module.OrvexDllFreeMap();
  EXPECT_EQ(1, module.OrvexDllCanUnloadNow());
}

TEST_F(UpdateModule, LeakReportAtUnloadListsEveryLiveComponent) {
  IComponent* first = module.CreateComponent(1374, 7);
  IComponent* second = module.CreateComponent(1374, 0xABCDEF01u);
  IgnoreDeliberateLeak(first);
  IgnoreDeliberateLeak(second);
  debug.Take();
  module.Unload();

  IComponent* lower = first < second ? first : second;
  IComponent* higher = first < second ? second : first;
  const unsigned lower_creator = lower == first ? 7u : 0xABCDEF01u;
  const unsigned higher_creator = lower == first ? 0xABCDEF01u : 7u;
  EXPECT_EQ(std::string(kSeparator) + "Orvex[Error]:Found leak Orvex components. Count:2\n" +
                LeakLine(lower, lower_creator) + LeakLine(higher, higher_creator) + kSeparator,
            debug.Take());
}

TEST_F(UpdateModule, UnloadWithoutLiveComponentsWritesNothing) {
  module.CreateComponent(1374, 1)->Release(0);

  debug.Take();
  module.Unload();
  EXPECT_EQ("", debug.Take());
}

#if defined(_WIN32)
// What installers compare before they replace the DLL: the project's version, in the fixed
// part and in the strings.
TEST(UpdateModuleFile, CarriesAVersionResource) {
  platform::FileVersion version;
  ASSERT_TRUE(platform::ReadFileVersion(BesideExecutable("OrvUpdateUI.dll"), &version));
  EXPECT_EQ(ORV_VERSION_MAJOR, version.major);
  EXPECT_EQ(ORV_VERSION_MINOR, version.minor);
  EXPECT_EQ(ORV_VERSION_PATCH, version.patch);
  EXPECT_EQ(ORV_VERSION, version.file_version);
  EXPECT_EQ("OrvUpdateUI", version.product_name);
}
#endif

}  // namespace
}  // namespace orv::testing
