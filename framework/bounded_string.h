// Bounded operations on fixed-size 8-bit character buffers.
//
// Two layers. The string function table holds six primitives that report errno-style codes;
// it is filled at load time and never changes. The guarded operations on top of it answer
// 1 or 0 (or a length) and are what the rest of the module calls. Every capacity is the
// whole buffer in bytes, terminator included; a capacity below 1 is invalid. Nothing here
// ever writes past the capacity it is given or reads past the end of a buffer whose
// capacity it knows.
#pragma once

#include <cstdarg>
#include <cstdint>

namespace orv {

// The fixed buffer sizes of the module: paths, names, ini values and placeholder values;
// notices; formatted messages, log lines and control texts.
constexpr int kPathSize = 260;
constexpr int kNoticeSize = 520;
constexpr int kMessageSize = 1024;

// Result codes of the table's entries 1 to 5.
enum StrResult : int {
  kStrOk = 0,
  kStrInvalid = 22,  // EINVAL
  kStrRange = 34,    // ERANGE
};

struct StringFunctionTable {
  int (*StrVFormat)(char* buf, int size, int count, const char* format, va_list args);
  int (*StrLower)(char* str, int size);
  int (*StrAppendN)(char* dst, int size, const char* src, int count);
  int (*StrAppend)(char* dst, int size, const char* src);
  int (*StrCopyN)(char* dst, int size, const char* src, int count);
  int (*StrCopy)(char* dst, int size, const char* src);
};

extern const StringFunctionTable kStringFunctions;

// 1 when `s` is non-null and its length is below `size`.
int Fits(const char* s, int size);
// How much of a `size`-byte buffer holds text: its length, or `size` when no terminator is in
// it; 0 for a null buffer or a size below 1. Reads nothing past the buffer.
int LengthWithin(const char* s, int size);

int Copy(char* dst, int size, const char* src);
// Copies exactly the first `n` characters (fewer if `src` is shorter) and terminates at dst[n].
int CopyN(char* dst, int size, const char* src, int n);
int Append(char* dst, int size, const char* src);

// Format at most min(count, size - 1) characters; the result always ends at that bound.
// Returns the formatter's character count, -1 when the text was cut or an argument is invalid.
int Format(char* buf, int size, int count, const char* format, ...);
int FormatAll(char* buf, int size, const char* format, ...);
// 1 when the whole text fit, or when it was cut and `allow_truncate` is set; the cut text
// stays in `buf` either way.
int FormatTruncate(char* buf, int size, int allow_truncate, const char* format, ...);
int VFormatAll(char* buf, int size, const char* format, va_list args);

int IntToString(int value, char* out, int size);
int UIntToString(std::uint32_t value, char* out, int size);

// Replaces the first occurrence of `find`. Returns the new length, 0 when there was nothing to
// replace (`out` is then a copy of `src`), -1 when an argument is invalid or the result could
// not fit even before searching.
int ReplaceFirst(const char* src, const char* find, const char* replace, char* out, int out_size);

// Replaces every occurrence and returns how many replacements were counted. A replacement
// counts only when its result is not empty: one that empties the text is made, ends the loop
// and is not counted (kept as the callers were built against it: ("${X}", "${X}", "") gives
// 0, ("$$", "$", "") gives 1, `out` "" both times). `out` holds the last result, zero-filled
// behind it; with no occurrence it is a copy of `src` (a null `src` or one that does not fit
// is searched as ""); it is left as it was when even the first replacement could not fit. A
// replacement that itself contains `find` is not searched again, so the operation ends.
int ReplaceAll(const char* src, const char* find, const char* replace, char* out, int out_size);

}  // namespace orv
