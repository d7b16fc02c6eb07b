// Slot numbers of the interfaces that cross module boundaries. A slot that moves breaks every
// module on the other side without a compiler error anywhere, so each one is pinned here.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/component_interfaces.h"
#include "framework/interfaces/message_box_interface.h"
#include "framework/interfaces/property_bag_interface.h"
#include "framework/interfaces/proxy_connection.h"
#include "framework/interfaces/registry.h"
#include "framework/interfaces/ui_layout_engine.h"
#include "framework/interfaces/update_engine.h"
#include "framework/interfaces/update_host.h"
#include "framework/interfaces/update_logic_interface.h"

namespace orv::testing {
namespace {

// Every tool chain of the build uses the Itanium C++ ABI (MinGW's g++ included), where a
// pointer to a virtual member function holds 1 + the slot's byte offset in the table: the
// compiler cannot be asked for slot numbers in a constant expression, so they are read here.
template <class Member>
std::ptrdiff_t SlotOf(Member member) {
  struct {
    std::uintptr_t pointer_or_offset;
    std::ptrdiff_t this_adjustment;
  } bits;
  static_assert(sizeof(Member) == sizeof bits, "not an Itanium member pointer");
  std::memcpy(&bits, &member, sizeof bits);
  if ((bits.pointer_or_offset & 1) == 0) return -1;  // not virtual
  return static_cast<std::ptrdiff_t>((bits.pointer_or_offset - 1) / sizeof(void*));
}

// One table for every compiler: tests/abi/check_msvc_abi.sh checks the same slots under the
// Microsoft C++ ABI.
TEST(InterfaceSlots, EveryMethodOfTheContractAtItsSlot) {
#define ORV_METHOD_SLOT(interface, method, slot) \
  EXPECT_EQ(slot, SlotOf(&interface::method)) << #interface "::" #method;
#define ORV_OVERLOAD_SLOT(interface, method, result, parameters, slot)                      \
  EXPECT_EQ(slot, SlotOf(static_cast<result(interface::*) parameters>(&interface::method))) \
      << #interface "::" #method #parameters;
#include "tests/abi/interface_slots.def"
#undef ORV_METHOD_SLOT
#undef ORV_OVERLOAD_SLOT
}

}  // namespace
}  // namespace orv::testing
