// The property bag against std::map models: a value per kind and key, Int and Dword sharing
// theirs for keys 0 to 9. Two bags, so that the copies between them are covered; setters go
// through the named slots or the SetValue overloads. The key of each operation, and at the
// end every key used, reads back through both bags' getters and Has slots as the models say.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/property_bag.h"
#include "fuzz/fuzz_check.h"

namespace {

using Bag = orv::IPropertyBag;
enum Kind { kInt, kDword, kByte, kFloat, kString };
using Slot = std::pair<int, std::uint32_t>;  // (kind, key)

int (Bag::*const kHas[])(std::uint32_t) = {&Bag::HasInt, &Bag::HasDword, &Bag::HasByte,
                                           &Bag::HasFloat, &Bag::HasString};
int (Bag::*const kRemove[])(std::uint32_t) = {&Bag::RemoveInt, &Bag::RemoveDword, &Bag::RemoveByte,
                                              &Bag::RemoveFloat, &Bag::RemoveString};
int (Bag::*const kCopy[])(Bag*, std::uint32_t) = {
    &Bag::CopyIntTo, &Bag::CopyDwordTo, &Bag::CopyByteTo, &Bag::CopyFloatTo, &Bag::CopyStringTo};

// A bag's values by kind and key; numbers (floats by their bits) as decimal text.
struct Model : std::map<Slot, std::string> {
  static Slot Of(int kind, std::uint32_t key) {
    return {kind == kDword && key < 10 ? kInt : kind, key};
  }
};

std::uint32_t Get(Bag* bag, int kind, std::uint32_t key, int remove) {
  if (kind == kInt) return static_cast<std::uint32_t>(bag->GetInt(key, remove));
  if (kind == kDword) return bag->GetDword(key, remove);
  if (kind == kByte) return bag->GetByte(key, remove);
  const float value = bag->GetFloat(key, remove);
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

int Set(Bag* bag, int kind, std::uint32_t key, std::uint32_t v, bool overload) {
  const auto i = static_cast<std::int32_t>(v);
  const auto b = static_cast<std::uint8_t>(v);
  float f;
  std::memcpy(&f, &v, sizeof f);
  if (kind == kInt) return overload ? bag->SetValue(key, i) : bag->SetInt(key, i);
  if (kind == kDword) return overload ? bag->SetValue(key, v) : bag->SetDword(key, v);
  if (kind == kByte) return overload ? bag->SetValue(key, b) : bag->SetByte(key, b);
  return overload ? bag->SetValue(key, f) : bag->SetFloat(key, f);
}

void Agree(Bag* bag, const Model& model, std::uint32_t key) {
  for (int kind = kInt; kind <= kString; ++kind) {
    const auto entry = model.find(Model::Of(kind, key));
    const bool present = entry != model.end();
    const std::uint32_t got = kind == kString ? bag->GetStringLength(key) : Get(bag, kind, key, 0);
    const std::string expected = !present          ? "0"
                                 : kind == kString ? std::to_string(entry->second.size())
                                                   : entry->second;
    FUZZ_CHECK((bag->*kHas[kind])(key) == present && std::to_string(got) == expected);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  orv::PropertyBag* bags[2] = {new orv::PropertyBag, new orv::PropertyBag};
  Model models[2];
  std::set<std::uint32_t> keys;
  while (in.remaining_bytes() > 0) {
    const int which = in.ConsumeIntegralInRange(0, 1);
    Bag* bag = bags[which];
    Model& model = models[which];
    const int kind = in.ConsumeIntegralInRange(0, 4);
    const std::uint32_t key =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 12) : in.ConsumeIntegral<std::uint32_t>();
    const auto value = in.ConsumeIntegral<std::uint32_t>();
    const bool flag = in.ConsumeBool();
    const Slot slot = Model::Of(kind, key);
    const auto entry = model.find(slot);
    const bool present = entry != model.end();
    keys.insert(key);
    switch (in.ConsumeIntegralInRange(0, 5)) {
      case 0: {  // a null text is refused and stores nothing
        const std::string text = in.ConsumeRandomLengthString(16).c_str();
        const char* given = value & 1 ? nullptr : text.c_str();
        if (kind == kString) {
          FUZZ_CHECK((flag ? bag->SetValue(key, given) : bag->SetString(key, given)) ==
                     (given != nullptr));
          if (given) model[slot] = text;
        } else {
          FUZZ_CHECK(Set(bag, kind, key, value, flag) == 1);
          model[slot] = std::to_string(kind == kByte ? value & 0xFF : value);
        }
        break;
      }
      case 1:
        if (kind == kString) {  // copied only with room for the terminator, and only then removed
          std::vector<char> buffer(value % 24 + 1, '#');
          const std::vector<char> before = buffer;
          bag->GetString(key, flag ? buffer.data() : nullptr,
                         static_cast<std::uint32_t>(buffer.size()), value & 2);
          const bool copied = flag && present && entry->second.size() < buffer.size();
          FUZZ_CHECK(copied ? entry->second == buffer.data() : buffer == before);
          if (copied && (value & 2)) model.erase(entry);
        } else {
          FUZZ_CHECK(std::to_string(Get(bag, kind, key, flag)) == (present ? entry->second : "0"));
          if (flag && present) model.erase(entry);
        }
        break;
      case 2:
        FUZZ_CHECK((bag->*kRemove[kind])(key) == present);
        model.erase(slot);
        break;
      case 3:
        bag->Clear();
        model.clear();
        break;
      case 4:
        FUZZ_CHECK((bag->*kCopy[kind])(bags[1 - which], key) == present);
        if (present) models[1 - which][slot] = entry->second;
        break;
      case 5:  // small keys travel as Dword values and land in the shared store again
        bag->CopyAllTo(bags[1 - which], flag);
        if (flag) models[1 - which].clear();
        for (const auto& [to, text] : model) models[1 - which][to] = text;
        break;
    }
    Agree(bags[0], models[0], key);
    Agree(bags[1], models[1], key);
  }
  for (const std::uint32_t key : keys) {
    Agree(bags[0], models[0], key);
    Agree(bags[1], models[1], key);
  }
  bags[0]->Release(0);
  bags[1]->Release(0);
  return 0;
}
