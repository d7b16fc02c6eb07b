#include "framework/bounded_string.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>

namespace orv {
namespace {

int CallVFormat(char* buf, int size, int count, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = kStringFunctions.StrVFormat(buf, size, count, format, args);
  va_end(args);
  return result;
}

// A buffer with guard bytes on both sides: any write outside [0, size) shows.
struct Guarded {
  static constexpr int kSlack = 8;
  char bytes[64 + 2 * kSlack];
  explicit Guarded(const char* initial = "") {
    std::memset(bytes, '#', sizeof bytes);
    std::strcpy(data(), initial);
  }
  char* data() { return bytes + kSlack; }
  bool IntactOutside(int size) const {
    for (int i = 0; i < kSlack; ++i) {
      if (bytes[i] != '#') return false;
    }
    for (size_t i = kSlack + size; i < sizeof bytes; ++i) {
      if (bytes[i] != '#') return false;
    }
    return true;
  }
};

TEST(StringTable, CopyResultCodesAndBounds) {
  Guarded dst("old");
  EXPECT_EQ(kStrRange, kStringFunctions.StrCopy(dst.data(), 9, "123456789"));
  EXPECT_STREQ("old", dst.data());
  EXPECT_EQ(kStrOk, kStringFunctions.StrCopy(dst.data(), 10, "123456789"));
  EXPECT_STREQ("123456789", dst.data());
  EXPECT_TRUE(dst.IntactOutside(10));

  EXPECT_EQ(kStrRange, kStringFunctions.StrCopy(dst.data(), 0, "x"));
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrCopy(nullptr, 5, "x"));
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrCopy(dst.data(), 5, nullptr));
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrCopy(dst.data(), -1, "x"));
  EXPECT_STREQ("123456789", dst.data());
}

TEST(StringTable, CopyNEmptiesTheTargetWhenTheCountCannotFit) {
  Guarded dst("old");
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrCopyN(dst.data(), 5, "abcdefgh", 5));
  EXPECT_STREQ("", dst.data());
  EXPECT_EQ(kStrOk, kStringFunctions.StrCopyN(dst.data(), 6, "abcdefgh", 5));
  EXPECT_STREQ("abcde", dst.data());
  EXPECT_TRUE(dst.IntactOutside(6));
  EXPECT_EQ(kStrOk, kStringFunctions.StrCopyN(dst.data(), 6, "ab", 5));
  EXPECT_STREQ("ab", dst.data());
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrCopyN(dst.data(), 6, "ab", 0));
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrCopyN(dst.data(), 0, "ab", 1));
}

TEST(StringTable, AppendKeepsTheTargetWhenTheResultWouldNotFit) {
  Guarded dst("abc");
  EXPECT_EQ(kStrRange, kStringFunctions.StrAppend(dst.data(), 5, "de"));
  EXPECT_STREQ("abc", dst.data());
  EXPECT_EQ(kStrOk, kStringFunctions.StrAppend(dst.data(), 6, "de"));
  EXPECT_STREQ("abcde", dst.data());
  EXPECT_TRUE(dst.IntactOutside(6));
  EXPECT_EQ(kStrRange, kStringFunctions.StrAppend(dst.data(), 0, "x"));
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrAppend(nullptr, 4, "x"));

  Guarded n("ab");
  EXPECT_EQ(kStrRange, kStringFunctions.StrAppendN(n.data(), 5, "cdef", 3));
  EXPECT_EQ(kStrOk, kStringFunctions.StrAppendN(n.data(), 6, "cdef", 3));
  EXPECT_STREQ("abcde", n.data());
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrAppendN(n.data(), 6, "x", 0));

  // A target with no terminator inside its buffer is never read past that buffer.
  char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(kStrRange, kStringFunctions.StrAppend(unterminated, 4, ""));
  EXPECT_EQ(0, Append(unterminated, 4, ""));
}

