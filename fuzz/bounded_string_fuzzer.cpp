// Bounded strings against std::string. Each operation gets a heap buffer of exactly the
// capacity it is told (AddressSanitizer sees any byte touched past it), holding a text that
// fills it unterminated when long enough; the answer and the buffer's text are compared with
// what the operation's contract says, and a buffer that must not change is compared whole.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/bounded_string.h"
#include "fuzz/fuzz_check.h"

namespace {

std::string Text(FuzzedDataProvider& in, size_t most) {
  return in.ConsumeRandomLengthString(most).c_str();
}

struct Replaced {
  bool written = false;  // false: the output keeps what it held
  std::string text;
  int count = 0;
};

// ReplaceAll as documented: a source that does not fit is an empty text; a step is refused,
// before searching, when its result could not fit; the search restarts at the start unless
// the replacement holds the searched text; a replacement that empties the text is made but
// not counted, and ends the loop.
Replaced ReplaceAllModel(std::string work, const std::string& find, const std::string& with,
                         int size) {
  Replaced r;
  if (size < 1 || find.empty()) return r;
  if (static_cast<int>(work.size()) >= size) work.clear();
  for (size_t from = 0;;) {
    if (static_cast<int>(work.size() + with.size()) - static_cast<int>(find.size()) >= size) break;
    const size_t at = work.find(find, from);
    r.written = true;
    if (at == std::string::npos) break;
    work.replace(at, find.size(), with);
    if (work.empty()) break;
    ++r.count;
    if (with.find(find) != std::string::npos) from = at + with.size();
  }
  r.text = work;
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int op = in.ConsumeIntegralInRange(0, 9);
  const int cap = in.ConsumeIntegralInRange(-1, 48);
  const int n = in.ConsumeIntegralInRange(-1, 50);
  const std::int32_t number = in.ConsumeIntegral<std::int32_t>();
  const std::string held = Text(in, 64), find = Text(in, 4), with = Text(in, 12), a = Text(in, 64);
  const int len = static_cast<int>(a.size());

  std::vector<char> buf(static_cast<size_t>(std::max(cap, 1)), '#');
  std::memcpy(buf.data(), held.data(), std::min(held.size(), buf.size()));
  if (held.size() < buf.size()) buf[held.size()] = '\0';
  const std::vector<char> before = buf;
  const std::string old(buf.data(), strnlen(buf.data(), buf.size()));
  char* out = buf.data();
  const auto expect_text = [&](bool written, const std::string& text) {
    char* end = static_cast<char*>(std::memchr(buf.data(), '\0', buf.size()));
    FUZZ_CHECK(written ? end != nullptr && std::string(buf.data(), end - buf.data()) == text
                       : buf == before);
  };
  const std::string cut = a.substr(0, std::max(cap - 1, 0));

  switch (op) {
    case 0:
      FUZZ_CHECK(orv::Copy(out, cap, a.c_str()) == (len < cap));
      expect_text(len < cap, a);
      break;
    case 1:  // exactly n characters (fewer when the source is shorter), terminated at n
      FUZZ_CHECK(orv::CopyN(out, cap, a.c_str(), n) == (n >= 1 && cap > n));
      expect_text(n >= 1 && cap > n, a.substr(0, std::max(n, 0)));
      FUZZ_CHECK(n < 1 || cap <= n || buf[n] == '\0');
      break;
    case 2:  // an unterminated target counts as full
      FUZZ_CHECK(orv::Append(out, cap, a.c_str()) == (static_cast<int>(old.size()) + len < cap));
      expect_text(static_cast<int>(old.size()) + len < cap, old + a);
      break;
    case 3: {
      const std::string full = a + "|" + std::to_string(number);
      const int bound = std::min(n, cap - 1);
      const bool fits = static_cast<int>(full.size()) <= bound;
      FUZZ_CHECK(orv::Format(out, cap, n, "%s|%d", a.c_str(), number) ==
                 (cap >= 1 && fits ? static_cast<int>(full.size()) : -1));
      expect_text(cap >= 1 && n >= 1, full.substr(0, std::max(bound, 0)));
      break;
    }
    case 4:
      FUZZ_CHECK(orv::FormatTruncate(out, cap, number & 1, "%s", a.c_str()) ==
                 (cap >= 1 && (len < cap || (number & 1))));
      expect_text(cap >= 1, cut);
      break;
    case 5:
      FUZZ_CHECK(orv::FormatAll(out, cap, "%s", a.c_str()) == (cap >= 1 && len < cap ? len : -1));
      expect_text(cap >= 1, cut);
      break;
    case 6: {
      const std::string text =
          n & 1 ? std::to_string(number) : std::to_string(static_cast<std::uint32_t>(number));
      const int result = n & 1 ? orv::IntToString(number, out, cap)
                               : orv::UIntToString(static_cast<std::uint32_t>(number), out, cap);
      FUZZ_CHECK(result == (static_cast<int>(text.size()) < cap));
      expect_text(static_cast<int>(text.size()) < cap, text);
      break;
    }
    case 7: {  // the size is checked, as if one replacement took place, before searching
      const int grown = len - static_cast<int>(find.size()) + static_cast<int>(with.size());
      const size_t at = a.find(find);
      const int result = orv::ReplaceFirst(a.c_str(), find.c_str(), with.c_str(), out, cap);
      if (find.empty() || cap <= grown) {
        FUZZ_CHECK(result == -1);
        expect_text(false, "");
      } else {
        FUZZ_CHECK(result == (at == std::string::npos ? 0 : grown));
        expect_text(at != std::string::npos || len < cap,
                    at == std::string::npos ? a : std::string(a).replace(at, find.size(), with));
      }
      break;
    }
    case 8: {
      const Replaced model = ReplaceAllModel(a, find, with, cap);
      const int count = orv::ReplaceAll(a.c_str(), find.c_str(), with.c_str(), out, cap);
      expect_text(model.written, model.text);
      FUZZ_CHECK(count == model.count);
      break;
    }
    case 9: {  // only A to Z change; an unterminated text is too long and stays
      const std::string lower = orv::fuzz::Lower(old);
      const bool ok = static_cast<int>(old.size()) < cap;
      FUZZ_CHECK(orv::kStringFunctions.StrLower(out, cap) == (ok        ? orv::kStrOk
                                                              : cap < 0 ? orv::kStrInvalid
                                                                        : orv::kStrRange));
      expect_text(ok, lower);
      break;
    }
  }
  return 0;
}
