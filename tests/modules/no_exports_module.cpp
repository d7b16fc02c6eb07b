// Factory DLLs a broken installation might name: one without a "CreateComponent" export
// (built as OrvNoExports.dll, and as broken/OrvFact.dll), and one whose "CreateComponent"
// creates nothing (OrvNullFactory.dll, built with ORV_NULL_FACTORY).
#include <cstdint>

#include "platform/abi.h"

#if defined(ORV_NULL_FACTORY)
extern "C" ORV_EXPORT void* ORV_CDECL CreateComponent(std::uint32_t, std::uint32_t) {
  return nullptr;
}
#else
extern "C" ORV_EXPORT int ORV_CDECL OrvNothingHere() { return 0; }
#endif
