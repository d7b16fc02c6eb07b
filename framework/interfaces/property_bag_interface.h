// IPropertyBag: the framework's typed key/value container. The UI layout engine hands one to
// the module with every UI event (the event code is the integer under key 4) and fills one on
// request with its properties.
#pragma once

#include <cstdint>

#include "framework/interfaces/component_interfaces.h"

namespace orv {

// Keys the module uses.
constexpr std::uint32_t kEventCodeKey = 4;
constexpr std::uint32_t kOwnerWindowKey = 0x300005;

class IPropertyBag : public IComponent {
 public:
  // Setters; each answers 1 (SetString answers 0 for a null text and stores nothing).
  virtual int SetFloat(std::uint32_t key, float value) = 0;          // slot 8
  virtual int SetByte(std::uint32_t key, std::uint8_t value) = 0;    // slot 9
  virtual int SetDword(std::uint32_t key, std::uint32_t value) = 0;  // slot 10
  virtual int SetString(std::uint32_t key, const char* text) = 0;    // slot 11
  virtual int SetInt(std::uint32_t key, std::int32_t value) = 0;     // slot 12

  // Getters; a nonzero `remove` removes an entry that was found, after reading it.
  virtual std::int32_t GetInt(std::uint32_t key, int remove) = 0;     // slot 13
  virtual std::uint8_t GetByte(std::uint32_t key, int remove) = 0;    // slot 14
  virtual std::uint32_t GetDword(std::uint32_t key, int remove) = 0;  // slot 15
  virtual float GetFloat(std::uint32_t key, int remove) = 0;          // slot 16
  // Copies only when `buffer` is set and the text's length is below `size`; only then is a
  // `remove` honoured.
  virtual void GetString(std::uint32_t key, char* buffer, std::uint32_t size,
                         int remove) = 0;                        // slot 17
  virtual std::uint32_t GetStringLength(std::uint32_t key) = 0;  // slot 18

  virtual int HasInt(std::uint32_t key) = 0;     // slot 19
  virtual int HasString(std::uint32_t key) = 0;  // slot 20
  virtual int HasDword(std::uint32_t key) = 0;   // slot 21
  virtual int HasByte(std::uint32_t key) = 0;    // slot 22
  virtual int HasFloat(std::uint32_t key) = 0;   // slot 23

  virtual void Clear() = 0;                         // slot 24
  virtual int RemoveInt(std::uint32_t key) = 0;     // slot 25
  virtual int RemoveByte(std::uint32_t key) = 0;    // slot 26
  virtual int RemoveDword(std::uint32_t key) = 0;   // slot 27
  virtual int RemoveFloat(std::uint32_t key) = 0;   // slot 28
  virtual int RemoveString(std::uint32_t key) = 0;  // slot 29

  virtual void CopyAllTo(IPropertyBag* dest, int clear_first) = 0;      // slot 30
  virtual int CopyIntTo(IPropertyBag* dest, std::uint32_t key) = 0;     // slot 31
  virtual int CopyByteTo(IPropertyBag* dest, std::uint32_t key) = 0;    // slot 32
  virtual int CopyDwordTo(IPropertyBag* dest, std::uint32_t key) = 0;   // slot 33
  virtual int CopyFloatTo(IPropertyBag* dest, std::uint32_t key) = 0;   // slot 34
  virtual int CopyStringTo(IPropertyBag* dest, std::uint32_t key) = 0;  // slot 35

  // Overloads forwarding to the typed setters. MSVC gathers the overloads of one name and
  // numbers them in reverse order of declaration, GCC in declaration order: declared so that
  // both give int 36, text 37, dword 38, byte 39, float 40.
#if defined(_MSC_VER)
  virtual int SetValue(std::uint32_t key, float value) = 0;          // slot 40
  virtual int SetValue(std::uint32_t key, std::uint8_t value) = 0;   // slot 39
  virtual int SetValue(std::uint32_t key, std::uint32_t value) = 0;  // slot 38
  virtual int SetValue(std::uint32_t key, const char* text) = 0;     // slot 37
  virtual int SetValue(std::uint32_t key, std::int32_t value) = 0;   // slot 36
#else
  virtual int SetValue(std::uint32_t key, std::int32_t value) = 0;   // slot 36
  virtual int SetValue(std::uint32_t key, const char* text) = 0;     // slot 37
  virtual int SetValue(std::uint32_t key, std::uint32_t value) = 0;  // slot 38
  virtual int SetValue(std::uint32_t key, std::uint8_t value) = 0;   // slot 39
  virtual int SetValue(std::uint32_t key, float value) = 0;          // slot 40
#endif

 protected:
  ~IPropertyBag() = default;
};

}  // namespace orv
