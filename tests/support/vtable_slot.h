// The virtual-table slot that a pointer to a virtual member function designates.
//
// Every tool chain of the build uses the Itanium C++ ABI (MinGW's g++ included), where such a
// pointer holds 1 + the slot's byte offset in the table. Reading that representation is how
// the tests pin every interface's slot numbers: the compiler itself cannot be asked for them
// in a constant expression.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace orv::testing {

template <class Member>
std::ptrdiff_t SlotOf(Member member) {
  struct Representation {
    std::uintptr_t pointer_or_offset;
    std::ptrdiff_t this_adjustment;
  };
  static_assert(sizeof(Member) == sizeof(Representation), "not an Itanium member pointer");
  Representation bits;
  std::memcpy(&bits, &member, sizeof bits);
  if ((bits.pointer_or_offset & 1) == 0) return -1;  // not virtual
  return static_cast<std::ptrdiff_t>((bits.pointer_or_offset - 1) / sizeof(void*));
}

}  // namespace orv::testing
