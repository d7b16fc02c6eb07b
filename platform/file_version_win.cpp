#include <windows.h>

#include <vector>

#include "platform/file_version.h"

namespace orv::platform {
namespace {

std::string StringValue(const std::vector<char>& block, const char* name) {
  char* text = nullptr;
  UINT length = 0;
  const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) ||
      text == nullptr) {
    return "";
  }
  return std::string(text, length > 0 ? length - 1 : 0);
}

}  // namespace

bool ReadFileVersion(const std::string& windows_path, FileVersion* version) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(windows_path.c_str(), &ignored);
  if (size == 0 || version == nullptr) return false;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(windows_path.c_str(), 0, size, block.data())) return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
      fixed == nullptr)
    return false;
  version->major = HIWORD(fixed->dwFileVersionMS);
  version->minor = LOWORD(fixed->dwFileVersionMS);
  version->patch = HIWORD(fixed->dwFileVersionLS);
  version->build = LOWORD(fixed->dwFileVersionLS);
  version->file_version = StringValue(block, "FileVersion");
  version->product_name = StringValue(block, "ProductName");
  return true;
}

}  // namespace orv::platform
