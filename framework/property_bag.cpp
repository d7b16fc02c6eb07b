#include "framework/property_bag.h"

#include <cstring>

namespace orv {
namespace {

// Reads an entry of a map, removing it afterwards when asked; the value type's zero when absent.
template <class Map>
typename Map::mapped_type Take(Map& map, std::uint32_t key, int remove) {
  auto entry = map.find(key);
  if (entry == map.end()) return typename Map::mapped_type{};
  const auto value = entry->second;
  if (remove != 0) map.erase(entry);
  return value;
}

// Hands `dest` one entry under the same key through dest's own setter (a small Int or Dword key
// thus lands in its shared store); 0 when there is no destination or no entry. Reading with
// remove 0 changes nothing, so the value may be read before presence is known.
template <class Value>
int CopyEntry(IPropertyBag* dest, std::uint32_t key, int present, Value value,
              int (IPropertyBag::*set)(std::uint32_t, Value)) {
  if (dest == nullptr || present == 0) return 0;
  (dest->*set)(key, value);
  return 1;
}

}  // namespace

int PropertyBag::SetFloat(std::uint32_t key, float value) {
  floats_[key] = value;
  floats_used_ = true;
  return 1;
}

int PropertyBag::SetByte(std::uint32_t key, std::uint8_t value) {
  bytes_[key] = value;
  bytes_used_ = true;
  return 1;
}

int PropertyBag::SetDword(std::uint32_t key, std::uint32_t value) {
  if (IsSmall(key)) {
    small_present_[key] = true;
    small_values_[key] = value;
    return 1;
  }
  dwords_[key] = value;
  dwords_used_ = true;
  return 1;
}

int PropertyBag::SetString(std::uint32_t key, const char* text) {
  if (text == nullptr) return 0;
  strings_[key] = text;
  strings_used_ = true;
  return 1;
}

int PropertyBag::SetInt(std::uint32_t key, std::int32_t value) {
  if (IsSmall(key)) {
    small_present_[key] = true;
    small_values_[key] = static_cast<std::uint32_t>(value);
    return 1;
  }
  ints_[key] = value;
  ints_used_ = true;
  return 1;
}

std::int32_t PropertyBag::GetInt(std::uint32_t key, int remove) {
  if (IsSmall(key)) {
    if (!small_present_[key]) return 0;
    const auto value = static_cast<std::int32_t>(small_values_[key]);
    if (remove != 0) RemoveInt(key);
    return value;
  }
  return Take(ints_, key, remove);
}

std::uint8_t PropertyBag::GetByte(std::uint32_t key, int remove) {
  return Take(bytes_, key, remove);
}

std::uint32_t PropertyBag::GetDword(std::uint32_t key, int remove) {
  if (IsSmall(key)) return static_cast<std::uint32_t>(GetInt(key, remove));
  return Take(dwords_, key, remove);
}

float PropertyBag::GetFloat(std::uint32_t key, int remove) { return Take(floats_, key, remove); }

void PropertyBag::GetString(std::uint32_t key, char* buffer, std::uint32_t size, int remove) {
  auto entry = strings_.find(key);
  if (entry == strings_.end() || buffer == nullptr || entry->second.size() >= size) return;
  std::memcpy(buffer, entry->second.c_str(), entry->second.size() + 1);
  if (remove != 0) strings_.erase(entry);
}

std::uint32_t PropertyBag::GetStringLength(std::uint32_t key) {
  auto entry = strings_.find(key);
  return entry == strings_.end() ? 0 : static_cast<std::uint32_t>(entry->second.size());
}

int PropertyBag::HasInt(std::uint32_t key) {
  if (IsSmall(key)) return small_present_[key] ? 1 : 0;
  return ints_.count(key) != 0 ? 1 : 0;
}

int PropertyBag::HasString(std::uint32_t key) { return strings_.count(key) != 0 ? 1 : 0; }

int PropertyBag::HasDword(std::uint32_t key) {
  if (IsSmall(key)) return small_present_[key] ? 1 : 0;
  return dwords_.count(key) != 0 ? 1 : 0;
}

int PropertyBag::HasByte(std::uint32_t key) { return bytes_.count(key) != 0 ? 1 : 0; }
int PropertyBag::HasFloat(std::uint32_t key) { return floats_.count(key) != 0 ? 1 : 0; }

void PropertyBag::Clear() {
  if (ints_used_) {
    ints_.clear();
    ints_used_ = false;
  }
  if (bytes_used_) {
    bytes_.clear();
    bytes_used_ = false;
  }
  if (floats_used_) {
    floats_.clear();
    floats_used_ = false;
  }
  if (dwords_used_) {
    dwords_.clear();
    dwords_used_ = false;
  }
  if (strings_used_) {
    strings_.clear();
    strings_used_ = false;
  }
  for (std::uint32_t key = 0; key < kSmallKeys; ++key) {
    small_present_[key] = false;
    small_values_[key] = 0;
  }
}

int PropertyBag::RemoveInt(std::uint32_t key) {
  if (IsSmall(key)) {
    const int present = small_present_[key] ? 1 : 0;
    small_present_[key] = false;
    return present;
  }
  return ints_.erase(key) != 0 ? 1 : 0;
}

int PropertyBag::RemoveByte(std::uint32_t key) { return bytes_.erase(key) != 0 ? 1 : 0; }

int PropertyBag::RemoveDword(std::uint32_t key) {
  if (IsSmall(key)) return RemoveInt(key);
  return dwords_.erase(key) != 0 ? 1 : 0;
}

int PropertyBag::RemoveFloat(std::uint32_t key) { return floats_.erase(key) != 0 ? 1 : 0; }
int PropertyBag::RemoveString(std::uint32_t key) { return strings_.erase(key) != 0 ? 1 : 0; }

void PropertyBag::CopyAllTo(IPropertyBag* dest, int clear_first) {
  if (dest == nullptr) return;
  if (clear_first != 0) dest->Clear();
  for (const auto& entry : ints_) dest->SetInt(entry.first, entry.second);
  for (const auto& entry : bytes_) dest->SetByte(entry.first, entry.second);
  for (const auto& entry : floats_) dest->SetFloat(entry.first, entry.second);
  for (const auto& entry : dwords_) dest->SetDword(entry.first, entry.second);
  for (const auto& entry : strings_) dest->SetString(entry.first, entry.second.c_str());
  // Small keys travel as Dword values; in a PropertyBag they land in the shared store again.
  for (std::uint32_t key = 0; key < kSmallKeys; ++key) {
    if (small_present_[key]) dest->SetDword(key, small_values_[key]);
  }
}

int PropertyBag::CopyIntTo(IPropertyBag* dest, std::uint32_t key) {
  return CopyEntry(dest, key, HasInt(key), GetInt(key, 0), &IPropertyBag::SetInt);
}

int PropertyBag::CopyByteTo(IPropertyBag* dest, std::uint32_t key) {
  return CopyEntry(dest, key, HasByte(key), GetByte(key, 0), &IPropertyBag::SetByte);
}

int PropertyBag::CopyDwordTo(IPropertyBag* dest, std::uint32_t key) {
  return CopyEntry(dest, key, HasDword(key), GetDword(key, 0), &IPropertyBag::SetDword);
}

int PropertyBag::CopyFloatTo(IPropertyBag* dest, std::uint32_t key) {
  return CopyEntry(dest, key, HasFloat(key), GetFloat(key, 0), &IPropertyBag::SetFloat);
}

int PropertyBag::CopyStringTo(IPropertyBag* dest, std::uint32_t key) {
  const auto entry = strings_.find(key);
  const char* text = entry == strings_.end() ? nullptr : entry->second.c_str();
  return CopyEntry(dest, key, text != nullptr, text, &IPropertyBag::SetString);
}

}  // namespace orv
