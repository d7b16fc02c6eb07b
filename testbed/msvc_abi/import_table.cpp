// Import tables as the PE format lays them out (offsets of the format, not of any header).
#include "testbed/msvc_abi/freestanding.h"

namespace orv::msvc_abi {
namespace {

bool SameName(const char* a, const char* b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  while (*a != '\0' && lower(*a) == lower(*b)) ++a, ++b;
  return lower(*a) == lower(*b);
}

}  // namespace

void* ReplaceImport(void* module, const char* dll, const char* function, void* replacement) {
  auto* base = static_cast<unsigned char*>(module);
  auto at = [&](std::uint32_t offset) { return base + offset; };
  auto u32 = [&](std::uint32_t offset) { return *reinterpret_cast<std::uint32_t*>(at(offset)); };
  const std::uint32_t nt = u32(0x3C), optional = nt + 24;
  // The import directory: entry 1 of the data directories, after 96 bytes of a PE32 optional
  // header or 112 of a PE32+ one.
  const bool wide = *reinterpret_cast<std::uint16_t*>(at(optional)) == 0x20B;
  for (std::uint32_t entry = u32(optional + (wide ? 112 : 96) + 8); u32(entry + 12) != 0;
       entry += 20) {
    if (!SameName(reinterpret_cast<char*>(at(u32(entry + 12))), dll)) continue;
    auto** slots = reinterpret_cast<void**>(at(u32(entry + 16)));
    auto* names = reinterpret_cast<std::uintptr_t*>(at(u32(entry)));
    for (; *names != 0; ++names, ++slots) {
      const bool by_ordinal = (*names >> (8 * sizeof *names - 1)) != 0;
      if (by_ordinal || !SameName(reinterpret_cast<char*>(at(*names + 2)), function)) continue;
      std::uint32_t old = 0;
      VirtualProtect(slots, sizeof *slots, 0x04 /* PAGE_READWRITE */, &old);
      void* before = *slots;
      *slots = replacement;
      VirtualProtect(slots, sizeof *slots, old, &old);
      return before;
    }
  }
  return nullptr;
}

}  // namespace orv::msvc_abi
