// The module's outer shell as a host sees it: OrvUpdateUI.dll loaded by file name, driven
// only through its seven exports and the interfaces of the components it returns.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>

#include "framework/interfaces/component_interfaces.h"
#include "framework/interfaces/update_logic_interface.h"
#include "platform/debug_capture.h"
#include "platform/file_version.h"
#include "tests/support/harness.h"

namespace orv::testing {
namespace {

class UpdateModule : public ::testing::Test {
 protected:
  platform::DebugCapture debug;
  LoadedModule module{"OrvUpdateUI.dll"};
};

TEST_F(UpdateModule, ListsItsOneComponentAndReportsUnknownIdsByteForByte) {
  ASSERT_TRUE(module.loaded());
  std::uint32_t ids[2] = {0, 0};
  EXPECT_EQ(1u, module.GetComponentIDs(ids, 2));
  EXPECT_EQ((std::vector<std::uint32_t>{1374, 0}), std::vector<std::uint32_t>(ids, ids + 2));

  EXPECT_EQ(nullptr, module.CreateComponent(99, 0));
  EXPECT_EQ(
      "Orvex[Error]: Can't find the factory method of Component\nOrvex[Error]: ComponentID=99 "
      "CreatorID=0",
      debug.Take());
  EXPECT_EQ(nullptr, module.CreateComponent(0xFFFFFFFFu, 4000000000u));
  EXPECT_EQ(
      "Orvex[Error]: Can't find the factory method of Component\n"
      "Orvex[Error]: ComponentID=-1 CreatorID=4000000000",
      debug.Take());
  EXPECT_EQ(1, module.OrvexDllCanUnloadNow());
  module.Unload();  // nothing left: no leak report
  EXPECT_EQ("", debug.Take());
}

TEST_F(UpdateModule, ComponentsLiveUntilReleasedOrFreedAndNeverWhileUnsafe) {
  IComponent* first = module.CreateComponent(1374, 7);
  IComponent* second = module.CreateComponent(1374, 7);
  ASSERT_TRUE(first != nullptr && second != nullptr && first != second);
  first->Release(0);
  EXPECT_EQ(0, module.OrvexDllCanUnloadNow());

  // Unsafe: a release neither destroys nor forgets.
  module.OrvexSetDllSafe(0);
  second->Release(0);
  EXPECT_EQ(0, module.OrvexDllCanUnloadNow());
  EXPECT_EQ(1374u, second->GetComponentID());  // still a live object
  module.OrvexSetDllSafe(1);

  // FreeMap releases only what is marked.
  module.OrvexDllFreeMap();
  EXPECT_EQ(0, module.OrvexDllCanUnloadNow());
  EXPECT_EQ(0, second->GetFreeInMap());
  IComponent* marked = module.CreateComponent(1374, 2);
  marked->SetFreeInMap(1);
  module.OrvexDllFreeMap();
  EXPECT_EQ(1374u, second->GetComponentID());
  debug.Take();
  second->SetFreeInMap(1);
  module.OrvexDllFreeMap();
  EXPECT_EQ(1, module.OrvexDllCanUnloadNow());
  // With no factory reachable the empty-module notification is reported and skipped.
  EXPECT_EQ("[Orvex_Error] Load OrvFact.dll Fail.\n", debug.Take());
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

  EXPECT_EQ(0, module.SetDLLRegistry(std::string(260, 'r').c_str()));
  component->GetRegistryPath(nullptr, out, sizeof out);
  EXPECT_STREQ("", out);
  EXPECT_EQ(0, module.SetDLLRegistry("D:\\my.ini"));
  EXPECT_EQ(0, module.SetDLLRegistry(nullptr));
  component->GetRegistryPath("", out, sizeof out);
  EXPECT_STREQ("", out);
  component->Release(0);
}

TEST_F(UpdateModule, LeakReportAtUnloadListsEveryLiveComponent) {
  module.CreateComponent(1374, 1)->Release(0);
  IComponent* first = module.CreateComponent(1374, 7);
  IComponent* second = module.CreateComponent(1374, 0xABCDEF01u);
  IgnoreDeliberateLeak(first);
  IgnoreDeliberateLeak(second);
  debug.Take();
  module.Unload();
  const auto line = [](IComponent* component, unsigned creator_id) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "Orvex[Error]:ComponentID:0x%08x CreatorID:0x%08x Pointer:0x%08" PRIxPTR "\n",
                  1374u, creator_id, reinterpret_cast<std::uintptr_t>(component));
    return std::string(text);
  };
  const std::string separator = "Orvex[Error]:" + std::string(65, '=') + "\n";
  EXPECT_EQ(separator + "Orvex[Error]:Found leak Orvex components. Count:2\n" +
                (first < second ? line(first, 7) + line(second, 0xABCDEF01u)
                                : line(second, 0xABCDEF01u) + line(first, 7)) +
                separator,
            debug.Take());
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