TEST(StringTable, LowerAndFormat) {
  Guarded text("MiXeD 1");
  EXPECT_EQ(kStrOk, kStringFunctions.StrLower(text.data(), 8));
  EXPECT_STREQ("mixed 1", text.data());
  EXPECT_EQ(kStrRange, kStringFunctions.StrLower(text.data(), 7));
  EXPECT_EQ(kStrRange, kStringFunctions.StrLower(text.data(), 0));
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrLower(nullptr, 3));

  Guarded buf;
  EXPECT_EQ(-1, CallVFormat(buf.data(), 10, -1, "%s", "0123456789abc"));
  EXPECT_STREQ("012345678", buf.data());
  EXPECT_EQ(3, CallVFormat(buf.data(), 10, 3, "%d", 123));
  EXPECT_EQ(-1, CallVFormat(buf.data(), 10, 3, "%d", 1234));
  EXPECT_STREQ("123", buf.data());
  EXPECT_EQ(-1, CallVFormat(buf.data(), 10, 0, "%d", 1));
  EXPECT_EQ(-1, CallVFormat(buf.data(), 0, -1, "%d", 1));
  EXPECT_TRUE(buf.IntactOutside(10));
}

TEST(GuardedStrings, CopyCopyNAppendAnswerOneOrZero) {
  Guarded dst("keep");
  EXPECT_EQ(0, Copy(dst.data(), 4, "abcd"));
  EXPECT_STREQ("keep", dst.data());
  EXPECT_EQ(1, Copy(dst.data(), 5, "abcd"));
  EXPECT_EQ(0, Copy(nullptr, 5, "a"));
  EXPECT_EQ(0, Fits(nullptr, 5));
  EXPECT_EQ(1, Fits("abcd", 5));
  EXPECT_EQ(0, Fits("abcde", 5));

  EXPECT_EQ(0, CopyN(dst.data(), 3, "abcdef", 3));
  EXPECT_EQ(1, CopyN(dst.data(), 4, "abcdef", 3));
  EXPECT_STREQ("abc", dst.data());
  EXPECT_EQ(0, CopyN(dst.data(), 4, "abcdef", 0));

  Guarded app("abc");
  EXPECT_EQ(0, Append(app.data(), 5, "de"));
  EXPECT_STREQ("abc", app.data());
  EXPECT_EQ(1, Append(app.data(), 6, "de"));
  EXPECT_STREQ("abcde", app.data());
  EXPECT_TRUE(app.IntactOutside(6));
}

TEST(GuardedStrings, FormattingNeverPassesTheBound) {
  Guarded buf;
  EXPECT_EQ(-1, Format(buf.data(), 10, 100, "%s", "0123456789ABCDEF"));
  EXPECT_STREQ("012345678", buf.data());
  EXPECT_EQ(-1, Format(buf.data(), 10, 4, "%s", "0123456789"));
  EXPECT_STREQ("0123", buf.data());
  EXPECT_EQ(4, Format(buf.data(), 10, 4, "%s", "0123"));
  EXPECT_EQ(-1, Format(buf.data(), 10, 0, "x"));
  EXPECT_EQ(-1, Format(buf.data(), 0, 5, "x"));

  EXPECT_EQ(9, FormatAll(buf.data(), 10, "%09d", 7));
  EXPECT_EQ(-1, FormatAll(buf.data(), 10, "%010d", 7));
  EXPECT_STREQ("000000000", buf.data());

  EXPECT_EQ(0, FormatTruncate(buf.data(), 10, 0, "%s", "01234567890123456789"));
  EXPECT_STREQ("012345678", buf.data());
  EXPECT_EQ(1, FormatTruncate(buf.data(), 10, 1, "%s", "abcdefghijklmnopqrst"));
  EXPECT_STREQ("abcdefghi", buf.data());
  EXPECT_EQ(1, FormatTruncate(buf.data(), 10, 0, "%s", "short"));
  EXPECT_EQ(0, FormatTruncate(nullptr, 10, 1, "x"));
  EXPECT_TRUE(buf.IntactOutside(10));
}

