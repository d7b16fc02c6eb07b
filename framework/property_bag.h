// PropertyBag (component 282): the module's own IPropertyBag, created with plain allocation
// by its user (never through the factory) and destroyed at once by Release.
//
// Int and Dword share one store for keys 0 to 9: the same ten values and presence flags.
// From key 10 on they are kept apart, in maps of their own.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "framework/interfaces/property_bag_interface.h"

namespace orv {

class PropertyBag final : public IPropertyBag {
 public:
  PropertyBag() = default;

  // IComponent
  std::uint32_t GetComponentID() override { return kPropertyBagId; }
  int IsAlive() override { return 1; }
  void Release(int /*unused*/) override { delete this; }
  int GetFreeInMap() override { return 0; }
  void SetFreeInMap(int /*value*/) override {}
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}

  int SetFloat(std::uint32_t key, float value) override;
  int SetByte(std::uint32_t key, std::uint8_t value) override;
  int SetDword(std::uint32_t key, std::uint32_t value) override;
  int SetString(std::uint32_t key, const char* text) override;
  int SetInt(std::uint32_t key, std::int32_t value) override;

  std::int32_t GetInt(std::uint32_t key, int remove) override;
  std::uint8_t GetByte(std::uint32_t key, int remove) override;
  std::uint32_t GetDword(std::uint32_t key, int remove) override;
  float GetFloat(std::uint32_t key, int remove) override;
  void GetString(std::uint32_t key, char* buffer, std::uint32_t size, int remove) override;
  std::uint32_t GetStringLength(std::uint32_t key) override;

  int HasInt(std::uint32_t key) override;
  int HasString(std::uint32_t key) override;
  int HasDword(std::uint32_t key) override;
  int HasByte(std::uint32_t key) override;
  int HasFloat(std::uint32_t key) override;

  void Clear() override;
  int RemoveInt(std::uint32_t key) override;
  int RemoveByte(std::uint32_t key) override;
  int RemoveDword(std::uint32_t key) override;
  int RemoveFloat(std::uint32_t key) override;
  int RemoveString(std::uint32_t key) override;

  void CopyAllTo(IPropertyBag* dest, int clear_first) override;
  int CopyIntTo(IPropertyBag* dest, std::uint32_t key) override;
  int CopyByteTo(IPropertyBag* dest, std::uint32_t key) override;
  int CopyDwordTo(IPropertyBag* dest, std::uint32_t key) override;
  int CopyFloatTo(IPropertyBag* dest, std::uint32_t key) override;
  int CopyStringTo(IPropertyBag* dest, std::uint32_t key) override;

  int SetValue(std::uint32_t key, std::int32_t value) override { return SetInt(key, value); }
  int SetValue(std::uint32_t key, const char* text) override { return SetString(key, text); }
  int SetValue(std::uint32_t key, std::uint32_t value) override { return SetDword(key, value); }
  int SetValue(std::uint32_t key, std::uint8_t value) override { return SetByte(key, value); }
  int SetValue(std::uint32_t key, float value) override { return SetFloat(key, value); }

 private:
  static constexpr std::uint32_t kSmallKeys = 10;
  static bool IsSmall(std::uint32_t key) { return key < kSmallKeys; }

  ~PropertyBag() = default;

  std::map<std::uint32_t, std::int32_t> ints_;
  std::map<std::uint32_t, std::string> strings_;
  std::map<std::uint32_t, std::uint32_t> dwords_;
  std::map<std::uint32_t, std::uint8_t> bytes_;
  std::map<std::uint32_t, float> floats_;
  bool ints_used_ = false;
  bool strings_used_ = false;
  bool dwords_used_ = false;
  bool bytes_used_ = false;
  bool floats_used_ = false;
  bool small_present_[kSmallKeys] = {};
  std::uint32_t small_values_[kSmallKeys] = {};
};

}  // namespace orv
