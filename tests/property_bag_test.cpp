#include "framework/property_bag.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

// Bags are released, never deleted: this holder does that at the end of each test.
struct Bag {
  PropertyBag* bag = new PropertyBag;
  ~Bag() { bag->Release(0); }
  PropertyBag* operator->() const { return bag; }
};

TEST(PropertyBag, IdentityAndTheSharedSmallKeys) {
  Bag b;
  EXPECT_EQ(282u, b->GetComponentID());
  EXPECT_EQ(0, b->GetFreeInMap());

  EXPECT_EQ(1, b->SetInt(3, 7));
  EXPECT_EQ(7u, b->GetDword(3, 0));
  EXPECT_EQ(1, b->HasDword(3));
  EXPECT_EQ(1, b->SetDword(3, 0xFFFFFFFFu));
  EXPECT_EQ(-1, b->GetInt(3, 0));

  EXPECT_EQ(1, b->SetInt(12, 7));
  EXPECT_EQ(0u, b->GetDword(12, 0));
  EXPECT_EQ(0, b->HasDword(12));
  EXPECT_EQ(1, b->SetDword(12, 8));
  EXPECT_EQ(7, b->GetInt(12, 0));

  // Key 9 is the last small key, key 10 the first of the maps.
  b->SetDword(9, 1);
  b->SetDword(10, 2);
  EXPECT_EQ(1, b->HasInt(9));
  EXPECT_EQ(0, b->HasInt(10));
}

TEST(PropertyBag, GettersRemoveOnRequest) {
  Bag b;
  b->SetInt(5, 9);
  EXPECT_EQ(9, b->GetInt(5, 1));
  EXPECT_EQ(0, b->GetInt(5, 0));
  EXPECT_EQ(0, b->HasInt(5));

  b->SetInt(50, 4);
  b->SetByte(50, 200);
  b->SetFloat(50, 1.5f);
  EXPECT_EQ(200, b->GetByte(50, 1));
  EXPECT_EQ(0, b->HasByte(50));
  EXPECT_EQ(1.5f, b->GetFloat(50, 1));
  EXPECT_EQ(0.0f, b->GetFloat(50, 0));
  EXPECT_EQ(4, b->GetInt(50, 0));  // kinds are kept apart
}

TEST(PropertyBag, StringsNeedRoomForTheTerminator) {
  Bag b;
  EXPECT_EQ(0, b->SetString(1, nullptr));
  EXPECT_EQ(1, b->SetString(1, "hello"));
  EXPECT_EQ(0, b->SetString(1, nullptr));
  EXPECT_EQ(5u, b->GetStringLength(1));

  char buffer[8] = "unset";
  b->GetString(1, buffer, 5, 1);  // exactly as long as the text: nothing copied, nothing removed
  EXPECT_STREQ("unset", buffer);
  EXPECT_EQ(1, b->HasString(1));
  b->GetString(1, nullptr, 8, 1);
  EXPECT_EQ(1, b->HasString(1));
  b->GetString(1, buffer, 6, 1);
  EXPECT_STREQ("hello", buffer);
  EXPECT_EQ(0, b->HasString(1));
  EXPECT_EQ(0u, b->GetStringLength(1));
}

TEST(PropertyBag, ClearEmptiesEverything) {
  Bag b;
  b->Clear();  // a fresh bag: nothing to do
  b->SetInt(2, 1);
  b->SetInt(20, 1);
  b->SetString(20, "x");
  b->SetByte(20, 1);
  b->SetFloat(20, 1);
  b->SetDword(20, 1);
  b->Clear();
  EXPECT_EQ(0, b->HasInt(2) + b->HasInt(20) + b->HasString(20) + b->HasByte(20) +
                   b->HasFloat(20) + b->HasDword(20));
  EXPECT_EQ(0, b->GetInt(2, 0));
}

TEST(PropertyBag, CopyAllToMergesAndClears) {
  Bag source;
  Bag dest;
  source->SetInt(1, -5);
  source->SetInt(11, 6);
  source->SetString(11, "text");
  source->SetDword(12, 7);
  source->SetByte(13, 8);
  source->SetFloat(14, 0.25f);
  dest->SetInt(99, 1);
  dest->SetString(11, "replaced");

  source->CopyAllTo(dest.bag, 0);
  EXPECT_EQ(1, dest->GetInt(99, 0));  // absent from the source: kept
  EXPECT_EQ(-5, dest->GetInt(1, 0));
  EXPECT_EQ(0xFFFFFFFBu, dest->GetDword(1, 0));
  EXPECT_EQ(6, dest->GetInt(11, 0));
  EXPECT_EQ(7u, dest->GetDword(12, 0));
  EXPECT_EQ(8, dest->GetByte(13, 0));
  EXPECT_EQ(0.25f, dest->GetFloat(14, 0));
  char text[16] = {};
  dest->GetString(11, text, sizeof text, 0);
  EXPECT_STREQ("text", text);

  source->CopyAllTo(dest.bag, 1);
  EXPECT_EQ(0, dest->HasInt(99));
  source->CopyAllTo(nullptr, 1);
}

TEST(PropertyBag, SingleCopiesAndOverloads) {
  Bag source;
  Bag dest;
  EXPECT_EQ(0, source->CopyIntTo(dest.bag, 30));
  source->SetInt(30, 3);
  EXPECT_EQ(0, source->CopyIntTo(nullptr, 30));
  EXPECT_EQ(1, source->CopyIntTo(dest.bag, 30));
  EXPECT_EQ(3, dest->GetInt(30, 0));
  source->SetString(31, "s");
  EXPECT_EQ(1, source->CopyStringTo(dest.bag, 31));
  EXPECT_EQ(0, source->CopyStringTo(dest.bag, 32));
  EXPECT_EQ(0, source->CopyByteTo(dest.bag, 31));

  IPropertyBag* bag = dest.bag;
  EXPECT_EQ(1, bag->SetValue(40, std::int32_t{-1}));
  EXPECT_EQ(1, bag->SetValue(40, "v"));
  EXPECT_EQ(1, bag->SetValue(40, std::uint32_t{2}));
  EXPECT_EQ(1, bag->SetValue(40, std::uint8_t{3}));
  EXPECT_EQ(1, bag->SetValue(40, 4.0f));
  EXPECT_EQ(0, bag->SetValue(40, static_cast<const char*>(nullptr)));
  EXPECT_EQ(-1, bag->GetInt(40, 0));
  EXPECT_EQ(2u, bag->GetDword(40, 0));
  EXPECT_EQ(3, bag->GetByte(40, 0));
  EXPECT_EQ(4.0f, bag->GetFloat(40, 0));
  EXPECT_EQ(1u, bag->GetStringLength(40));
}

}  // namespace
}  // namespace orv
