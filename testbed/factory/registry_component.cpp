#include "testbed/factory/registry_component.h"

#include <cstring>

#include "testbed/common/call_journal.h"

namespace orv::testbed {
namespace {

constexpr std::uint32_t kRootPathKey = 1;

std::string Text(const char* s) { return s ? s : "<null>"; }

}  // namespace

int RegistryComponent::OpenKey(std::uint32_t parent, const char* name, std::uint32_t options,
                               std::uint32_t access, std::uint32_t* key) {
  Journal().Record("Registry.OpenKey(" + std::to_string(parent) + "," + Text(name) + "," +
                   std::to_string(options) + "," + std::to_string(access) + ")");
  if (key == nullptr || name == nullptr || std::strcmp(name, "orvex_rootpath") != 0 ||
      root_path_.empty()) {
    return 0;
  }
  *key = kRootPathKey;
  return 1;
}

int RegistryComponent::QueryValue(std::uint32_t key, const char* name, std::uint32_t* type,
                                  void* data, std::uint32_t* size) {
  Journal().Record("Registry.QueryValue(" + std::to_string(key) + "," + Text(name) + ")");
  if (key != kRootPathKey || name == nullptr || std::strcmp(name, "orvex_rootpath_data") != 0 ||
      data == nullptr || size == nullptr || root_path_.size() + 1 > *size) {
    return 0;
  }
  std::memcpy(data, root_path_.c_str(), root_path_.size() + 1);
  *size = static_cast<std::uint32_t>(root_path_.size() + 1);
  if (type != nullptr) *type = kRegistryStringType;
  return 1;
}

}  // namespace orv::testbed
