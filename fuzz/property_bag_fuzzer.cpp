// The property bag against std::map models: one map per kind of value, Int and Dword sharing
// theirs for keys 0 to 9. Two bags, so that the copies between them are covered; setters go
// through the named slots or the SetValue overloads. The key of each operation, and at the
// end every key used, reads back through both bags' getters and Has slots as the models say.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/property_bag.h"
#include "fuzz/fuzz_check.h"

namespace {

using Bag = orv::IPropertyBag;
enum Kind { kInt, kDword, kByte, kFloat, kString };

int (Bag::*const kHas[])(std::uint32_t) = {&Bag::HasInt, &Bag::HasDword, &Bag::HasByte, &Bag::HasFloat, &Bag::HasString};
int (Bag::*const kRemove[])(std::uint32_t) = {&Bag::RemoveInt, &Bag::RemoveDword, &Bag::RemoveByte, &Bag::RemoveFloat,
                                              &Bag::RemoveString};
int (Bag::*const kCopy[])(Bag*, std::uint32_t) = {&Bag::CopyIntTo, &Bag::CopyDwordTo, &Bag::CopyByteTo,
                                                  &Bag::CopyFloatTo, &Bag::CopyStringTo};

struct Model {
  std::map<std::uint32_t, std::uint32_t> numbers[kString];  // floats by their bits
  std::map<std::uint32_t, std::string> strings;
  std::map<std::uint32_t, std::uint32_t>& Of(int kind, std::uint32_t key) { return numbers[kind == kDword && key < 10 ? kInt : kind]; }
  bool Has(int kind, std::uint32_t key) { return kind == kString ? strings.count(key) : Of(kind, key).count(key); }
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

void Agree(Bag* bag, Model& model, std::uint32_t key) {
  for (int kind = kInt; kind < kString; ++kind) {
    const auto entry = model.Of(kind, key).find(key);
    const bool present = entry != model.Of(kind, key).end();
    FUZZ_CHECK((bag->*kHas[kind])(key) == present && Get(bag, kind, key, 0) == (present ? entry->second : 0));
  }
  const auto text = model.strings.find(key);
  const bool present = text != model.strings.end();
  FUZZ_CHECK(bag->HasString(key) == present && bag->GetStringLength(key) == (present ? text->second.size() : 0));
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
    Bag* other = bags[1 - which];
    Model& model = models[which];
    Model& other_model = models[1 - which];
    const int kind = in.ConsumeIntegralInRange(0, 4);
    const std::uint32_t key = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 12) : in.ConsumeIntegral<std::uint32_t>();
    const auto value = in.ConsumeIntegral<std::uint32_t>();
    const bool flag = in.ConsumeBool();
    keys.insert(key);
    switch (in.ConsumeIntegralInRange(0, 5)) {
      case 0: {  // a null text is refused and stores nothing
        const std::string text = in.ConsumeRandomLengthString(16).c_str();
        const char* given = value & 1 ? nullptr : text.c_str();
        if (kind == kString) {
          FUZZ_CHECK((flag ? bag->SetValue(key, given) : bag->SetString(key, given)) == (given != nullptr));
          if (given) model.strings[key] = text;
        } else {
          FUZZ_CHECK(Set(bag, kind, key, value, flag) == 1);
          model.Of(kind, key)[key] = kind == kByte ? value & 0xFF : value;
        }
        break;
      }
      case 1:
        if (kind == kString) {  // copied only with room for the terminator, and only then removed
          std::vector<char> buffer(value % 24 + 1, '#');
          const std::vector<char> before = buffer;
          bag->GetString(key, flag ? buffer.data() : nullptr, static_cast<std::uint32_t>(buffer.size()), value & 2);
          const auto text = model.strings.find(key);
          const bool copied = flag && text != model.strings.end() && text->second.size() < buffer.size();
          FUZZ_CHECK(copied ? text->second == buffer.data() : buffer == before);
          if (copied && (value & 2)) model.strings.erase(text);
        } else {
          const bool present = model.Has(kind, key);
          FUZZ_CHECK(Get(bag, kind, key, flag) == (present ? model.Of(kind, key)[key] : 0));
          if (flag) model.Of(kind, key).erase(key);
        }
        break;
      case 2:
        FUZZ_CHECK((bag->*kRemove[kind])(key) == model.Has(kind, key));
        if (kind == kString) model.strings.erase(key);
        else model.Of(kind, key).erase(key);
        break;
      case 3:
        bag->Clear();
        model = Model();
        break;
      case 4:
        FUZZ_CHECK((bag->*kCopy[kind])(other, key) == model.Has(kind, key));
        if (kind == kString && model.Has(kind, key)) other_model.strings[key] = model.strings[key];
        if (kind != kString && model.Has(kind, key)) other_model.Of(kind, key)[key] = model.Of(kind, key)[key];
        break;
      case 5:  // small keys travel as Dword values and land in the shared store again
        bag->CopyAllTo(other, flag);
        if (flag) other_model = Model();
        for (int k = kInt; k < kString; ++k) {
          for (const auto& entry : model.numbers[k]) other_model.numbers[k][entry.first] = entry.second;
        }
        for (const auto& entry : model.strings) other_model.strings[entry.first] = entry.second;
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
