#include "framework/runtime/root_path.h"

#include <cstdint>

#include "framework/bounded_string.h"
#include "framework/component_paths.h"
#include "framework/interfaces/registry.h"
#include "framework/runtime/module_state.h"
#include "framework/runtime/orvex_ptr.h"

namespace orv {
namespace {

char g_root_directory[kPathSize];

}  // namespace

const char* GetRootPath() {
  if (g_root_directory[0] != '\0') return g_root_directory;
  TOrvexFixedPtr<IRegistry, kRegistryId, true> registry(Module().registry_path);
  int ok = 0;
  if (registry.get() != nullptr) {
    std::uint32_t key = 0;
    ok = registry->OpenKey(kRegistryRootKey, "orvex_rootpath", 1, kRegistryRootKey, &key);
    if (ok != 0) {
      std::uint32_t type = kRegistryStringType;
      std::uint32_t size = kPathSize;
      ok = registry->QueryValue(key, "orvex_rootpath_data", &type, g_root_directory, &size);
    }
  }
  if (ok == 0) Copy(g_root_directory, kPathSize, ExecutableDirectory());
  g_root_directory[kPathSize - 1] = '\0';  // whatever the registry wrote, the cache ends here
  return g_root_directory;
}

int MakeRootPath(const char* path, char* out, int out_size) {
  if (IsRelativePath(path)) {
    if (path == nullptr || out == nullptr || out_size < 2) return 0;
    Format(out, out_size, out_size - 1, "%s\\%s", GetRootPath(), path);
    return 1;
  }
  return Copy(out, out_size, path);
}

}  // namespace orv
