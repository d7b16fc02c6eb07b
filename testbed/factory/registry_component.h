// The framework's registry component (991) as the testbed plays it: it knows one key,
// "orvex_rootpath", whose "orvex_rootpath_data" value is the framework root from the
// factory's configuration ([Registry] orvex_rootpath_data). Without that entry the key does
// not open, and the module falls back to the executable's folder.
#pragma once

#include <string>

#include "framework/interfaces/registry.h"
#include "testbed/common/testbed_component.h"

namespace orv::testbed {

class RegistryComponent final : public TestbedComponent<IRegistry, kRegistryId> {
 public:
  explicit RegistryComponent(std::string root_path) : root_path_(std::move(root_path)) {}

  void Unused8() override {}
  void Unused9() override {}
  void Unused10() override {}
  int OpenKey(std::uint32_t parent, const char* name, std::uint32_t options, std::uint32_t access,
              std::uint32_t* key) override;
  void Unused12() override {}
  void Unused13() override {}
  int QueryValue(std::uint32_t key, const char* name, std::uint32_t* type, void* data,
                 std::uint32_t* size) override;

 private:
  std::string root_path_;
};

}  // namespace orv::testbed