TEST(GuardedStrings, NumbersToText) {
  char out[12] = "unchanged";
  EXPECT_EQ(1, IntToString(-2147483647 - 1, out, 12));
  EXPECT_STREQ("-2147483648", out);
  EXPECT_EQ(0, IntToString(-2147483647 - 1, out, 11));
  EXPECT_STREQ("-2147483648", out);
  EXPECT_EQ(1, UIntToString(4294967295u, out, 11));
  EXPECT_STREQ("4294967295", out);
  EXPECT_EQ(0, UIntToString(10, out, 2));
  EXPECT_EQ(0, IntToString(1, nullptr, 5));
}

TEST(Replace, FirstChecksTheSizeBeforeSearching) {
  char out[32] = {};
  EXPECT_EQ(-1, ReplaceFirst("abc", "", "x", out, 32));
  EXPECT_EQ(-1, ReplaceFirst(nullptr, "a", "x", out, 32));
  // "abc" with "b" -> "XYZ" needs 5 characters and a terminator: 5 bytes is refused even
  // though the checked text would fit, and even when nothing is there to replace.
  EXPECT_EQ(-1, ReplaceFirst("abc", "b", "XYZ", out, 5));
  EXPECT_EQ(-1, ReplaceFirst("abc", "q", "XYZ", out, 5));
  EXPECT_EQ(5, ReplaceFirst("abc", "b", "XYZ", out, 6));
  EXPECT_STREQ("aXYZc", out);
  EXPECT_EQ(0, ReplaceFirst("abc", "q", "", out, 32));
  EXPECT_STREQ("abc", out);
  EXPECT_EQ(2, ReplaceFirst("abc", "a", "", out, 32));
  EXPECT_STREQ("bc", out);
}

TEST(Replace, AllReplacesEveryOccurrence) {
  char out[16] = {};
  EXPECT_EQ(2, ReplaceAll("${X}-${X}", "${X}", "7", out, 16));
  EXPECT_STREQ("7-7", out);

  // Occurrences formed by a replacement are found again, since each search restarts. A
  // replacement that leaves the text empty counts like any other.
  EXPECT_EQ(2, ReplaceAll("aabb", "ab", "", out, 16));
  EXPECT_STREQ("", out);
  EXPECT_EQ(1, ReplaceAll("a", "a", "", out, 16));
  EXPECT_EQ(2, ReplaceAll("aabbc", "ab", "", out, 16));
  EXPECT_STREQ("c", out);

  char kept[8] = "kept";
  EXPECT_EQ(0, ReplaceAll("${X}-", "${X}", "0123456789", kept, 8));
  EXPECT_STREQ("kept", kept);
  // A source that does not fit the output at all gives an empty text.
  EXPECT_EQ(0, ReplaceAll("${X}${X}", "${X}", "0123456789", kept, 8));
  EXPECT_STREQ("", kept);

  // The result stops growing when the next replacement would not fit.
  char grow[11] = {};
  EXPECT_EQ(2, ReplaceAll("a.a.a", "a", "bbb", grow, 11));
  EXPECT_STREQ("bbb.bbb.a", grow);
}

TEST(Replace, AllEndsWhenTheReplacementContainsTheSearchedText) {
  char out[64] = {};
  EXPECT_EQ(2, ReplaceAll("x-x", "x", "x", out, 64));
  EXPECT_STREQ("x-x", out);
  EXPECT_EQ(2, ReplaceAll("a,a", "a", "[a]", out, 64));
  EXPECT_STREQ("[a],[a]", out);
  EXPECT_EQ(3, ReplaceAll("${P}${P}${P}", "${P}", "<${P}>", out, 64));
  EXPECT_STREQ("<${P}><${P}><${P}>", out);
}

}  // namespace
}  // namespace orv
