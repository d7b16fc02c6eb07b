// The property bag as the window and the testbed use it: an event's code under the small key
// 4, and the owner window's handle as a Dword under a large key, each taken once.
#include "framework/property_bag.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(PropertyBag, SmallKeysShareOneStoreLargeOnesKeepTheirKindsApart) {
  PropertyBag* bag = new PropertyBag;  // released, never deleted
  EXPECT_EQ(1, bag->SetInt(kEventCodeKey, -1));
  EXPECT_EQ(0xFFFFFFFFu, bag->GetDword(kEventCodeKey, 0));
  EXPECT_EQ(1, bag->SetDword(9, 7));  // the last small key
  EXPECT_EQ(7, bag->GetInt(9, 1));
  EXPECT_EQ(0, bag->HasDword(9));

  EXPECT_EQ(1, bag->SetDword(kOwnerWindowKey, 0x80001234u));
  EXPECT_EQ(0, bag->HasInt(kOwnerWindowKey));
  EXPECT_EQ(0x80001234u, bag->GetDword(kOwnerWindowKey, 1));
  EXPECT_EQ(0u, bag->GetDword(kOwnerWindowKey, 1));
  bag->SetInt(10, 3);  // the first large key
  EXPECT_EQ(0, bag->HasDword(10));
  bag->Clear();
  EXPECT_EQ(0, bag->HasInt(kEventCodeKey) + bag->HasInt(10));
  bag->Release(0);
}

}  // namespace
}  // namespace orv
