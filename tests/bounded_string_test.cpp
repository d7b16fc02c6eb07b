#include "framework/bounded_string.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

namespace orv {
namespace {

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
    const auto guard = [](char c) { return c == '#'; };
    return std::all_of(bytes, bytes + kSlack, guard) &&
           std::all_of(bytes + kSlack + size, std::end(bytes), guard);
  }
};

// What the copies, appends and formats leave in their buffers (the formatted texts of the
// module, with their own bounds, are checked where the module writes them).
TEST(BoundedStrings, WhatDoesNotFitLeavesTheTargetAndNothingPassesTheBound) {
  Guarded dst("old");
  EXPECT_EQ(kStrRange, kStringFunctions.StrCopy(dst.data(), 9, "123456789"));
  EXPECT_EQ(0, Copy(dst.data(), 9, "123456789"));
  EXPECT_STREQ("old", dst.data());
  EXPECT_EQ(1, Copy(dst.data(), 10, "123456789"));
  EXPECT_EQ(kStrRange, kStringFunctions.StrCopy(dst.data(), 0, "x"));  // no room: ERANGE
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrCopy(dst.data(), -1, "x"));
  EXPECT_STREQ("123456789", dst.data());
  // A count that cannot fit is refused and empties the target.
  EXPECT_EQ(kStrInvalid, kStringFunctions.StrCopyN(dst.data(), 5, "abcdefgh", 5));
  EXPECT_STREQ("", dst.data());
  EXPECT_EQ(0, CopyN(dst.data(), 5, "abcdefgh", 5));
  EXPECT_EQ(1, CopyN(dst.data(), 6, "abcdefgh", 5));
  EXPECT_EQ(0, Append(dst.data(), 7, "fg"));
  EXPECT_STREQ("abcde", dst.data());
  EXPECT_EQ(1, Append(dst.data(), 8, "fg"));
  EXPECT_STREQ("abcdefg", dst.data());
  EXPECT_TRUE(dst.IntactOutside(10));
  // A target with no terminator inside its buffer is never read past that buffer.
  char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(kStrRange, kStringFunctions.StrAppend(unterminated, 4, ""));
  EXPECT_EQ(0, Append(unterminated, 4, ""));
  char upper[5] = {'A', 'B', 'C', 'D', '\0'};
  EXPECT_EQ(kStrRange, kStringFunctions.StrLower(upper, 4));  // no terminator in its 4 bytes
  EXPECT_EQ(0, std::memcmp(upper, "ABCD", 4));
  EXPECT_EQ(kStrOk, kStringFunctions.StrLower(upper, 5));
  EXPECT_STREQ("abcd", upper);
  EXPECT_EQ(4, LengthWithin(unterminated, 4));
  EXPECT_EQ(0, LengthWithin(unterminated, 0));
  EXPECT_EQ(0, LengthWithin(nullptr, 4));

  Guarded buf;
  EXPECT_EQ(-1, Format(buf.data(), 10, 100, "%s", "0123456789ABCDEF"));
  EXPECT_STREQ("012345678", buf.data());
  EXPECT_EQ(-1, Format(buf.data(), 10, 4, "%s", "0123456789"));
  EXPECT_STREQ("0123", buf.data());
  EXPECT_EQ(0, FormatTruncate(buf.data(), 10, 0, "%s", "01234567890123456789"));
  EXPECT_EQ(1, FormatTruncate(buf.data(), 10, 1, "%s", "abcdefghijklmnopqrst"));
  EXPECT_STREQ("abcdefghi", buf.data());
  EXPECT_EQ(-1, kStringFunctions.StrVFormat(buf.data(), 10, -1, "%d", nullptr));  // no arguments
  EXPECT_STREQ("abcdefghi", buf.data());
  EXPECT_TRUE(buf.IntactOutside(10));
}

// Replacements are counted only while the text stays non-empty; a null source is searched as
// an empty text, so `out` still receives that text.
TEST(BoundedStrings, ReplaceAllCountsOnlyResultsThatAreNotEmpty) {
  const struct {
    const char* src;
    const char* find;
    const char* with;
    int count;
    const char* out;
  } cases[] = {
      {"${X}", "${X}", "", 0, ""},  // the one replacement empties the text
      {"$$", "$", "", 1, ""},       // the second one does
      {"a${X}", "${X}", "", 1, "a"},
      {nullptr, "${X}", "v", 0, ""},
  };
  for (const auto& c : cases) {
    Guarded out("stale");
    EXPECT_EQ(c.count, ReplaceAll(c.src, c.find, c.with, out.data(), 16))
        << c.find << " in " << (c.src ? c.src : "null");
    EXPECT_STREQ(c.out, out.data());
    EXPECT_TRUE(out.IntactOutside(16));
  }
  Guarded out("stale");  // no room even for the empty text's replacement: left alone
  EXPECT_EQ(0, ReplaceAll(nullptr, "a", "0123456789", out.data(), 8));
  EXPECT_STREQ("stale", out.data());
}

}  // namespace
}  // namespace orv
