#include "framework/bounded_string.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace orv {
namespace {

// Length of `s`, reading no further than `limit` bytes; `limit` when no terminator is there.
int BoundedLength(const char* s, int limit) {
  const void* end = std::memchr(s, '\0', static_cast<size_t>(limit));
  return end ? static_cast<int>(static_cast<const char*>(end) - s) : limit;
}

// The length-bounded formatter: at most `n` characters, then buf[n] = 0 (so `buf` must have
// n + 1 bytes). Returns the character count, or -1 when the text did not fit.
int FormatAtMost(char* buf, int n, const char* format, va_list args) {
  const int needed = std::vsnprintf(buf, static_cast<size_t>(n) + 1, format, args);
  buf[n] = '\0';
  if (needed < 0 || needed > n) return -1;
  return needed;
}

// The code an invalid capacity earns in the copy and append primitives.
int InvalidSizeResult(int size) { return size == 0 ? kStrRange : kStrInvalid; }

int StrVFormat(char* buf, int size, int count, const char* format, va_list args) {
  // Every target's va_list is a pointer, or an array passed as one, so a caller may hand in
  // none at all.
  if (buf == nullptr || format == nullptr || args == nullptr || size < 1 ||
      (count < 1 && count != -1))
    return -1;
  const int n = (count == -1 || count > size - 1) ? size - 1 : count;
  return FormatAtMost(buf, n, format, args);
}

int StrLower(char* str, int size) {
  if (str == nullptr || size < 1) return InvalidSizeResult(size);
  const int length = BoundedLength(str, size);
  if (length >= size) return kStrRange;  // not terminated inside its buffer
  for (int i = 0; i < length; ++i) {
    str[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(str[i])));
  }
  return kStrOk;
}

int StrAppendN(char* dst, int size, const char* src, int count) {
  if (dst == nullptr || src == nullptr || size < 1 || count < 1) return InvalidSizeResult(size);
  const int dst_length = BoundedLength(dst, size);
  if (static_cast<long long>(dst_length) + count + 1 > size) return kStrRange;
  const int src_length = BoundedLength(src, count);
  std::memcpy(dst + dst_length, src, static_cast<size_t>(src_length));
  dst[dst_length + src_length] = '\0';
  return kStrOk;
}

int StrAppend(char* dst, int size, const char* src) {
  if (dst == nullptr || src == nullptr || size < 1) return InvalidSizeResult(size);
  const int dst_length = BoundedLength(dst, size);
  const size_t src_length = std::strlen(src);
  if (static_cast<long long>(dst_length) + static_cast<long long>(src_length) + 1 > size) {
    return kStrRange;
  }
  std::memcpy(dst + dst_length, src, src_length + 1);
  return kStrOk;
}

int StrCopyN(char* dst, int size, const char* src, int count) {
  if (dst == nullptr || src == nullptr || size < 1 || count < 1) return kStrInvalid;
  if (count > size - 1) {
    dst[0] = '\0';
    return kStrInvalid;
  }
  const int length = BoundedLength(src, count);
  std::memcpy(dst, src, static_cast<size_t>(length));
  dst[length] = '\0';
  dst[count] = '\0';
  return kStrOk;
}

int StrCopy(char* dst, int size, const char* src) {
  if (dst == nullptr || src == nullptr || size < 1) return InvalidSizeResult(size);
  const int length = BoundedLength(src, size);
  if (length > size - 1) return kStrRange;
  std::memcpy(dst, src, static_cast<size_t>(length) + 1);
  return kStrOk;
}

// ReplaceFirst, searching from `search_from` onwards; reports where the occurrence was found.
int ReplaceFirstFrom(const char* src, size_t search_from, const char* find, const char* replace,
                     char* out, int out_size, size_t* found_at) {
  if (src == nullptr || find == nullptr || replace == nullptr || out == nullptr || *find == '\0') {
    return -1;
  }
  const long long src_length = static_cast<long long>(std::strlen(src));
  const long long find_length = static_cast<long long>(std::strlen(find));
  const long long new_length =
      src_length - find_length + static_cast<long long>(std::strlen(replace));
  // Checked before searching, as if one replacement took place.
  if (out_size <= new_length) return -1;

  const char* hit = static_cast<long long>(search_from) <= src_length
                        ? std::strstr(src + search_from, find)
                        : nullptr;
  if (hit == nullptr) {
    Copy(out, out_size, src);
    return 0;
  }
  std::memset(out, 0, static_cast<size_t>(out_size));
  const int before = static_cast<int>(hit - src);
  if (before > 0) CopyN(out, out_size, src, before);
  Append(out, out_size, replace);
  Append(out, out_size, hit + find_length);
  *found_at = static_cast<size_t>(before);
  return static_cast<int>(new_length);
}

// A buffer of `size` bytes holding "", on the stack when that is small enough.
class WorkBuffer {
 public:
  explicit WorkBuffer(int size) {
    if (size > static_cast<int>(sizeof stack_)) {
      heap_.reset(new (std::nothrow) char[static_cast<size_t>(size)]);
      data_ = heap_.get();
    }
    if (data_ != nullptr) data_[0] = '\0';
  }
  char* get() { return data_; }

