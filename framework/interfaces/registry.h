// The framework's registry component (991): the module asks it for the framework root.
#pragma once

#include <cstdint>

#include "framework/interfaces/component_interfaces.h"

namespace orv {

constexpr std::uint32_t kRegistryRootKey = 0x3FFFFFF4;
constexpr std::uint32_t kRegistryStringType = 1;

class IRegistry : public IComponent {
 public:
  virtual void Unused8() = 0;   // slot 8
  virtual void Unused9() = 0;   // slot 9
  virtual void Unused10() = 0;  // slot 10
  // Nonzero on success; *key then names the opened key.
  virtual int OpenKey(std::uint32_t parent, const char* name, std::uint32_t options,
                      std::uint32_t access,
                      std::uint32_t* key) = 0;  // slot 11
  virtual void Unused12() = 0;                  // slot 12
  virtual void Unused13() = 0;                  // slot 13
  // Nonzero on success; *size is the data buffer's size on entry.
  virtual int QueryValue(std::uint32_t key, const char* name, std::uint32_t* type, void* data,
                         std::uint32_t* size) = 0;  // slot 14

 protected:
  ~IRegistry() = default;
};

}  // namespace orv