 private:
  char stack_[2048];
  std::unique_ptr<char[]> heap_;
  char* data_ = stack_;
};

}  // namespace

const StringFunctionTable kStringFunctions = {
    StrVFormat, StrLower, StrAppendN, StrAppend, StrCopyN, StrCopy,
};

int Fits(const char* s, int size) {
  if (s == nullptr || size < 1) return 0;
  return BoundedLength(s, size) < size ? 1 : 0;
}

int LengthWithin(const char* s, int size) {
  return s == nullptr || size < 1 ? 0 : BoundedLength(s, size);
}

int Copy(char* dst, int size, const char* src) {
  if (dst == nullptr || src == nullptr || size < 1 || !Fits(src, size)) return 0;
  kStringFunctions.StrCopy(dst, size, src);
  return 1;
}

int CopyN(char* dst, int size, const char* src, int n) {
  if (dst == nullptr || src == nullptr || n < 1 || size <= n) return 0;
  kStringFunctions.StrCopyN(dst, size, src, n);
  dst[n] = '\0';
  return 1;
}

int Append(char* dst, int size, const char* src) {
  if (dst == nullptr || src == nullptr || size < 1) return 0;
  const long long total =
      static_cast<long long>(BoundedLength(dst, size)) + static_cast<long long>(std::strlen(src));
  if (total >= size) return 0;
  kStringFunctions.StrAppend(dst, size, src);
  return 1;
}

int Format(char* buf, int size, int count, const char* format, ...) {
  if (buf == nullptr || format == nullptr || size < 1 || count < 1) return -1;
  const int n = count < size - 1 ? count : size - 1;
  va_list args;
  va_start(args, format);
  const int result = FormatAtMost(buf, n, format, args);
  va_end(args);
  return result;
}

int VFormatAll(char* buf, int size, const char* format, va_list args) {
  if (buf == nullptr || format == nullptr || size < 1) return -1;
  return FormatAtMost(buf, size - 1, format, args);
}

int FormatAll(char* buf, int size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = VFormatAll(buf, size, format, args);
  va_end(args);
  return result;
}

int FormatTruncate(char* buf, int size, int allow_truncate, const char* format, ...) {
  if (buf == nullptr || format == nullptr || size < 1) return 0;
  buf[size - 1] = '\0';
  va_list args;
  va_start(args, format);
  const int result = kStringFunctions.StrVFormat(buf, size, -1, format, args);
  va_end(args);
  if (result == -1) {
    buf[size - 1] = '\0';
    return allow_truncate ? 1 : 0;
  }
  return 1;
}

int IntToString(int value, char* out, int size) {
  if (out == nullptr || size < 1) return 0;
  char text[260] = {};
  FormatAll(text, sizeof text, "%d", value);
  if (static_cast<int>(std::strlen(text)) >= size) return 0;
  kStringFunctions.StrCopy(out, size, text);
  return 1;
}

int UIntToString(std::uint32_t value, char* out, int size) {
  if (out == nullptr || size < 1) return 0;
  char text[260] = {};
  FormatAll(text, sizeof text, "%u", static_cast<unsigned>(value));
  if (static_cast<int>(std::strlen(text)) >= size) return 0;
  kStringFunctions.StrCopy(out, size, text);
  return 1;
}

int ReplaceFirst(const char* src, const char* find, const char* replace, char* out, int out_size) {
  size_t found_at = 0;
  return ReplaceFirstFrom(src, 0, find, replace, out, out_size, &found_at);
}

int ReplaceAll(const char* src, const char* find, const char* replace, char* out, int out_size) {
  if (out_size < 1) return 0;  // a work buffer of no bytes holds no text to search
  // The work buffer lives on the stack for the sizes the window uses (the progress view
  // replaces dozens of placeholders per event); only a larger one can fail to be allocated.
  WorkBuffer work(out_size);
  if (work.get() == nullptr) return 0;
  std::memset(work.get(), 0, static_cast<size_t>(out_size));
  Copy(work.get(), out_size, src);  // a null source, or one too long for `out`, is searched as ""

  // Searching again from the start finds occurrences that a replacement joins together. When
  // the replacement holds `find` itself that would never end, so the search then resumes
  // behind the inserted text instead.
  const bool resume_behind_insert = find != nullptr && replace != nullptr && *find != '\0' &&
                                    std::strstr(replace, find) != nullptr;
  int count = 0;
  size_t search_from = 0;
  for (;;) {
    size_t found_at = 0;
    // A replacement that leaves the text empty (a result of length 0) is made but not
    // counted, and ends the loop.
    if (ReplaceFirstFrom(work.get(), search_from, find, replace, out, out_size, &found_at) <= 0)
      break;
    Copy(work.get(), out_size, out);
    ++count;
    if (resume_behind_insert) search_from = found_at + std::strlen(replace);
  }
  return count;
}

}  // namespace orv
